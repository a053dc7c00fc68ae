#ifndef CHARTXYCOLUMNREDUCTION_H
#define CHARTXYCOLUMNREDUCTION_H

#include <QList>
#include <QPointF>

class ChartXYDataMapping;

// A series thinned to at most four points per pixel column: the first, the lowest, the
// highest and the last of the column, in their original order. Drawn with the same pen,
// the thinned line covers the same pixels as the full one, because inside a column the
// full line cannot leave the span between lowest and highest, and it enters and leaves
// through the first and the last point.
struct ChartXYColumnReduction
{
    // The points kept, mapped; empty where x is not sorted.
    QList<QPointF> points;
    // The rows whose x and y are both drawable (neither is NaN); counted where x is sorted.
    qsizetype drawable = 0;
    // Whether x, mapped, never decreases along those rows.
    bool sorted = true;
};

// Thins the rows of xs and ys (NaN where a value cannot be drawn) to pixel columns of
// columnWidth, one device pixel in mapped coordinates. The rows are sorted into columns
// and compared in data space, and only the points kept are mapped: a million rows cost a
// pass over two arrays, not a million mappings.
ChartXYColumnReduction reduceToColumns(const QList<double> &xs, const QList<double> &ys,
                                       const ChartXYDataMapping &mapping, qreal columnWidth);

#endif // CHARTXYCOLUMNREDUCTION_H
