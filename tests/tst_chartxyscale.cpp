#include "chartxycellreader.h"
#include "chartxyscale.h"
#include "varianttoreal.h"

#include <QStandardItemModel>
#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>

namespace {

// The widening by repeated addition, transcribed step by step. It is the reference the
// bounded implementation must match bit for bit. Without a cap, callers only feed it
// inputs that finish; with one, it stops as soon as the passes exceed the cap.
struct Widened {
    double lower;
    double upper;
    long passes;
};

Widened literalWidening(double lo, double hi, uint n, double step,
                        long cap = std::numeric_limits<long>::max())
{
    long passes = 0;
    const double range = hi - lo;
    double s = step;
    while (n * s > range) {
        if (++passes > cap)
            return {lo, hi, passes};
        const double t = s / 10;
        if (!(t > 0))
            break;
        s = t;
    }
    double inc = 0;
    double span = 0;
    if (range > 0) {
        do {
            if (++passes > cap)
                return {lo, hi, passes};
            inc = inc + s;
            span = n * inc;
        } while (!(span >= range));
    }
    double prevUpper = hi;
    double a = lo;
    double t;
    for (;;) {
        t = prevUpper < 0 ? a : 0;
        while (t < hi) {
            if (++passes > cap)
                return {lo, hi, passes};
            t = t + inc;
        }
        a = t - span;
        if (a <= lo)
            break;
        if (++passes > cap)
            return {lo, hi, passes};
        inc = inc + s;
        span = n * inc;
        prevUpper = t;
    }
    while (a + inc <= lo) {
        if (++passes > cap)
            return {lo, hi, passes};
        a = a + inc;
        t = t + inc;
    }
    return {a, t, passes};
}

// Wherever the literal steps finish within this many passes the result must be theirs.
constexpr long ExactWithin = 1000000;

bool sameBits(double a, double b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

bool sameVariant(const QVariant &a, const QVariant &b)
{
    if (a.typeId() != b.typeId())
        return false;
    if (a.typeId() == QMetaType::Double)
        return sameBits(a.toDouble(), b.toDouble());
    return a == b;
}

// The limits lo and hi as roundLimits leaves them.
std::pair<QVariant, QVariant> roundedLimits(const QVariant &lo, const QVariant &hi, uint n,
                                            double step)
{
    QVariant min = lo;
    QVariant max = hi;
    ChartXYScale::roundLimits(min, max, n, step);
    return {min, max};
}

// roundLimits must give the literal steps' result bit for bit.
void verifyLiteralResult(const Widened &expected, double lo, double hi, uint n, double step)
{
    const auto [min, max] = roundedLimits(lo, hi, n, step);
    QVERIFY(sameBits(min.toDouble(), expected.lower));
    QVERIFY(sameBits(max.toDouble(), expected.upper));
}

// What roundLimits must give for doubles: the literal steps' result where they finish
// within the budget with finite limits, and otherwise the input, untouched.
std::pair<double, double> expectedRounding(double lo, double hi, uint n, double step)
{
    const Widened literal = literalWidening(lo, hi, n, step, ExactWithin);
    if (literal.passes <= ExactWithin && std::isfinite(literal.lower)
        && std::isfinite(literal.upper))
        return {literal.lower, literal.upper};
    return {lo, hi};
}

// Compares roundLimits with expectedRounding, naming the input on failure; true if rounded.
bool verifyExpectedRounding(double lo, double hi, uint n, double step)
{
    const auto [lower, upper] = expectedRounding(lo, hi, n, step);
    const auto [min, max] = roundedLimits(lo, hi, n, step);
    const QByteArray where = QByteArray::number(lo, 'g', 17) + " .. "
            + QByteArray::number(hi, 'g', 17) + " / " + QByteArray::number(n) + " step "
            + QByteArray::number(step, 'g', 17);
    [&] {
        QVERIFY2(sameBits(min.toDouble(), lower), where.constData());
        QVERIFY2(sameBits(max.toDouble(), upper), where.constData());
    }();
    return !(sameBits(lower, lo) && sameBits(upper, hi));
}

// A rounded result is sound when it is left as it was, or is finite, keeps the types and
// covers the input.
bool soundResult(const QVariant &min, const QVariant &max, const QVariant &lower,
                 const QVariant &upper)
{
    if (sameVariant(lower, min) && sameVariant(upper, max))
        return true;
    const double a = variantToReal(lower);
    const double t = variantToReal(upper);
    return lower.typeId() == min.typeId() && upper.typeId() == max.typeId()
            && std::isfinite(a) && std::isfinite(t) && a <= variantToReal(min)
            && variantToReal(max) <= t;
}

QStandardItemModel *modelOf(const QList<QVariantList> &rows, QObject *parent)
{
    auto *model = new QStandardItemModel(parent);
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows[r].size(); ++c) {
            auto *item = new QStandardItem;
            item->setData(rows[r][c], Qt::DisplayRole);
            model->setItem(r, c, item);
        }
    }
    return model;
}

ChartXYLimit limitOf(const QVariant &xmin, const QVariant &xmax, const QVariant &ymin,
                     const QVariant &ymax)
{
    return ChartXYLimit(ChartXYLimitAxis(xmin, xmax), ChartXYLimitAxis(ymin, ymax));
}

void verifyAxis(const ChartXYLimitAxis &axis, const QVariant &min, const QVariant &max)
{
    QVERIFY2(sameVariant(axis.min(), min), qPrintable(axis.min().toString()));
    QVERIFY2(sameVariant(axis.max(), max), qPrintable(axis.max().toString()));
}

const double Inf = std::numeric_limits<double>::infinity();
const double NaN = std::numeric_limits<double>::quiet_NaN();

} // namespace

class TestChartXYScale : public QObject
{
    Q_OBJECT

private slots:
    void roundWorkedValues_data();
    void roundWorkedValues();
    void roundMatchesLiteralSteps();
    void roundSlowButFinite_data();
    void roundSlowButFinite();
    void roundExtremeInputs_data();
    void roundExtremeInputs();
    void roundOneIntervalAcrossZero_data();
    void roundOneIntervalAcrossZero();
    void roundLeavesUnroundableAlone_data();
    void roundLeavesUnroundableAlone();
    void roundGivesUpOnlyWhereCountCannotFinish();

    void updateWithAutoFlagsOff();
    void updateEmptyAndNullModel();
    void updateOneColumn();
    void updateIntegerAxisRounded();
    void updateEqualValuesNotRounded();
    void updateCalendarValuesNeverRounded_data();
    void updateCalendarValuesNeverRounded();
    void updateTiesKeepFirstValue();
    void updateStoresThroughFlags();
    void updateLeavesOutUndrawableValues_data();
    void updateLeavesOutUndrawableValues();
    void updateOverflowingRangeLeftUnrounded();

    void rowUpdatesMatchFullScan();
    void rowUpdateReadsOnlyItsRows();
    void rowUpdateKeepsTypeOfNewValues();
    void keptRealsFollowEdits();
    void cellReaderMatchesData();
};

void TestChartXYScale::roundWorkedValues_data()
{
    QTest::addColumn<QVariant>("min");
    QTest::addColumn<QVariant>("max");
    QTest::addColumn<uint>("intervals");
    QTest::addColumn<QVariant>("lower");
    QTest::addColumn<QVariant>("upper");

    QTest::newRow("int 1..6 / 3") << QVariant(1) << QVariant(6) << 3u << QVariant(0) << QVariant(6);
    QTest::newRow("tenths") << QVariant(31.4569) << QVariant(34.3829) << 7u << QVariant(31.0)
                            << QVariant(34.5);
    QTest::newRow("from zero") << QVariant(0.4684) << QVariant(14.9983) << 7u << QVariant(0.0)
                               << QVariant(21.0);
    QTest::newRow("BMI like") << QVariant(23.9013) << QVariant(40.4962) << 7u << QVariant(21.0)
                              << QVariant(42.0);
    QTest::newRow("across zero") << QVariant(-7.5) << QVariant(3.2) << 4u << QVariant(-8.0)
                                 << QVariant(8.0);
    QTest::newRow("already whole") << QVariant(1.0) << QVariant(6.0) << 5u << QVariant(1.0)
                                   << QVariant(6.0);
    QTest::newRow("int already whole") << QVariant(1) << QVariant(6) << 5u << QVariant(1)
                                       << QVariant(6);
}

void TestChartXYScale::roundWorkedValues()
{
    QFETCH(QVariant, min);
    QFETCH(QVariant, max);
    QFETCH(uint, intervals);
    QFETCH(QVariant, lower);
    QFETCH(QVariant, upper);

    ChartXYScale::roundLimits(min, max, intervals, 1.0);
    QCOMPARE(min.typeId(), lower.typeId());
    QCOMPARE(max.typeId(), upper.typeId());
    QVERIFY2(sameVariant(min, lower), qPrintable(QString::number(min.toDouble(), 'g', 17)));
    QVERIFY2(sameVariant(max, upper), qPrintable(QString::number(max.toDouble(), 'g', 17)));
}

// Thousands of inputs of every kind of magnitude and sign, each compared bit for bit with
// the literal steps.
void TestChartXYScale::roundMatchesLiteralSteps()
{
    std::mt19937_64 random(20261208);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const uint intervalChoices[] = {1, 2, 3, 4, 5, 6, 7, 10};
    const double stepChoices[] = {1.0, 1.0, 1.0, 0.5, 2.5, 10.0};

    int rounded = 0;
    const int cases = 6000;
    for (int i = 0; i < cases; ++i) {
        const double magnitude = std::pow(10.0, -6 + 10 * unit(random));
        const double centre = (unit(random) < 0.5 ? -1 : 1) * magnitude * unit(random);
        // Ranges from a thousandth of the magnitude up to far wider than it, so that zero
        // is crossed often. Wider still would only make the reference slow.
        const double range = magnitude * std::pow(10.0, -3 + 4.5 * unit(random));
        const double lo = centre - range * unit(random);
        const double hi = lo + range;
        const uint n = intervalChoices[random() % std::size(intervalChoices)];
        const double step = stepChoices[random() % std::size(stepChoices)];
        // One interval across zero never settles (see roundOneIntervalAcrossZero).
        if (!(lo < hi) || (n == 1 && lo < 0 && hi > 0))
            continue;

        const Widened expected = literalWidening(lo, hi, n, step);
        const auto [min, max] = roundedLimits(lo, hi, n, step);
        const QByteArray where = QByteArray::number(lo, 'g', 17) + " .. "
                + QByteArray::number(hi, 'g', 17) + " / " + QByteArray::number(n) + " step "
                + QByteArray::number(step);
        if (expected.passes <= ExactWithin) {
            QVERIFY2(sameBits(min.toDouble(), expected.lower), where.constData());
            QVERIFY2(sameBits(max.toDouble(), expected.upper), where.constData());
            ++rounded;
        } else {
            QVERIFY2(soundResult(QVariant(lo), QVariant(hi), min, max), where.constData());
        }
    }
    QVERIFY(rounded > cases * 9 / 10);

    // Integer data, stored back as integers.
    for (int i = 0; i < 1000; ++i) {
        const int lo = int(random() % 200001) - 100000;
        const int hi = lo + 1 + int(random() % 5000);
        const uint n = intervalChoices[random() % std::size(intervalChoices)];
        const Widened expected = literalWidening(lo, hi, n, 1.0);
        QVERIFY(expected.passes <= ExactWithin);
        const auto [min, max] = roundedLimits(lo, hi, n, 1.0);
        const QByteArray where = QByteArray::number(lo) + " .. " + QByteArray::number(hi);
        QCOMPARE(min.typeId(), int(QMetaType::Int));
        QCOMPARE(max.typeId(), int(QMetaType::Int));
        QVERIFY2(min == QVariant(expected.lower).toInt(), where.constData());
        QVERIFY2(max == QVariant(expected.upper).toInt(), where.constData());
    }
}

// Counts of hundreds of thousands of passes are still carried out to the end.
void TestChartXYScale::roundSlowButFinite_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");

    QTest::newRow("100, range 0.001") << 100.0 << 100.001;
    QTest::newRow("1000, range 0.01") << 1000.0 << 1000.01;
    QTest::newRow("40, range 0.001") << 40.0 << 40.001;
}

void TestChartXYScale::roundSlowButFinite()
{
    QFETCH(double, lo);
    QFETCH(double, hi);

    const Widened expected = literalWidening(lo, hi, 4, 1.0);
    QVERIFY(expected.passes > 100000 && expected.passes <= ExactWithin);
    verifyLiteralResult(expected, lo, hi, 4, 1.0);
}

// Inputs for which the literal steps never end, or only after astronomically many passes.
// They must return, with a sound result; non-finite limits stay as they are.
void TestChartXYScale::roundExtremeInputs_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");
    QTest::addColumn<bool>("unrounded");

    QTest::newRow("NaN..1") << NaN << 1.0 << true;
    QTest::newRow("1..NaN") << 1.0 << NaN << true;
    QTest::newRow("NaN..NaN") << NaN << NaN << true;
    QTest::newRow("-inf..1") << -Inf << 1.0 << true;
    QTest::newRow("1..inf") << 1.0 << Inf << true;
    QTest::newRow("-inf..inf") << -Inf << Inf << true;
    QTest::newRow("inf..inf") << Inf << Inf << true;
    QTest::newRow("1e9, range 1e-6") << 1e9 << 1e9 + 1e-6 << false;
    QTest::newRow("1e17, range 64") << 1e17 << 1e17 + 64 << false;
    QTest::newRow("-1e17..1e17") << -1e17 << 1e17 << false;
    QTest::newRow("1e300..2e300") << 1e300 << 2e300 << false;
    QTest::newRow("-1e300..1e300") << -1e300 << 1e300 << false;
    QTest::newRow("-max..max") << -std::numeric_limits<double>::max()
                               << std::numeric_limits<double>::max() << false;
    QTest::newRow("denormals") << 5e-324 << 1e-322 << false;
    QTest::newRow("zero..least denormal") << 0.0 << 5e-324 << false;
    QTest::newRow("-1e-320..-1e-321") << -1e-320 << -1e-321 << false;
    QTest::newRow("5000, range 0.001") << 5000.0 << 5000.001 << false;
}

// With one interval the upper limit is a multiple of it counted from zero and the lower
// one an interval below, so a range across zero is never covered and the interval grows
// for ever. A chart with two ticks on an axis asks for exactly this.
void TestChartXYScale::roundOneIntervalAcrossZero_data()
{
    QTest::addColumn<double>("lo");
    QTest::addColumn<double>("hi");

    QTest::newRow("-7.5..3.2") << -7.5 << 3.2;
    QTest::newRow("-0.001..1000") << -0.001 << 1000.0;
    QTest::newRow("-1e6..1e-6") << -1e6 << 1e-6;
}

void TestChartXYScale::roundOneIntervalAcrossZero()
{
    QFETCH(double, lo);
    QFETCH(double, hi);

    const auto [min, max] = roundedLimits(lo, hi, 1, 1.0);
    QVERIFY(soundResult(QVariant(lo), QVariant(hi), min, max));

    // The neighbouring cases do settle and are rounded as usual.
    for (const auto &[a, b] : {std::pair(0.0, hi), std::pair(lo, 0.0)}) {
        verifyLiteralResult(literalWidening(a, b, 1, 1.0), a, b, 1, 1.0);
        if (QTest::currentTestFailed())
            return;
    }
}

void TestChartXYScale::roundExtremeInputs()
{
    QFETCH(double, lo);
    QFETCH(double, hi);
    QFETCH(bool, unrounded);

    for (uint n : {1u, 4u, 7u}) {
        const auto [min, max] = roundedLimits(lo, hi, n, 1.0);
        if (unrounded) {
            QVERIFY(sameVariant(min, QVariant(lo)));
            QVERIFY(sameVariant(max, QVariant(hi)));
        } else {
            QVERIFY(soundResult(QVariant(lo), QVariant(hi), min, max));
        }
    }
}

// Limits that cannot or must not be widened come back exactly as they went in.
void TestChartXYScale::roundLeavesUnroundableAlone_data()
{
    QTest::addColumn<QVariant>("min");
    QTest::addColumn<QVariant>("max");
    QTest::addColumn<uint>("intervals");
    QTest::addColumn<double>("step");

    const QDate date(2024, 3, 1);
    QTest::newRow("dates") << QVariant(date) << QVariant(date.addDays(9)) << 3u << 1.0;
    QTest::newRow("times") << QVariant(QTime(8, 0)) << QVariant(QTime(9, 7)) << 3u << 1.0;
    QTest::newRow("date-times") << QVariant(QDateTime(date, QTime(1, 2)))
                                << QVariant(QDateTime(date, QTime(5, 0))) << 3u << 1.0;
    // Close enough together that the count would finish quickly.
    QTest::newRow("times ms apart") << QVariant(QTime(0, 0, 0, 1))
                                    << QVariant(QTime(0, 0, 0, 8)) << 3u << 1.0;
    QTest::newRow("date-times ms apart") << QVariant(QDateTime::fromMSecsSinceEpoch(5, Qt::UTC))
                                         << QVariant(QDateTime::fromMSecsSinceEpoch(9, Qt::UTC))
                                         << 3u << 1.0;
    QTest::newRow("mixed types") << QVariant(1) << QVariant(6.5) << 3u << 1.0;
    QTest::newRow("equal") << QVariant(2.5) << QVariant(2.5) << 3u << 1.0;
    QTest::newRow("invalid") << QVariant() << QVariant() << 3u << 1.0;
    QTest::newRow("unconvertible") << QVariant(QPoint(1, 2)) << QVariant(QPoint(3, 4)) << 3u
                                   << 1.0;
    QTest::newRow("reversed") << QVariant(6.0) << QVariant(1.0) << 3u << 1.0;
    QTest::newRow("reversed negative") << QVariant(-1.0) << QVariant(-3.0) << 3u << 1.0;
    QTest::newRow("no intervals") << QVariant(1.0) << QVariant(6.0) << 0u << 1.0;
    QTest::newRow("zero step") << QVariant(1.0) << QVariant(6.0) << 3u << 0.0;
    QTest::newRow("negative step") << QVariant(1.0) << QVariant(6.0) << 3u << -1.0;
    QTest::newRow("infinite step") << QVariant(1.0) << QVariant(6.0) << 3u << Inf;
    QTest::newRow("NaN step") << QVariant(1.0) << QVariant(6.0) << 3u << NaN;
    // Rounded up to 32795, which a short would wrap round to a negative value.
    QTest::newRow("short overflow") << QVariant::fromValue(short(30000))
                                    << QVariant::fromValue(short(32767)) << 3u << 1.0;
}

void TestChartXYScale::roundLeavesUnroundableAlone()
{
    QFETCH(QVariant, min);
    QFETCH(QVariant, max);
    QFETCH(uint, intervals);
    QFETCH(double, step);

    const auto [lower, upper] = roundedLimits(min, max, intervals, step);
    QVERIFY(sameVariant(lower, min));
    QVERIFY(sameVariant(upper, max));
}

// Over ranges from far below to far beyond what the count can manage, and values far from
// zero, the result is the literal steps' wherever they finish within the budget, and the
// input, untouched, wherever they do not: giving up early must never change a result.
void TestChartXYScale::roundGivesUpOnlyWhereCountCannotFinish()
{
    std::mt19937_64 random(11);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    const uint intervalChoices[] = {1, 2, 3, 7, 10, 1000, 4000000000u};
    const double stepChoices[] = {1.0, 1.0, 0.5, 10.0};

    int given = 0;
    int rounded = 0;
    for (int i = 0; i < 1500; ++i) {
        const double centre = (unit(random) < 0.5 ? -1 : 1) * std::pow(10.0, -4 + 18 * unit(random));
        const double range = std::pow(10.0, -6 + 18 * unit(random));
        const double lo = unit(random) < 0.3 ? centre : centre - range * unit(random);
        const double hi = lo + range;
        const uint n = intervalChoices[random() % std::size(intervalChoices)];
        const double step = stepChoices[random() % std::size(stepChoices)];
        if (!(lo < hi))
            continue;
        ++(verifyExpectedRounding(lo, hi, n, step) ? rounded : given);
        if (QTest::currentTestFailed())
            return;
    }
    // Both kinds must really have been met.
    QVERIFY(rounded > 100);
    QVERIFY(given > 100);

    // A range of about 10^10 in 7 intervals, far beyond the budget.
    QVERIFY(!verifyExpectedRounding(-3.2e9, 7.1e9, 7, 1.0));

    // Steps so large that a range which overflows still fits into a few intervals, the
    // window's lower end falls to minus infinity, or the upper one would overflow (the
    // last pair: the literal steps end at infinity there, which cannot be drawn with).
    const double most = std::numeric_limits<double>::max();
    const std::pair<double, double> huge[] = {{-most, most}, {-1e308, 1e308}, {0.0, most},
                                              {1.0699729550020836e+308, 1.7223523766705542e+308}};
    for (const auto &[lo, hi] : huge) {
        for (const double step : {1e308, 5e307, most, 7.9473557222712099e+307}) {
            for (const uint n : {1u, 2u, 3u}) {
                verifyExpectedRounding(lo, hi, n, step);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }

    // Subnormal limits, where halving a value or an interval rounds it away.
    const double least = std::numeric_limits<double>::denorm_min();
    for (const double lo : {0.0, least, 2 * least, -40 * least, -3 * least}) {
        for (int k = 1; k <= 40; ++k) {
            for (const uint n : {1u, 2u, 3u, 4u, 7u}) {
                verifyExpectedRounding(lo, lo + k * least, n, 1.0);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }
}

void TestChartXYScale::updateWithAutoFlagsOff()
{
    QObject owner;
    QStandardItemModel *model = modelOf({{1, 2.0}, {6, 9.0}}, &owner);
    ChartXYScale scale;
    const ChartXYLimit before = limitOf(10, 20, 30.0, 40.0);
    scale.setLimitView(before);
    scale.setAutoRound(true);

    scale.updateLimits(model, 3, 3);
    QCOMPARE(scale.limitView(), before);
    QCOMPARE(scale.limitBase(), before);
}

void TestChartXYScale::updateEmptyAndNullModel()
{
    QStandardItemModel empty;
    for (QAbstractItemModel *model : {static_cast<QAbstractItemModel *>(&empty),
                                      static_cast<QAbstractItemModel *>(nullptr)}) {
        ChartXYScale scale;
        scale.setLimitView(limitOf(1, 2, 3.0, 4.0));
        scale.setAutoLimitView(true);
        scale.setAutoRound(true);
        scale.updateLimits(model, 3, 3);
        QCOMPARE(scale.limitView(), ChartXYLimit());
        QCOMPARE(scale.limitView().type(), int(QMetaType::UnknownType));
        QCOMPARE(scale.limitBase(), ChartXYLimit());
    }
}

void TestChartXYScale::updateOneColumn()
{
    QObject owner;
    QStandardItemModel *model = modelOf({{3.5}, {-1.25}, {2.0}}, &owner);
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.updateLimits(model, 3, 3);
    verifyAxis(scale.limitView().x(), -1.25, 3.5);
    QVERIFY(!scale.limitView().y().min().isValid());
    QVERIFY(!scale.limitView().y().max().isValid());
    QCOMPARE(scale.limitView().y().type(), int(QMetaType::UnknownType));
}

void TestChartXYScale::updateIntegerAxisRounded()
{
    QObject owner;
    // Two series share one Y range.
    QStandardItemModel *model = modelOf({{1, 31.4569, 32.0},
                                         {2, 33.0, 34.3829},
                                         {3, 32.5, 33.0},
                                         {4, 32.0, 32.5},
                                         {5, 32.1, 33.3},
                                         {6, 31.9, 32.2}},
                                        &owner);
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.setAutoRound(true);
    scale.updateLimits(model, 3, 7);
    verifyAxis(scale.limitView().x(), 0, 6);
    QCOMPARE(scale.limitView().x().type(), int(QMetaType::Int));
    verifyAxis(scale.limitView().y(), 31.0, 34.5);
    QCOMPARE(scale.limitView().y().type(), int(QMetaType::Double));
}

void TestChartXYScale::updateEqualValuesNotRounded()
{
    QObject owner;
    QStandardItemModel *model = modelOf({{1, 27.3}, {2, 27.3}, {3, 27.3}}, &owner);
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.setAutoRound(true);
    scale.updateLimits(model, 3, 3);
    verifyAxis(scale.limitView().y(), 27.3, 27.3);
}

void TestChartXYScale::updateCalendarValuesNeverRounded_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QVariant>("min");
    QTest::addColumn<QVariant>("max");

    const QDate d(2025, 2, 28);
    QTest::newRow("dates") << QVariantList{d.addDays(3), d, d.addDays(17), d.addDays(1)}
                           << QVariant(d) << QVariant(d.addDays(17));
    QTest::newRow("times") << QVariantList{QTime(9, 30, 1), QTime(7, 15), QTime(23, 59, 59, 999)}
                           << QVariant(QTime(7, 15)) << QVariant(QTime(23, 59, 59, 999));
    const QDateTime t(d, QTime(13, 7, 3));
    QTest::newRow("date-times") << QVariantList{t, t.addSecs(-7), t.addDays(40)}
                                << QVariant(t.addSecs(-7)) << QVariant(t.addDays(40));
}

void TestChartXYScale::updateCalendarValuesNeverRounded()
{
    QFETCH(QVariantList, values);
    QFETCH(QVariant, min);
    QFETCH(QVariant, max);

    QList<QVariantList> rows;
    for (const QVariant &value : values)
        rows.append({value, value});
    QObject owner;
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.setAutoRound(true);
    scale.updateLimits(modelOf(rows, &owner), 3, 3);
    verifyAxis(scale.limitView().x(), min, max);
    verifyAxis(scale.limitView().y(), min, max);
}

// Only a strictly smaller or larger value replaces an extreme, so on ties the variant
// met first is kept, with its type.
void TestChartXYScale::updateTiesKeepFirstValue()
{
    QObject owner;
    QStandardItemModel *model = modelOf({{1, 5.0}, {1.0, 2}, {3.0, 5}, {3, 2.0}}, &owner);
    ChartXYScale scale;
    scale.setAutoLimitBase(true);
    scale.updateLimits(model, 3, 3);
    verifyAxis(scale.limitBase().x(), 1, 3.0);
    verifyAxis(scale.limitBase().y(), 2, 5.0);
}

void TestChartXYScale::updateStoresThroughFlags()
{
    QObject owner;
    QStandardItemModel *model = modelOf({{1.0, 5.0}, {2.0, 7.0}}, &owner);
    const ChartXYLimit found = limitOf(1.0, 2.0, 5.0, 7.0);
    const ChartXYLimit other = limitOf(0.0, 9.0, 0.0, 9.0);

    // Base only: the view, of the same type, keeps its limits.
    ChartXYScale scale;
    scale.setLimitView(other);
    scale.setAutoLimitBase(true);
    scale.updateLimits(model, 3, 3);
    QCOMPARE(scale.limitBase(), found);
    QCOMPARE(scale.limitView(), other);

    // View only: the base, of the same type, keeps its limits.
    ChartXYScale viewScale;
    viewScale.setLimitView(other);
    viewScale.setAutoLimitView(true);
    viewScale.updateLimits(model, 3, 3);
    QCOMPARE(viewScale.limitView(), found);
    QCOMPARE(viewScale.limitBase(), other);

    // Mixed int X and double Y: the limits' type is invalid, so both are overwritten.
    QStandardItemModel *mixed = modelOf({{1, 5.0}, {2, 7.0}}, &owner);
    ChartXYScale mixedScale;
    mixedScale.setAutoLimitView(true);
    mixedScale.updateLimits(mixed, 3, 3);
    mixedScale.setLimitBase(other);
    mixedScale.updateLimits(mixed, 3, 3);
    QCOMPARE(mixedScale.limitBase(), mixedScale.limitView());
    verifyAxis(mixedScale.limitBase().x(), 1, 2);
}

// Values that cannot be drawn (empty cells, NaN, infinities, invalid dates and times) take
// no part in the limits, wherever they stand: the other values give the limits they would
// give alone. Rounding is on, as in the result dialog.
void TestChartXYScale::updateLeavesOutUndrawableValues_data()
{
    QTest::addColumn<QList<QVariantList>>("rows");
    QTest::addColumn<QVariant>("xmin");
    QTest::addColumn<QVariant>("xmax");

    const QVariant none;
    QTest::newRow("NaN in the first row") << QList<QVariantList>{{1, NaN}, {2, 2.0}, {3, 5.0}}
                                          << QVariant(1) << QVariant(3);
    QTest::newRow("NaN X in the first row") << QList<QVariantList>{{NaN, 2.0}, {1, 5.0}, {3, 3.0}}
                                            << QVariant(1) << QVariant(3);
    QTest::newRow("inf") << QList<QVariantList>{{1, 2.0}, {2, Inf}, {3, 5.0}} << QVariant(1)
                         << QVariant(3);
    QTest::newRow("-inf") << QList<QVariantList>{{1, 2.0}, {2, -Inf}, {3, 5.0}} << QVariant(1)
                          << QVariant(3);
    QTest::newRow("inf X") << QList<QVariantList>{{1, 2.0}, {Inf, 3.0}, {3, 5.0}} << QVariant(1)
                           << QVariant(3);
    QTest::newRow("empty cell") << QList<QVariantList>{{1, 2.0}, {2, none}, {3, 5.0}}
                                << QVariant(1) << QVariant(3);
    QTest::newRow("second series") << QList<QVariantList>{{1, 2.0, NaN}, {2, 3.0, -Inf}, {3, 4.0, 5.0}}
                                   << QVariant(1) << QVariant(3);
    const QDate d(2025, 3, 1);
    QTest::newRow("invalid date") << QList<QVariantList>{{d, 2.0}, {QDate(), 3.0}, {d.addDays(5), 5.0}}
                                  << QVariant(d) << QVariant(d.addDays(5));
    QTest::newRow("invalid time")
            << QList<QVariantList>{{QTime(8, 0), 2.0}, {QTime(), 3.0}, {QTime(9, 0), 5.0}}
            << QVariant(QTime(8, 0)) << QVariant(QTime(9, 0));
    const QDateTime t(d, QTime(6, 30));
    QTest::newRow("invalid date-time")
            << QList<QVariantList>{{t, 2.0}, {QDateTime(), 3.0}, {t.addSecs(60), 5.0}}
            << QVariant(t) << QVariant(t.addSecs(60));
}

void TestChartXYScale::updateLeavesOutUndrawableValues()
{
    QFETCH(QList<QVariantList>, rows);
    QFETCH(QVariant, xmin);
    QFETCH(QVariant, xmax);

    QObject owner;
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.setAutoRound(true);
    scale.updateLimits(modelOf(rows, &owner), 2, 3);
    verifyAxis(scale.limitView().x(), xmin, xmax);
    verifyAxis(scale.limitView().y(), 2.0, 5.0);
}

// From -1e308 to 1e308 the range overflows a double: no interval can be counted, so the
// limits stay as found, finite, and the series can still be drawn.
void TestChartXYScale::updateOverflowingRangeLeftUnrounded()
{
    QObject owner;
    const double huge = 1e308;
    QStandardItemModel *model = modelOf({{1, -huge}, {2, 0.0}, {3, huge}}, &owner);
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.setAutoRound(true);
    scale.updateLimits(model, 2, 7);
    verifyAxis(scale.limitView().x(), 1, 3);
    verifyAxis(scale.limitView().y(), -huge, huge);
}

namespace {

// A cell value from a small set, so that ties between cells and between int and double
// are frequent, with now and then one that cannot be drawn.
QVariant editValue(std::mt19937_64 &random)
{
    const int k = int(random() % 26);
    if (k < 8)
        return k;
    if (k < 16)
        return (k - 12) / 2.0;
    // The extremes come as int and as double, so that ties there differ in type.
    const QVariant odd[] = {NaN, Inf, -Inf, QVariant(), 100.0, 100, -100, -100.0, 1e300, 0.0};
    return odd[k - 16];
}

bool sameLimit(const ChartXYLimit &a, const ChartXYLimit &b)
{
    return sameVariant(a.x().min(), b.x().min()) && sameVariant(a.x().max(), b.x().max())
            && sameVariant(a.y().min(), b.y().min()) && sameVariant(a.y().max(), b.y().max());
}

// Counts how often the scale reads a cell.
class CountingModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    mutable int reads = 0;

    QVariant data(const QModelIndex &index, int role) const override
    {
        if (role == Qt::DisplayRole)
            ++reads;
        return QStandardItemModel::data(index, role);
    }
};

// Doubles its numbers on display: an item of a subclass answers for itself.
class DoublingItem : public QStandardItem
{
public:
    using QStandardItem::QStandardItem;
    QVariant data(int role) const override
    {
        const QVariant value = QStandardItem::data(role);
        return role == Qt::DisplayRole && value.typeId() == QMetaType::Double
                ? QVariant(2 * value.toDouble())
                : value;
    }
};

// Shows every number one higher: a subclass of the model answers for its items.
class ShiftingModel : public QStandardItemModel
{
public:
    using QStandardItemModel::QStandardItemModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        const QVariant value = QStandardItemModel::data(index, role);
        return role == Qt::DisplayRole && value.typeId() == QMetaType::Double
                ? QVariant(value.toDouble() + 1)
                : value;
    }
};

} // namespace

// Thousands of random edits of single cells and blocks of rows, with rows coming and
// going, rounding and interval counts changing: after each, updating only the rows
// changed gives, bit for bit and type for type, what a full scan gives.
void TestChartXYScale::rowUpdatesMatchFullScan()
{
    std::mt19937_64 random(5);
    QStandardItemModel model(40, 3);
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            model.setData(model.index(r, c), editValue(random));

    // The reference always scans the whole model. Both keep their history: a limit that
    // compares equal to the one found (int 2 and double 2.0) is not replaced.
    ChartXYScale scale, reference;
    for (ChartXYScale *each : {&scale, &reference}) {
        each->setAutoLimitBase(true);
        each->setAutoLimitView(true);
        each->setAutoRound(true);
    }
    uint xIntervals = 3, yIntervals = 4;
    scale.updateLimits(&model, xIntervals, yIntervals);

    for (int step = 0; step < 4000; ++step) {
        const int action = int(random() % 24);
        int first = int(random() % model.rowCount());
        int last = first;
        if (action == 0) {
            model.insertRow(first);
            for (int c = 0; c < model.columnCount(); ++c)
                model.setData(model.index(first, c), editValue(random));
        } else if (action == 1 && model.rowCount() > 2) {
            model.removeRow(first);
            first = last = 0;
        } else if (action == 2) {
            scale.setAutoRound(!scale.autoRound());
            yIntervals = 1 + uint(random() % 7);
        } else if (action >= 20) {
            // Rows change places without a cell changing.
            model.sort(int(random() % 3), random() % 2 ? Qt::AscendingOrder : Qt::DescendingOrder);
        } else if (action == 3) {
            last = std::min(model.rowCount() - 1, first + int(random() % 5));
            for (int r = first; r <= last; ++r)
                model.setData(model.index(r, int(random() % 3)), editValue(random));
        } else {
            model.setData(model.index(first, int(random() % 3)), editValue(random));
        }
        scale.updateLimitsOfRows(&model, first, last, xIntervals, yIntervals);

        reference.setAutoRound(scale.autoRound());
        reference.updateLimits(&model, xIntervals, yIntervals);
        QVERIFY2(sameLimit(scale.limitView(), reference.limitView()), qPrintable(QString::number(step)));
        QVERIFY(sameLimit(scale.limitBase(), reference.limitBase()));
    }
}

// An edit that leaves the extremes where they were reads its own row and the extremes'
// cells only. One that takes an extreme away, or follows a change of shape, reads the whole
// model and still gives the right limits.
void TestChartXYScale::rowUpdateReadsOnlyItsRows()
{
    const int rows = 1000;
    CountingModel model(rows, 3);
    for (int r = 0; r < rows; ++r) {
        model.setData(model.index(r, 0), r);
        model.setData(model.index(r, 1), 10.0 + r % 7);
        model.setData(model.index(r, 2), 20.0 - r % 5);
    }
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.updateLimits(&model, 3, 3);
    verifyAxis(scale.limitView().y(), 10.0, 20.0);

    const auto readsFor = [&](int row, int column, const QVariant &value) {
        model.setData(model.index(row, column), value);
        model.reads = 0;
        scale.updateLimitsOfRows(&model, row, row, 3, 3);
        return model.reads;
    };
    QVERIFY(readsFor(500, 1, 12.5) <= 3 + 4);
    QVERIFY(readsFor(500, 2, 25.0) <= 3 + 4);
    verifyAxis(scale.limitView().y(), 10.0, 25.0);

    // The maximum 25 at row 500 drops back: every row must be read again.
    QVERIFY(readsFor(500, 2, 15.0) >= rows * 3);
    verifyAxis(scale.limitView().y(), 10.0, 20.0);

    // A row appended without a cell change, then an edit elsewhere: the scan knows the
    // model's shape changed and reads it all.
    auto *month = new QStandardItem;
    month->setData(-5, Qt::EditRole);
    model.appendRow({month, new QStandardItem, new QStandardItem});
    QVERIFY(readsFor(3, 1, 11.0) >= rows * 3);
    verifyAxis(scale.limitView().x(), -5, rows - 1);
}

// Doubles replaced by ints of the same value: the rounded limits take the new type, as a
// full scan gives them, although the values to round are equal.
void TestChartXYScale::rowUpdateKeepsTypeOfNewValues()
{
    QObject owner;
    QStandardItemModel *model = modelOf({{1, 1.0}, {2, 6.0}}, &owner);
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.setAutoRound(true);
    scale.updateLimits(model, 1, 5);
    verifyAxis(scale.limitView().y(), 1.0, 6.0);

    model->setData(model->index(0, 1), 1);
    model->setData(model->index(1, 1), 6);
    model->setData(model->index(1, 0), 3);
    scale.updateLimitsOfRows(model, 0, 1, 1, 5);
    verifyAxis(scale.limitView().x(), 0, 3);
    verifyAxis(scale.limitView().y(), 1, 6);
}

// The reals kept for drawing follow every edit, bit for bit, and are offered only while
// the scan is current and for a column whose drawable cells are all of the type asked for.
void TestChartXYScale::keptRealsFollowEdits()
{
    std::mt19937_64 random(9);
    const auto value = [&]() -> QVariant {
        switch (random() % 10) {
        case 0:
            return NaN;
        case 1:
            return QVariant();
        default:
            return (int(random() % 200) - 100) / 4.0;
        }
    };
    QStandardItemModel model(50, 3);
    for (int r = 0; r < model.rowCount(); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            model.setData(model.index(r, c), value());
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.updateLimits(&model, 3, 3);

    for (int step = 0; step < 2000; ++step) {
        const int row = int(random() % model.rowCount());
        model.setData(model.index(row, int(random() % 3)), value());
        scale.updateLimitsOfRows(&model, row, row, 3, 3);
        for (int c = 0; c < model.columnCount(); ++c) {
            const QList<double> *reals = scale.scan().reals(&model, c, QMetaType::Double);
            QVERIFY(reals);
            QCOMPARE(reals->size(), model.rowCount());
            for (int r = 0; r < model.rowCount(); ++r) {
                const double expected = drawableReal(model.index(r, c).data());
                QVERIFY2(sameBits(reals->at(r), expected),
                         qPrintable(QStringLiteral("step %1, cell %2, %3").arg(step).arg(r).arg(c)));
            }
        }
    }

    QVERIFY(!scale.scan().reals(&model, 1, QMetaType::Int));
    QStandardItemModel other(50, 3);
    QVERIFY(!scale.scan().reals(&other, 1, QMetaType::Double));
    // An int among the doubles: that column must be read by type again, the others not.
    model.setData(model.index(7, 1), 3);
    scale.updateLimitsOfRows(&model, 7, 7, 3, 3);
    QVERIFY(!scale.scan().reals(&model, 1, QMetaType::Double));
    QVERIFY(scale.scan().reals(&model, 2, QMetaType::Double));
    // Rows that come or go make the scan stale until the next update.
    model.insertRow(0);
    QVERIFY(!scale.scan().reals(&model, 2, QMetaType::Double));
    scale.updateLimits(&model, 3, 3);
    QVERIFY(scale.scan().reals(&model, 2, QMetaType::Double));
}

// Plain models are read through their items; what comes out must be what data() gives,
// for items of every kind, cells without an item and subclasses of item and model.
void TestChartXYScale::cellReaderMatchesData()
{
    const auto fill = [](QStandardItemModel &model) {
        model.setRowCount(4);
        model.setColumnCount(3);
        model.setItem(0, 0, new QStandardItem(QStringLiteral("text")));
        model.setData(model.index(0, 1), 2.5);
        model.setData(model.index(1, 0), 7);
        model.setData(model.index(1, 1), QDate(2026, 12, 8));
        auto *doubling = new DoublingItem;
        doubling->setData(1.25, Qt::DisplayRole);
        model.setItem(2, 1, doubling);
        model.setItem(3, 2, new QStandardItem);
        // Cells (0, 2), (1, 2), (2, 0), (2, 2), (3, 0) and (3, 1) have no item at all.
    };
    QStandardItemModel plain;
    ShiftingModel shifting;
    for (QStandardItemModel *model : {&plain, static_cast<QStandardItemModel *>(&shifting)}) {
        fill(*model);
        const ChartXYCellReader reader(model);
        for (int r = 0; r < model->rowCount(); ++r)
            for (int c = 0; c < model->columnCount(); ++c)
                QVERIFY2(sameVariant(reader.value(r, c), model->index(r, c).data()),
                         qPrintable(QStringLiteral("%1, %2").arg(r).arg(c)));
    }
    QCOMPARE(ChartXYCellReader(&plain).value(2, 1).toDouble(), 2.5);
    QCOMPARE(ChartXYCellReader(&shifting).value(0, 1).toDouble(), 3.5);
}

QTEST_APPLESS_MAIN(TestChartXYScale)
#include "tst_chartxyscale.moc"
