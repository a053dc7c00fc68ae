#include "chartxydatamapping.h"

#include "varianttoreal.h"

#include <cmath>

namespace {

// Maps v linearly from [vmin, vmax] onto [atMin, atMax]. An axis without extent
// (vmin == vmax, six equal values say) has no scale to map with, so every value lands
// on its middle and a flat series shows as a flat line.
qreal mapOnAxis(qreal v, qreal vmin, qreal vmax, qreal atMin, qreal atMax)
{
    if (vmin == vmax)
        return (atMin + atMax) / 2;
    // Limits further apart than the largest double: the same line through the share of
    // the range, taken from halved values, whose differences cannot overflow.
    if (!std::isfinite(vmin - vmax))
        return atMin + (v / 2 - vmin / 2) / (vmax / 2 - vmin / 2) * (atMax - atMin);
    return (atMin * (v - vmax)) / (vmin - vmax) - ((v - vmin) * atMax) / (vmin - vmax);
}

} // namespace

ChartXYDataMapping::ChartXYDataMapping(const QRect &rect, const ChartXYLimit &limit)
    : m_rect(rect)
    , m_xmin(variantToReal(limit.x().min()))
    , m_xmax(variantToReal(limit.x().max()))
    , m_ymin(variantToReal(limit.y().min()))
    , m_ymax(variantToReal(limit.y().max()))
{
}

QPointF ChartXYDataMapping::map(qreal x, qreal y) const
{
    return QPointF(mapOnAxis(x, m_xmin, m_xmax, m_rect.left(), m_rect.right()),
                   mapOnAxis(y, m_ymin, m_ymax, m_rect.bottom(), m_rect.top()));
}

qreal ChartXYDataMapping::xSlope() const
{
    if (m_xmin == m_xmax)
        return 0;
    // From halved values, like map(), so that no range overflows.
    return (m_rect.right() - m_rect.left()) / (m_xmax / 2 - m_xmin / 2) / 2;
}

qreal ChartXYDataMapping::xOffset() const
{
    if (m_xmin == m_xmax)
        return (m_rect.left() + m_rect.right()) / 2.0;
    return m_rect.left() - xSlope() * m_xmin;
}

qreal ChartXYDataMapping::ySlope() const
{
    if (m_ymin == m_ymax)
        return 0;
    return (m_rect.top() - m_rect.bottom()) / (m_ymax / 2 - m_ymin / 2) / 2;
}

qreal ChartXYDataMapping::yOffset() const
{
    if (m_ymin == m_ymax)
        return (m_rect.top() + m_rect.bottom()) / 2.0;
    return m_rect.bottom() - ySlope() * m_ymin;
}
