#ifndef CHARTXYCOLUMNREDUCTION_H
#define CHARTXYCOLUMNREDUCTION_H

#include <QList>
#include <QPointF>

// Thins a polyline whose points are sorted by x to at most four points per pixel column:
// the first, the lowest, the highest and the last of the column, in their original order.
// Drawn with the same pen, the thinned line covers the same pixels as the full one,
// because inside a column the full line cannot leave the span between lowest and highest,
// and it enters and leaves through the first and the last point. columnWidth is one
// device pixel in the points' coordinates.
QList<QPointF> reduceToColumns(const QList<QPointF> &points, qreal columnWidth);

// Whether x never decreases along the points.
bool isSortedByX(const QList<QPointF> &points);

#endif // CHARTXYCOLUMNREDUCTION_H
