#include "chartxycolumnreduction.h"

#include <algorithm>
#include <cmath>

QList<QPointF> reduceToColumns(const QList<QPointF> &points, qreal columnWidth)
{
    QList<QPointF> reduced;
    const qsizetype count = points.size();
    qsizetype i = 0;
    while (i < count) {
        const qreal column = std::floor(points.at(i).x() / columnWidth);
        qsizetype first = i;
        qsizetype lowest = i;
        qsizetype highest = i;
        for (++i; i < count && std::floor(points.at(i).x() / columnWidth) == column; ++i) {
            if (points.at(i).y() < points.at(lowest).y())
                lowest = i;
            if (points.at(i).y() > points.at(highest).y())
                highest = i;
        }
        const qsizetype last = i - 1;
        qsizetype kept[] = {first, lowest, highest, last};
        std::sort(std::begin(kept), std::end(kept));
        const auto end = std::unique(std::begin(kept), std::end(kept));
        for (auto at = std::begin(kept); at != end; ++at)
            reduced.append(points.at(*at));
    }
    return reduced;
}

bool isSortedByX(const QList<QPointF> &points)
{
    return std::is_sorted(points.cbegin(), points.cend(),
                          [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
}
