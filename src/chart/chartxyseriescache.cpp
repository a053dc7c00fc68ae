#include "chartxyseriescache.h"

#include "chartxycolumnreduction.h"
#include "chartxycellreader.h"
#include "chartxydatamapping.h"
#include "chartxylimitscan.h"
#include "chartxymodelwatch.h"
#include "varianttoreal.h"

#include <QAbstractItemModel>

#include <cmath>
#include <limits>
#include <vector>

ChartXYSeriesCache::ChartXYSeriesCache(const ChartXYLimitScan *scan, ChartXYModelWatch *watch,
                                       QObject *parent)
    : QObject(parent)
    , m_scan(scan)
    , m_watch(watch ? watch : new ChartXYModelWatch(this))
{
    connect(m_watch, &ChartXYModelWatch::cellsChanged, this, &ChartXYSeriesCache::cellsChanged);
    // Anything that moves rows or columns about: read everything again.
    connect(m_watch, &ChartXYModelWatch::shapeChanged, this, &ChartXYSeriesCache::invalidate);
}

void ChartXYSeriesCache::invalidate()
{
    m_reals.clear();
    m_colours.clear();
    m_series.clear();
}

const ChartXYSeriesCache::Series &ChartXYSeriesCache::series(const QAbstractItemModel *model,
                                                             int column,
                                                             const ChartXYLimit &limit,
                                                             const QRect &plot, bool keep,
                                                             qreal pixelWidth,
                                                             const Needs &needs)
{
    if (model != m_model)
        watch(model);
    if (limit.x().type() != m_xType || limit.y().type() != m_yType) {
        // Which cells count as drawable depends on the limits' types.
        invalidate();
        m_xType = limit.x().type();
        m_yType = limit.y().type();
    }
    const bool keptFits = limit == m_limit && plot == m_plot && pixelWidth == m_pixelWidth
                          && (!needs.markers || needs.device == m_device);
    const auto serves = [&needs](const Series &s) {
        return s.hasLine == needs.line && s.hasMarkers == needs.markers;
    };
    auto kept = keptFits ? m_series.find(column) : m_series.end();
    if (!keep && !(kept != m_series.end() && serves(*kept))) {
        m_oneOff = Series();
        mapInto(m_oneOff, column, limit, plot, pixelWidth, needs);
        return m_oneOff;
    }
    if (!keptFits) {
        m_series.clear();
        m_limit = limit;
        m_plot = plot;
        m_pixelWidth = pixelWidth;
        m_device = needs.device;
    }
    kept = m_series.find(column);
    if (kept == m_series.end())
        kept = m_series.insert(column, Series());
    if (!serves(*kept))
        mapInto(*kept, column, limit, plot, pixelWidth, needs);
    return *kept;
}

const ChartXYSeriesCache::Series &ChartXYSeriesCache::series(const QAbstractItemModel *model,
                                                             int column,
                                                             const ChartXYLimit &limit,
                                                             const QRect &plot, bool keep,
                                                             qreal pixelWidth)
{
    return series(model, column, limit, plot, keep, pixelWidth, Needs());
}

void ChartXYSeriesCache::watch(const QAbstractItemModel *model)
{
    invalidate();
    m_model = model;
    m_watch->watch(model);
}

// Only the rows named are read again; the mapped points are remade from the reals.
void ChartXYSeriesCache::cellsChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                                      const QList<int> &roles)
{
    if (topLeft.model() != m_model)
        return;
    m_series.clear();
    if (!ChartXYModelWatch::changesValues(roles)) {
        // A colour: the values read stand.
        m_colours.clear();
        return;
    }
    if (!topLeft.isValid() || !bottomRight.isValid() || topLeft.parent().isValid()) {
        invalidate();
        return;
    }
    if (topLeft.row() == 0)
        m_colours.clear();
    // Columns taken from the scan were brought up to date by it.
    for (auto it = m_reals.begin(); it != m_reals.end(); ++it) {
        if (it.key() < topLeft.column() || it.key() > bottomRight.column())
            continue;
        if (bottomRight.row() >= it->size()) {
            invalidate();
            return;
        }
        readRows(it.key(), *it, topLeft.row(), bottomRight.row());
    }
}

const QList<double> &ChartXYSeriesCache::reals(int column)
{
    const int type = column == 0 ? m_xType : m_yType;
    if (m_scan) {
        if (const QList<double> *scanned = m_scan->reals(m_model, column, type))
            return *scanned;
    }
    auto found = m_reals.find(column);
    if (found != m_reals.end())
        return *found;
    QList<double> read(m_model ? m_model->rowCount() : 0);
    readRows(column, read, 0, int(read.size()) - 1);
    return *m_reals.insert(column, read);
}

void ChartXYSeriesCache::readRows(int column, QList<double> &reals, int first, int last) const
{
    const int type = column == 0 ? m_xType : m_yType;
    const ChartXYCellReader cells(m_model);
    for (int row = first; row <= last; ++row)
        reals[row] = drawableRealOfType(cells.value(row, column), type);
}

const QVariant &ChartXYSeriesCache::colour(int column)
{
    auto found = m_colours.find(column);
    if (found == m_colours.end()) {
        const bool rows = m_model && m_model->rowCount() > 0;
        found = m_colours.insert(column, rows ? m_model->index(0, column).data(Qt::DecorationRole)
                                              : QVariant());
    }
    return *found;
}

void ChartXYSeriesCache::mapInto(Series &series, int column, const ChartXYLimit &limit,
                                 const QRect &plot, qreal pixelWidth, const Needs &needs)
{
    // Both read before either is referred to: reading one may move the other.
    reals(0);
    reals(column);
    const QList<double> &xs = reals(0);
    const QList<double> &ys = reals(column);
    const ChartXYDataMapping mapping(plot, limit);
    series.colour = colour(column);
    series.points.clear();
    series.markers.clear();
    series.hasLine = needs.line;
    series.hasMarkers = needs.markers;
    if (needs.markers)
        placeMarkers(series, xs, ys, mapping, plot, needs);
    if (!needs.line)
        return;
    // More points than about two per pixel column cannot all be seen.
    const qreal seen = pixelWidth > 0 ? 2 * plot.width() / pixelWidth : 0;
    if (seen > 0 && std::min(xs.size(), ys.size()) > seen) {
        ChartXYColumnReduction reduced = reduceToColumns(xs, ys, mapping, pixelWidth);
        if (reduced.sorted && reduced.drawable > seen) {
            series.points = std::move(reduced.points);
            return;
        }
    }
    series.points.reserve(xs.size());
    for (qsizetype row = 0; row < xs.size() && row < ys.size(); ++row) {
        // Rows that cannot be drawn are left out; the line joins across them.
        if (std::isnan(xs.at(row)) || std::isnan(ys.at(row)))
            continue;
        const QPointF p = mapping.map(xs.at(row), ys.at(row));
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            series.points.append(p);
    }
}

// A marker drawn twice on the same device pixel looks as drawn once, so each occupied
// pixel keeps one, stamped on its centre; a marker wholly outside the plot is clipped
// away and kept not at all. A million-point scatter thus draws at most a marker per pixel.
void ChartXYSeriesCache::placeMarkers(Series &series, const QList<double> &xs,
                                      const QList<double> &ys, const ChartXYDataMapping &mapping,
                                      const QRect &plot, const Needs &needs)
{
    const QRectF reach = QRectF(plot).adjusted(-needs.markerReach - 1, -needs.markerReach - 1,
                                               needs.markerReach + 1, needs.markerReach + 1);
    const QTransform &device = needs.device;
    const bool grid = device.type() <= QTransform::TxScale && device.m11() > 0
                      && device.m22() > 0;
    const qsizetype rows = std::min(xs.size(), ys.size());
    if (!grid) {
        for (qsizetype row = 0; row < rows; ++row) {
            if (std::isnan(xs.at(row)) || std::isnan(ys.at(row)))
                continue;
            const QPointF p = mapping.map(xs.at(row), ys.at(row));
            if (reach.contains(p))
                series.markers.append(p);
        }
        return;
    }
    const QRectF cells = device.mapRect(reach);
    const qreal left = std::floor(cells.left());
    const qreal top = std::floor(cells.top());
    const qsizetype width = qsizetype(std::ceil(cells.right()) - left) + 1;
    const qsizetype height = qsizetype(std::ceil(cells.bottom()) - top) + 1;
    std::vector<char> occupied(size_t(width * height));
    const QTransform toLogical = device.inverted();
    // Straight from data to the cell grid: the mapping's straight lines, scaled to device
    // pixels, one multiplication and addition per axis (as the line's thinning does).
    const qreal ax = mapping.xSlope() * device.m11();
    const qreal bx = mapping.xOffset() * device.m11() + device.dx() - left;
    const qreal ay = mapping.ySlope() * device.m22();
    const qreal by = mapping.yOffset() * device.m22() + device.dy() - top;
    const double *x = xs.constData();
    const double *y = ys.constData();
    for (qsizetype row = 0; row < rows; ++row) {
        const qreal cx = std::floor(x[row] * ax + bx);
        const qreal cy = std::floor(y[row] * ay + by);
        // Also false for NaN, a row that cannot be drawn.
        if (!(cx >= 0 && cy >= 0 && cx < width && cy < height))
            continue;
        char &cell = occupied[size_t(qsizetype(cy) * width + qsizetype(cx))];
        if (cell)
            continue;
        cell = 1;
        series.markers.append(toLogical.map(QPointF(cx + left + 0.5, cy + top + 0.5)));
    }
}
