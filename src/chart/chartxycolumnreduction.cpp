#include "chartxycolumnreduction.h"

#include "chartxydatamapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Appends, mapped, the rows of one pixel column that carry its ink: its first, lowest,
// highest and last row, in row order, each once.
void appendColumn(qsizetype first, qsizetype lowest, qsizetype highest, qsizetype last,
                  const QList<double> &xs, const QList<double> &ys,
                  const ChartXYDataMapping &mapping, QList<QPointF> &points)
{
    qsizetype kept[] = {first, lowest, highest, last};
    std::sort(std::begin(kept), std::end(kept));
    const auto end = std::unique(std::begin(kept), std::end(kept));
    for (auto row = std::begin(kept); row != end; ++row) {
        const QPointF p = mapping.map(xs.at(*row), ys.at(*row));
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            points.append(p);
    }
}

} // namespace

ChartXYColumnReduction reduceToColumns(const QList<double> &xs, const QList<double> &ys,
                                       const ChartXYDataMapping &mapping, qreal columnWidth)
{
    ChartXYColumnReduction reduction;
    // Columns are found from the straight line behind the mapping, by one multiplication;
    // it can differ from the mapping in the last bits, which only ever moves a point lying
    // on a column's edge into its neighbour.
    const qreal slope = mapping.xSlope() / columnWidth;
    const qreal offset = mapping.xOffset() / columnWidth;
    if (!(slope >= 0) || !std::isfinite(slope) || !std::isfinite(offset)) {
        reduction.sorted = false;
        return reduction;
    }
    // One pass over two arrays, maybe millions of rows long. The inner loop runs through
    // one pixel column with no calls and no branch on the values: which row holds the
    // lowest and the highest is looked up afterwards, among the few rows of the column.
    const double *x = xs.constData();
    const double *y = ys.constData();
    const qsizetype rows = std::min(xs.size(), ys.size());
    const auto drawable = [&](qsizetype row) { return !std::isnan(x[row]) && !std::isnan(y[row]); };
    const auto firstAt = [&](qsizetype from, double value) {
        while (!(y[from] == value && drawable(from)))
            ++from;
        return from;
    };
    double lastX = -std::numeric_limits<double>::infinity();
    qsizetype count = 0;
    qsizetype row = 0;
    while (row < rows) {
        if (!drawable(row)) {
            ++row;
            continue;
        }
        if (x[row] < lastX) {
            reduction.sorted = false;
            reduction.points.clear();
            return reduction;
        }
        // The first row of a new column.
        const double column = std::floor(x[row] * slope + offset);
        // Below this x a row lies in the same column; at or above it, its column is
        // worked out again.
        const double nextColumnAt = slope > 0 ? (column + 1 - offset) / slope
                                              : std::numeric_limits<double>::infinity();
        const qsizetype first = row;
        qsizetype last = row;
        double low = y[row], high = y[row];
        double previousX = x[row];
        ++count;
        for (++row; row < rows; ++row) {
            const double xi = x[row];
            const double yi = y[row];
            if (std::isnan(xi) || std::isnan(yi))
                continue;
            if (xi < previousX
                || (xi >= nextColumnAt && std::floor(xi * slope + offset) != column))
                break;
            previousX = xi;
            ++count;
            last = row;
            low = std::min(low, yi);
            high = std::max(high, yi);
        }
        lastX = previousX;
        appendColumn(first, firstAt(first, low), firstAt(first, high), last, xs, ys, mapping,
                     reduction.points);
    }
    reduction.drawable = count;
    return reduction;
}
