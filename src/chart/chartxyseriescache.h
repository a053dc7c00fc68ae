#ifndef CHARTXYSERIESCACHE_H
#define CHARTXYSERIESCACHE_H

#include "chartxylimit.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QRect>
#include <QVariant>

class QAbstractItemModel;
class QModelIndex;

// The series of one model as the renderer draws them, kept between paints so that a
// repaint of unchanged data never reads the model. Cells are read once, as reals; the
// mapped points follow from those for one set of limits and one plot rectangle. The
// model's own signals say what has gone stale; invalidate() covers what no signal reports.
class ChartXYSeriesCache : public QObject
{
    Q_OBJECT

public:
    struct Series
    {
        QVariant colour;
        // Mapped positions of the rows that can be drawn, in row order.
        QList<QPointF> points;
        bool sortedByX = false;
        // The points thinned to pixel columns of thinnedWidth, once asked for.
        QList<QPointF> thinned;
        qreal thinnedWidth = 0;
    };

    explicit ChartXYSeriesCache(QObject *parent = nullptr);

    // Forgets everything read from the model.
    void invalidate();
    // The series of `column`, mapped with limit onto plot. With keep false (a one-off
    // drawing at another size) the result is not kept and what is kept stays untouched.
    Series &series(const QAbstractItemModel *model, int column, const ChartXYLimit &limit,
                   const QRect &plot, bool keep);

private:
    struct Cells
    {
        QVariant colour;
        // NaN where the row cannot be drawn.
        QList<double> reals;
    };

    void watch(const QAbstractItemModel *model);
    void cellsChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    const Cells &cells(int column);
    void readRows(int column, Cells &cells, int first, int last) const;
    void mapInto(Series &series, int column, const ChartXYLimit &limit, const QRect &plot);

    QPointer<const QAbstractItemModel> m_model;
    int m_xType = 0;
    int m_yType = 0;
    QHash<int, Cells> m_cells;
    ChartXYLimit m_limit;
    QRect m_plot;
    QHash<int, Series> m_series;
    Series m_oneOff;
};

#endif // CHARTXYSERIESCACHE_H
