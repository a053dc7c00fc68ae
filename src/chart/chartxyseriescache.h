#ifndef CHARTXYSERIESCACHE_H
#define CHARTXYSERIESCACHE_H

#include "chartxylimit.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QPointF>
#include <QRect>
#include <QTransform>
#include <QVariant>

class ChartXYDataMapping;
class ChartXYLimitScan;
class ChartXYModelWatch;
class QAbstractItemModel;
class QModelIndex;

// The series of one model as the renderer draws them, kept between paints so that a
// repaint of unchanged data never reads the model. Cells are read once, as reals: those the
// limit scan has just read are taken from it, the rest read here. The mapped points follow
// from the reals for one set of limits, one plot rectangle and one pixel width. The
// model's own signals say what has gone stale; invalidate() covers what no signal reports.
class ChartXYSeriesCache : public QObject
{
    Q_OBJECT

public:
    struct Series
    {
        QVariant colour;
        // The line to draw: the mapped positions of the rows that can be drawn, in row
        // order, or, for a series sorted by X with more than about two of them per pixel
        // column, their reduction to four per column.
        QList<QPointF> points;
        // Where markers go: the mapped positions of the rows that can be drawn, thinned
        // to one per occupied device pixel, at that pixel's centre.
        QList<QPointF> markers;
        bool hasLine = false;
        bool hasMarkers = false;
    };

    // What a paint draws of a series.
    struct Needs
    {
        bool line = true;
        bool markers = false;
        // How far a marker reaches from its point, so that points just outside the plot
        // still show their part of it.
        qreal markerReach = 0;
        // The painter's logical-to-device mapping; the markers are thinned on its pixel
        // grid where it only scales and moves, and not at all otherwise.
        QTransform device;
    };

    // scan and watch, if given, must outlive the cache; without a watch it listens to the
    // model through one of its own.
    explicit ChartXYSeriesCache(const ChartXYLimitScan *scan = nullptr,
                                ChartXYModelWatch *watch = nullptr, QObject *parent = nullptr);

    // Forgets everything read from the model.
    void invalidate();
    // The series of `column`, mapped with limit onto plot, thinned to pixel columns of
    // pixelWidth (one device pixel in plot coordinates; 0 never thins). With keep false (a
    // one-off drawing at another size) the result is not kept and what is kept stays
    // untouched.
    const Series &series(const QAbstractItemModel *model, int column, const ChartXYLimit &limit,
                         const QRect &plot, bool keep, qreal pixelWidth, const Needs &needs);
    // The line alone.
    const Series &series(const QAbstractItemModel *model, int column, const ChartXYLimit &limit,
                         const QRect &plot, bool keep, qreal pixelWidth = 0);

private:
    void watch(const QAbstractItemModel *model);
    void cellsChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                      const QList<int> &roles);
    // One real per row, NaN where the row cannot be drawn.
    const QList<double> &reals(int column);
    void readRows(int column, QList<double> &reals, int first, int last) const;
    // The DecorationRole of the column's first row.
    const QVariant &colour(int column);
    void mapInto(Series &series, int column, const ChartXYLimit &limit, const QRect &plot,
                 qreal pixelWidth, const Needs &needs);
    static void placeMarkers(Series &series, const QList<double> &xs, const QList<double> &ys,
                             const ChartXYDataMapping &mapping, const QRect &plot,
                             const Needs &needs);

    const ChartXYLimitScan *m_scan;
    ChartXYModelWatch *m_watch;
    QPointer<const QAbstractItemModel> m_model;
    int m_xType = 0;
    int m_yType = 0;
    QHash<int, QList<double>> m_reals;
    QHash<int, QVariant> m_colours;
    ChartXYLimit m_limit;
    QRect m_plot;
    qreal m_pixelWidth = 0;
    QTransform m_device;
    QHash<int, Series> m_series;
    Series m_oneOff;
};

#endif // CHARTXYSERIESCACHE_H
