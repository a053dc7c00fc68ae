#ifndef CHARTXYDATAMAPPING_H
#define CHARTXYDATAMAPPING_H

#include "chartxylimit.h"

#include <QPointF>
#include <QRect>

// Maps data values, already read as reals, onto a plot rectangle: the lower limits onto
// its left and bottom edge pixels, the upper limits onto its right and top ones. The
// limits are read once, not once per point.
class ChartXYDataMapping
{
public:
    ChartXYDataMapping(const QRect &rect, const ChartXYLimit &limit);

    QPointF map(qreal x, qreal y) const;
    // The straight line map() follows along X, mapped x = xSlope() * x + xOffset(), equal
    // to it but for rounding in the last bits.
    qreal xSlope() const;
    qreal xOffset() const;
    // The same along Y.
    qreal ySlope() const;
    qreal yOffset() const;

private:
    QRect m_rect;
    qreal m_xmin, m_xmax, m_ymin, m_ymax;
};

#endif // CHARTXYDATAMAPPING_H
