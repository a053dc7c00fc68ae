#include "chartxyscale.h"
#include "varianttoreal.h"

#include <QAbstractItemModel>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The widening counts by repeated addition in double precision. For some finite inputs,
// such as a tiny range far from zero or values so large that adding an interval changes
// nothing, the count would take practically forever; past this many passes in all loops
// together the limits are left unrounded.
constexpr long PassBudget = 1000000;

// At least how many additions of inc (> 0) it takes a running sum to climb from 'from' to
// 'to': each rounded addition adds inc and at most half an epsilon of the largest sum met
// (a whole epsilon is allowed for). A sum at minus infinity never climbs, and reaching
// plus infinity takes at least reaching the largest double. Near the end of the double
// range everything is halved first, exactly, so that nothing overflows; elsewhere nothing
// is, so that a subnormal interval is not rounded away.
double additionsNeeded(double from, double to, double inc)
{
    constexpr double Largest = std::numeric_limits<double>::max();
    if (!(to > from))
        return 0;
    if (std::isinf(from))
        return std::numeric_limits<double>::infinity();
    to = std::min(to, Largest);
    const double reach = std::max({std::abs(from), std::abs(to), inc});
    const double scale = reach > 1e300 ? 0.5 : 1.0;
    const double largest = std::max(std::abs(from), std::abs(to)) * scale + inc * scale;
    const double distance = to * scale - from * scale;
    return distance / (inc * scale + largest * std::numeric_limits<double>::epsilon());
}

// Widens [lo, hi] to n intervals of size inc, a multiple of the base step s. The literal
// sequence of additions and comparisons is kept on purpose: it decides which multiple a
// limit lands on when a running sum comes within rounding error of it.
class Widening
{
public:
    Widening(double lo, double hi, uint n, double step)
        : m_lo(lo), m_hi(hi), m_n(n), m_s(step)
    {
    }

    // False when the passes ran out, or a count is sure to outrun them before it starts;
    // lower() and upper() are meaningless then.
    bool run()
    {
        const double range = m_hi - m_lo;
        return findBaseStep(range) && findIntervalSize(range) && !placesForever() && place()
                && tighten();
    }

    double lower() const { return m_a; }
    double upper() const { return m_t; }

private:
    bool spend() { return ++m_passes <= PassBudget; }
    // Twice the passes left, as a margin for the estimates' own rounding: a count that
    // needs more would run out of passes anyway, so giving up at once changes no result.
    bool affords(double passes) const { return passes <= 2.0 * double(PassBudget - m_passes); }

    // With one interval the upper limit is a positive multiple of it, counted from zero,
    // and the lower limit one interval below, never below zero: a range across zero is
    // never covered, and the interval would grow for ever.
    bool placesForever() const { return m_n == 1 && m_lo < 0 && m_hi > 0; }

    // The step is only ever divided by ten, until n of it fit into the range.
    bool findBaseStep(double range)
    {
        while (m_n * m_s > range) {
            if (!spend())
                return false;
            const double t = m_s / 10;
            if (!(t > 0))
                break;
            m_s = t;
        }
        return true;
    }

    // The smallest multiple of s whose n-fold covers the range.
    bool findIntervalSize(double range)
    {
        if (!(range > 0))
            return true;
        // The count stops once n times the rounded interval reaches the range.
        const double reach = range / m_n * (1 - 2 * std::numeric_limits<double>::epsilon());
        if (!affords(additionsNeeded(0, reach, m_s)))
            return false;
        do {
            if (!spend())
                return false;
            m_inc = m_inc + m_s;
            m_span = m_n * m_inc;
        } while (!(m_span >= range));
        return true;
    }

    // The upper limit is the first multiple of inc, counted from 0 (or from the previous
    // lower candidate while the previous upper one was negative), that reaches hi. The
    // interval grows by s until the window also reaches down to lo.
    bool place()
    {
        double prevUpper = m_hi;
        m_a = m_lo;
        for (;;) {
            m_t = prevUpper < 0 ? m_a : 0;
            if (!affords(additionsNeeded(m_t, m_hi, m_inc)))
                return false;
            while (m_t < m_hi) {
                if (!spend())
                    return false;
                m_t = m_t + m_inc;
            }
            m_a = m_t - m_span;
            if (m_a <= m_lo)
                return true;
            if (!spend())
                return false;
            m_inc = m_inc + m_s;
            m_span = m_n * m_inc;
            prevUpper = m_t;
        }
    }

    // Moves the window up by whole intervals while it still covers lo.
    bool tighten()
    {
        if (!affords(additionsNeeded(m_a, m_lo, m_inc) - 1))
            return false;
        while (m_a + m_inc <= m_lo) {
            if (!spend())
                return false;
            m_a = m_a + m_inc;
            m_t = m_t + m_inc;
        }
        return true;
    }

    const double m_lo;
    const double m_hi;
    const double m_n;
    double m_s;
    double m_inc = 0;
    double m_span = 0;
    double m_a = 0;
    double m_t = 0;
    long m_passes = 0;
};

bool isCalendarType(int type)
{
    return type == QMetaType::QDate || type == QMetaType::QTime
            || type == QMetaType::QDateTime;
}

QVariant convertedTo(double value, int type)
{
    QVariant variant(value);
    variant.convert(QMetaType(type));
    return variant;
}

} // namespace

ChartXYScale::ChartXYScale(QObject *parent)
    : QObject(parent)
    , m_watch(new ChartXYModelWatch(this))
{
    connect(m_watch, &ChartXYModelWatch::shapeChanged, this, [this] { m_scan.invalidate(); });
}

void ChartXYScale::setLimitBase(const ChartXYLimit &limit)
{
    if (m_limitBase != limit)
        m_limitBase = limit;
    if (m_limitView.type() == QMetaType::UnknownType || m_limitView.type() != m_limitBase.type())
        m_limitView = limit;
}

void ChartXYScale::setLimitView(const ChartXYLimit &limit)
{
    if (m_limitView != limit)
        m_limitView = limit;
    if (m_limitBase.type() == QMetaType::UnknownType || m_limitBase.type() != m_limitView.type())
        m_limitBase = limit;
}

bool ChartXYScale::canConvert(int type) const
{
    return m_limitBase.canConvert(type) && m_limitView.canConvert(type);
}

int ChartXYScale::type() const
{
    return m_limitBase.type() == m_limitView.type() ? m_limitBase.type()
                                                     : int(QMetaType::UnknownType);
}

void ChartXYScale::updateLimits(QAbstractItemModel *model, uint xIntervals, uint yIntervals)
{
    if (!autoLimits()) {
        m_scan.release();
        return;
    }
    m_watch->watch(model);
    m_scan.scan(model);
    store(m_scan.limit(), xIntervals, yIntervals);
}

void ChartXYScale::updateLimitsOfRows(QAbstractItemModel *model, int first, int last,
                                      uint xIntervals, uint yIntervals)
{
    if (!autoLimits()) {
        // The scan misses this change; the next update must read everything.
        m_scan.invalidate();
        return;
    }
    if (!m_scan.rescanRows(model, first, last)) {
        updateLimits(model, xIntervals, yIntervals);
        return;
    }
    store(m_scan.limit(), xIntervals, yIntervals);
}

void ChartXYScale::setAutoLimitBase(bool on)
{
    m_autoLimitBase = on;
    if (!autoLimits())
        m_scan.release();
}

void ChartXYScale::setAutoLimitView(bool on)
{
    m_autoLimitView = on;
    if (!autoLimits())
        m_scan.release();
}

void ChartXYScale::store(const ChartXYLimit &found, uint xIntervals, uint yIntervals)
{
    QVariant xmin = found.x().min(), xmax = found.x().max();
    QVariant ymin = found.y().min(), ymax = found.y().max();
    if (m_autoRound) {
        m_roundingX.apply(xmin, xmax, xIntervals);
        m_roundingY.apply(ymin, ymax, yIntervals);
    }
    const ChartXYLimit limit(ChartXYLimitAxis(xmin, xmax), ChartXYLimitAxis(ymin, ymax));
    if (m_autoLimitBase)
        setLimitBase(limit);
    if (m_autoLimitView)
        setLimitView(limit);
}

void ChartXYScale::Rounding::apply(QVariant &min, QVariant &max, uint intervals)
{
    if (!m_done || intervals != m_intervals || !identicalValues(min, m_min)
        || !identicalValues(max, m_max)) {
        m_done = true;
        m_min = m_lower = min;
        m_max = m_upper = max;
        m_intervals = intervals;
        roundLimits(m_lower, m_upper, intervals, 1.0);
    }
    min = m_lower;
    max = m_upper;
}

void ChartXYScale::roundLimits(QVariant &min, QVariant &max, uint intervals, double step)
{
    const double lo = variantToReal(min);
    const double hi = variantToReal(max);
    const int type = min.typeId();
    if (isCalendarType(type) || !min.canConvert(QMetaType(QMetaType::Double)) || lo == hi
        || type != max.typeId())
        return;
    // None of these would ever finish counting: non-finite or reversed limits, no
    // intervals, or a step that does not move the count upwards.
    if (!std::isfinite(lo) || !std::isfinite(hi) || lo > hi || intervals == 0
        || !(step > 0) || !std::isfinite(step))
        return;

    Widening widening(lo, hi, intervals, step);
    if (!widening.run())
        return;
    const QVariant lower = convertedTo(widening.lower(), type);
    const QVariant upper = convertedTo(widening.upper(), type);
    // An integer limit pushed past the end of its type would wrap around, and a double
    // one past the largest double would become infinite: neither could be drawn with.
    const double a = variantToReal(lower);
    const double t = variantToReal(upper);
    if (!(a <= lo && hi <= t && std::isfinite(a) && std::isfinite(t)))
        return;
    min = lower;
    max = upper;
}
