#ifndef CHARTXYPOINTFINDER_H
#define CHARTXYPOINTFINDER_H

#include "chartxycellreader.h"
#include "chartxylimit.h"

#include <QModelIndex>
#include <QPointF>
#include <QRect>

class ChartXYLimitScan;

// Finds the drawn data point nearest to a place in the viewport. Points are placed as the
// renderer places them: linearly between the view limits, whose corners the caller maps
// with the renderer itself, and only where they fall inside the plot (the clip of the
// data lines). Cells the renderer leaves out (type mismatch, non-finite, invalid date or
// time) are never found. Columns the limit scan kept as reals, if one is given, are looked
// through without reading the model.
class ChartXYPointFinder
{
public:
    ChartXYPointFinder(const QAbstractItemModel &model, const ChartXYLimit &limit,
                       const QRect &plot, const QPointF &atMin, const QPointF &atMax,
                       const ChartXYLimitScan *scan = nullptr);

    // The series cell (column 1 or later) of the point nearest to pos and no further than
    // radius pixels from it; an invalid index where there is none.
    QModelIndex nearest(const QPointF &pos, qreal radius) const;
    // Where the point of a found cell lies in the viewport.
    QPointF position(const QModelIndex &cell) const;

private:
    // The drawable real of a cell, from the scan's reals where it kept them.
    bool realAt(const QList<double> *kept, int row, int column, int type, qreal &result) const;
    qreal mapX(qreal x) const;
    qreal mapY(qreal y) const;

    const QAbstractItemModel &m_model;
    const ChartXYCellReader m_cells;
    const ChartXYLimitScan *m_scan;
    int m_xType;
    int m_yType;
    QRectF m_plot;
    qreal m_xMin, m_yMin;
    QPointF m_atMin;
    qreal m_xScale, m_yScale;
};

#endif // CHARTXYPOINTFINDER_H
