#include "chartxypointfinder.h"

#include "chartxylimitscan.h"
#include "varianttoreal.h"

#include <QAbstractItemModel>
#include <QLineF>
#include <QVarLengthArray>

#include <cmath>

namespace {

// Pixels per unit along one axis; 0 for an axis without extent, where the renderer puts
// every value on the middle (and so did the caller's two mapped corners).
qreal scale(qreal min, qreal max, qreal atMin, qreal atMax)
{
    return max == min ? 0 : (atMax - atMin) / (max - min);
}

} // namespace

ChartXYPointFinder::ChartXYPointFinder(const QAbstractItemModel &model,
                                       const ChartXYLimit &limit, const QRect &plot,
                                       const QPointF &atMin, const QPointF &atMax,
                                       const ChartXYLimitScan *scan)
    : m_model(model)
    , m_cells(&model)
    , m_scan(scan)
    , m_xType(limit.x().type())
    , m_yType(limit.y().type())
    // Half a pixel around the clip rectangle, so that a point on its last pixel counts.
    , m_plot(QRectF(plot).adjusted(-0.5, -0.5, -0.5, -0.5))
    , m_xMin(variantToReal(limit.x().min()))
    , m_yMin(variantToReal(limit.y().min()))
    , m_atMin(atMin)
    , m_xScale(scale(m_xMin, variantToReal(limit.x().max()), atMin.x(), atMax.x()))
    , m_yScale(scale(m_yMin, variantToReal(limit.y().max()), atMin.y(), atMax.y()))
{
}

QModelIndex ChartXYPointFinder::nearest(const QPointF &pos, qreal radius) const
{
    if (m_xType == QMetaType::UnknownType || m_yType == QMetaType::UnknownType
        || !m_plot.adjusted(-radius, -radius, radius, radius).contains(pos))
        return QModelIndex();

    QModelIndex found;
    qreal best = radius;
    const int rows = m_model.rowCount();
    const int columns = m_model.columnCount();
    const auto kept = [this](int column, int type) {
        return m_scan ? m_scan->reals(&m_model, column, type) : nullptr;
    };
    const QList<double> *xs = kept(0, m_xType);
    QVarLengthArray<const QList<double> *, 8> ys(columns);
    for (int column = 1; column < columns; ++column)
        ys[column] = kept(column, m_yType);
    for (int row = 0; row < rows; ++row) {
        // X first: most rows of a long series lie too far left or right to look further.
        qreal x = 0;
        if (!realAt(xs, row, 0, m_xType, x))
            continue;
        const qreal px = mapX(x);
        if (!(std::abs(px - pos.x()) <= radius && px >= m_plot.left() && px <= m_plot.right()))
            continue;
        for (int column = 1; column < columns; ++column) {
            qreal y = 0;
            if (!realAt(ys[column], row, column, m_yType, y))
                continue;
            const qreal py = mapY(y);
            if (!(py >= m_plot.top() && py <= m_plot.bottom()))
                continue;
            const qreal distance = QLineF(pos, QPointF(px, py)).length();
            // Of equally near points the later wins: its line is drawn over the earlier.
            if (distance <= best) {
                best = distance;
                found = m_model.index(row, column);
            }
        }
    }
    return found;
}

QPointF ChartXYPointFinder::position(const QModelIndex &cell) const
{
    return QPointF(mapX(variantToReal(m_model.data(cell.siblingAtColumn(0)))),
                   mapY(variantToReal(m_model.data(cell))));
}

bool ChartXYPointFinder::realAt(const QList<double> *kept, int row, int column, int type,
                                qreal &result) const
{
    result = kept ? kept->at(row) : drawableRealOfType(m_cells.value(row, column), type);
    return !std::isnan(result);
}

qreal ChartXYPointFinder::mapX(qreal x) const
{
    return m_atMin.x() + (x - m_xMin) * m_xScale;
}

qreal ChartXYPointFinder::mapY(qreal y) const
{
    return m_atMin.y() + (y - m_yMin) * m_yScale;
}
