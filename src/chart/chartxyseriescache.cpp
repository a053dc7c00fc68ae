#include "chartxyseriescache.h"

#include "chartxycolumnreduction.h"
#include "chartxydatamapping.h"
#include "varianttoreal.h"

#include <QAbstractItemModel>

#include <cmath>
#include <limits>

namespace {

constexpr double Undrawable = std::numeric_limits<double>::quiet_NaN();

// A cell's value as a real, or NaN where it cannot be drawn: a type other than the
// axis's, or a value the limits leave out as well.
double drawableReal(const QVariant &value, int axisType)
{
    return value.typeId() == axisType ? ::drawableReal(value) : Undrawable;
}

} // namespace

ChartXYSeriesCache::ChartXYSeriesCache(QObject *parent)
    : QObject(parent)
{
}

void ChartXYSeriesCache::invalidate()
{
    m_cells.clear();
    m_series.clear();
}

ChartXYSeriesCache::Series &ChartXYSeriesCache::series(const QAbstractItemModel *model,
                                                       int column, const ChartXYLimit &limit,
                                                       const QRect &plot, bool keep)
{
    if (model != m_model)
        watch(model);
    if (limit.x().type() != m_xType || limit.y().type() != m_yType) {
        // Which cells count as drawable depends on the limits' types.
        invalidate();
        m_xType = limit.x().type();
        m_yType = limit.y().type();
    }
    const bool keptFits = limit == m_limit && plot == m_plot;
    if (!keep && !(keptFits && m_series.contains(column))) {
        m_oneOff = Series();
        mapInto(m_oneOff, column, limit, plot);
        return m_oneOff;
    }
    if (!keptFits) {
        m_series.clear();
        m_limit = limit;
        m_plot = plot;
    }
    auto kept = m_series.find(column);
    if (kept == m_series.end()) {
        kept = m_series.insert(column, Series());
        mapInto(*kept, column, limit, plot);
    }
    return *kept;
}

void ChartXYSeriesCache::watch(const QAbstractItemModel *model)
{
    if (m_model)
        disconnect(m_model, nullptr, this, nullptr);
    invalidate();
    m_model = model;
    if (!model)
        return;
    connect(model, &QAbstractItemModel::dataChanged, this, &ChartXYSeriesCache::cellsChanged);
    // Anything that moves rows or columns about: read everything again.
    const auto all = [this] { invalidate(); };
    connect(model, &QAbstractItemModel::rowsInserted, this, all);
    connect(model, &QAbstractItemModel::rowsRemoved, this, all);
    connect(model, &QAbstractItemModel::rowsMoved, this, all);
    connect(model, &QAbstractItemModel::columnsInserted, this, all);
    connect(model, &QAbstractItemModel::columnsRemoved, this, all);
    connect(model, &QAbstractItemModel::columnsMoved, this, all);
    connect(model, &QAbstractItemModel::modelReset, this, all);
    connect(model, &QAbstractItemModel::layoutChanged, this, all);
    connect(model, &QObject::destroyed, this, all);
}

// Only the rows named are read again; the mapped points are remade from the reals.
void ChartXYSeriesCache::cellsChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    m_series.clear();
    if (!topLeft.isValid() || !bottomRight.isValid() || topLeft.parent().isValid()) {
        invalidate();
        return;
    }
    for (auto it = m_cells.begin(); it != m_cells.end(); ++it) {
        if (it.key() < topLeft.column() || it.key() > bottomRight.column())
            continue;
        if (bottomRight.row() >= it->reals.size()) {
            invalidate();
            return;
        }
        readRows(it.key(), *it, topLeft.row(), bottomRight.row());
        if (topLeft.row() == 0)
            it->colour = m_model->index(0, it.key()).data(Qt::DecorationRole);
    }
}

const ChartXYSeriesCache::Cells &ChartXYSeriesCache::cells(int column)
{
    auto found = m_cells.find(column);
    if (found != m_cells.end())
        return *found;
    Cells read;
    const int rows = m_model ? m_model->rowCount() : 0;
    read.reals.resize(rows);
    if (rows > 0) {
        readRows(column, read, 0, rows - 1);
        read.colour = m_model->index(0, column).data(Qt::DecorationRole);
    }
    return *m_cells.insert(column, read);
}

void ChartXYSeriesCache::readRows(int column, Cells &cells, int first, int last) const
{
    const int type = column == 0 ? m_xType : m_yType;
    for (int row = first; row <= last; ++row)
        cells.reals[row] = drawableReal(m_model->index(row, column).data(Qt::DisplayRole), type);
}

void ChartXYSeriesCache::mapInto(Series &series, int column, const ChartXYLimit &limit,
                                 const QRect &plot)
{
    // Both read before either is referred to: reading one may move the other.
    cells(0);
    cells(column);
    const QList<double> &xs = m_cells.find(0)->reals;
    const Cells &ys = *m_cells.find(column);
    const ChartXYDataMapping mapping(plot, limit);
    series.colour = ys.colour;
    series.points.clear();
    series.points.reserve(xs.size());
    for (qsizetype row = 0; row < xs.size() && row < ys.reals.size(); ++row) {
        // Rows that cannot be drawn are left out; the line joins across them.
        if (std::isnan(xs.at(row)) || std::isnan(ys.reals.at(row)))
            continue;
        const QPointF p = mapping.map(xs.at(row), ys.reals.at(row));
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            series.points.append(p);
    }
    series.sortedByX = isSortedByX(series.points);
    series.thinned.clear();
    series.thinnedWidth = 0;
}
