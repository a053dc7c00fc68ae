#include "chartxyscale.h"
#include "varianttoreal.h"

#include <QAbstractItemModel>

#include <cmath>

namespace {

// The widening counts by repeated addition in double precision. For some finite inputs,
// such as a tiny range far from zero or values so large that adding an interval changes
// nothing, the count would take practically forever; past this many passes in all loops
// together the limits are left unrounded.
constexpr long PassBudget = 1000000;

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

    // False when the passes ran out; lower() and upper() are meaningless then.
    bool run()
    {
        const double range = m_hi - m_lo;
        return findBaseStep(range) && findIntervalSize(range) && place() && tighten();
    }

    double lower() const { return m_a; }
    double upper() const { return m_t; }

private:
    bool spend() { return ++m_passes <= PassBudget; }

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

// The extremes of a set of chart values, kept as the variants met and as their reals so
// that each value is converted once.
struct Extremes
{
    QVariant min;
    QVariant max;
    double minReal = 0;
    double maxReal = 0;

    // Keeps the first value met on ties: only a strictly smaller or larger one replaces it.
    void include(const QVariant &value)
    {
        const double real = variantToReal(value);
        if (!min.isValid() || real < minReal) {
            min = value;
            minReal = real;
        }
        if (!max.isValid() || maxReal < real) {
            max = value;
            maxReal = real;
        }
    }
};

QVariant convertedTo(double value, int type)
{
    QVariant variant(value);
    variant.convert(QMetaType(type));
    return variant;
}

} // namespace

ChartXYScale::ChartXYScale(QObject *parent)
    : QObject(parent)
{
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
    if (!m_autoLimitBase && !m_autoLimitView)
        return;

    Extremes x, y;
    const int rows = model ? model->rowCount() : 0;
    const int columns = model ? model->columnCount() : 0;
    for (int row = 0; row < rows; ++row) {
        x.include(model->index(row, 0).data(Qt::DisplayRole));
        for (int column = 1; column < columns; ++column)
            y.include(model->index(row, column).data(Qt::DisplayRole));
    }

    if (m_autoRound) {
        roundLimits(x.min, x.max, xIntervals, 1.0);
        roundLimits(y.min, y.max, yIntervals, 1.0);
    }

    const ChartXYLimit limit(ChartXYLimitAxis(x.min, x.max), ChartXYLimitAxis(y.min, y.max));
    if (m_autoLimitBase)
        setLimitBase(limit);
    if (m_autoLimitView)
        setLimitView(limit);
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
    // An integer limit pushed past the end of its type would wrap around.
    if (!(variantToReal(lower) <= lo && hi <= variantToReal(upper)))
        return;
    min = lower;
    max = upper;
}
