#ifndef CHARTXYSCALE_H
#define CHARTXYSCALE_H

#include "chartxylimit.h"
#include "chartxylimitscan.h"
#include "chartxymodelwatch.h"

#include <QList>
#include <QObject>

class QAbstractItemModel;

// The axis limits of a chart and their computation from a model. limitView is what the
// renderer maps data, ticks and labels with; limitBase is kept as a reference only.
class ChartXYScale : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYScale(QObject *parent = nullptr);

    const ChartXYLimit &limitBase() const { return m_limitBase; }
    const ChartXYLimit &limitView() const { return m_limitView; }
    // Each setter also overwrites the other limit when that one holds values of another
    // type, so the two limits always share one type.
    void setLimitBase(const ChartXYLimit &limit);
    void setLimitView(const ChartXYLimit &limit);

    bool autoLimitBase() const { return m_autoLimitBase; }
    // With both flags off the reals kept from the last scan are let go.
    void setAutoLimitBase(bool on);
    bool autoLimitView() const { return m_autoLimitView; }
    void setAutoLimitView(bool on);
    bool autoRound() const { return m_autoRound; }
    void setAutoRound(bool on) { m_autoRound = on; }

    bool canConvert(int type) const;
    // The type shared by both limits, or QMetaType::UnknownType.
    int type() const;

    // Finds the extremes of column 0 (X) and of all further columns (Y) of the model and
    // stores them in the limits whose auto flag is set, rounded when autoRound is set.
    // Does nothing when no auto flag is set; a null model counts as empty.
    // Only values that can be drawn take part: no empty cells, non-finite numbers or
    // invalid dates and times.
    void updateLimits(QAbstractItemModel *model, uint xIntervals, uint yIntervals);
    // The same result after the values of rows first..last changed, re-reading only those
    // rows unless an extreme may have left them or the model changed shape since.
    void updateLimitsOfRows(QAbstractItemModel *model, int first, int last, uint xIntervals,
                            uint yIntervals);

    // Widens [min, max] to 'intervals' equal intervals whose size is a multiple of a power
    // of ten times 'step', keeping the type of min. Dates, times, values of mixed or
    // unconvertible types, equal, reversed or non-finite limits are left as they are, and
    // so are limits whose widening would not settle within a bounded number of passes
    // (found out before counting wherever an estimate can tell), would become infinite or
    // would no longer fit the type of min.
    static void roundLimits(QVariant &min, QVariant &max, uint intervals, double step);

    // The last scan behind the automatic limits, whose reals the drawing reuses.
    const ChartXYLimitScan &scan() const { return m_scan; }
    // The chart's one listener to its model, shared by everything that keeps what it read.
    ChartXYModelWatch &modelWatch() { return *m_watch; }

private:
    // The last rounding of one axis, so that an edit which leaves the extremes where they
    // were costs no second count.
    class Rounding
    {
    public:
        void apply(QVariant &min, QVariant &max, uint intervals);

    private:
        bool m_done = false;
        QVariant m_min;
        QVariant m_max;
        uint m_intervals = 0;
        QVariant m_lower;
        QVariant m_upper;
    };

    bool autoLimits() const { return m_autoLimitBase || m_autoLimitView; }
    void store(const ChartXYLimit &found, uint xIntervals, uint yIntervals);

    ChartXYLimitScan m_scan;
    // Row changes can only be applied to the scan while the model keeps its shape.
    ChartXYModelWatch *m_watch;
    Rounding m_roundingX;
    Rounding m_roundingY;
    ChartXYLimit m_limitBase;
    ChartXYLimit m_limitView;
    bool m_autoLimitBase = false;
    bool m_autoLimitView = false;
    bool m_autoRound = false;
};

#endif // CHARTXYSCALE_H
