#include "chartxylimitscan.h"

#include "chartxycellreader.h"
#include "varianttoreal.h"

#include <QAbstractItemModel>
#include <QVarLengthArray>

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
    // Resized in place: the lists keep their memory from one scan to the next.
    m_read.resize(m_columns);
    QVarLengthArray<double *, 8> reals(m_columns);
    for (int column = 0; column < m_columns; ++column) {
        m_read[column].reals.resize(m_rows);
        m_read[column].type = 0;
        m_read[column].mixed = false;
        reals[column] = m_read[column].reals.data();
    }
    // The hottest loop of a limit update: kept flat, everything it touches in locals.
    const ChartXYCellReader cells(model);
    Column *read = m_read.data();
    for (int row = 0; row < m_rows; ++row) {
        for (int column = 0; column < m_columns; ++column) {
            const QVariant value = cells.value(row, column);
            const int type = variantType(value);
            const double real = drawableReal(value, type);
            reals[column][row] = real;
            if (!std::isnan(real)) {
                read[column].note(type);
                (column == 0 ? m_x : m_y).offer(real, row, column);
            }
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

void ChartXYLimitScan::release()
{
    m_valid = false;
    m_model = nullptr;
    m_read = QList<Column>();
}

const QList<double> *ChartXYLimitScan::reals(const QAbstractItemModel *model, int column,
                                             int type) const
{
    if (!m_valid || !model || model != m_model || column < 0 || column >= m_read.size())
        return nullptr;
    const Column &read = m_read.at(column);
    if (read.mixed || (read.type != 0 && read.type != type))
        return nullptr;
    return &read.reals;
}

ChartXYLimit ChartXYLimitScan::limit() const
{
    return ChartXYLimit(ChartXYLimitAxis(valueAt(m_x.min), valueAt(m_x.max)),
                        ChartXYLimitAxis(valueAt(m_y.min), valueAt(m_y.max)));
}

bool ChartXYLimitScan::rereadCell(int row, int column)
{
    const QVariant value = ChartXYCellReader(m_model).value(row, column);
    const int type = variantType(value);
    const double real = drawableReal(value, type);
    Column &read = m_read[column];
    read.reals[row] = real;
    if (!std::isnan(real))
        read.note(type);
    return (column == 0 ? m_x : m_y).reread(real, row, column);
}

QVariant ChartXYLimitScan::valueAt(const Cell &cell) const
{
    if (cell.row < 0 || !m_model)
        return QVariant();
    return ChartXYCellReader(m_model).value(cell.row, cell.column);
}
