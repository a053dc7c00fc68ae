#include "chartxylimitscan.h"
#include "varianttoreal.h"

#include <QAbstractItemModel>

#include <cmath>

bool ChartXYLimitScan::Range::reread(double real, int row, int column)
{
    const bool drawable = !std::isnan(real);
    const auto holds = [&](const Cell &cell) { return cell.row == row && cell.column == column; };
    if (holds(min)) {
        if (!drawable || real > min.real)
            return false;
        min.real = real;
    }
    if (holds(max)) {
        if (!drawable || real < max.real)
            return false;
        max.real = real;
    }
    if (drawable)
        offer(real, row, column);
    return true;
}

void ChartXYLimitScan::scan(const QAbstractItemModel *model)
{
    m_model = model;
    m_rows = model ? model->rowCount() : 0;
    m_columns = model ? model->columnCount() : 0;
    m_x = Range();
    m_y = Range();
    // The hottest loop of a limit update: kept flat, the model in a local.
    const QAbstractItemModel *data = m_model;
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            const double real = drawableReal(data->data(data->index(row, column), Qt::DisplayRole));
            if (!std::isnan(real))
                (column == 0 ? m_x : m_y).offer(real, row, column);
        }
    }
    m_valid = true;
}

bool ChartXYLimitScan::rescanRows(const QAbstractItemModel *model, int first, int last)
{
    if (!m_valid || !model || model != m_model || model->rowCount() != m_rows
        || model->columnCount() != m_columns) {
        m_valid = false;
        return false;
    }
    first = std::max(first, 0);
    last = std::min(last, m_rows - 1);
    for (int row = first; row <= last; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            if (!rereadCell(row, column)) {
                m_valid = false;
                return false;
            }
        }
    }
    return true;
}

void ChartXYLimitScan::invalidate()
{
    m_valid = false;
}

ChartXYLimit ChartXYLimitScan::limit() const
{
    return ChartXYLimit(ChartXYLimitAxis(valueAt(m_x.min), valueAt(m_x.max)),
                        ChartXYLimitAxis(valueAt(m_y.min), valueAt(m_y.max)));
}

bool ChartXYLimitScan::rereadCell(int row, int column)
{
    const double real = drawableReal(m_model->data(m_model->index(row, column), Qt::DisplayRole));
    return (column == 0 ? m_x : m_y).reread(real, row, column);
}

QVariant ChartXYLimitScan::valueAt(const Cell &cell) const
{
    if (cell.row < 0 || !m_model)
        return QVariant();
    return m_model->data(m_model->index(cell.row, cell.column), Qt::DisplayRole);
}
