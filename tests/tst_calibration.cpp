// The clinic's range: its interpolation between whole months, the three words at and around
// each edge, and the calibrations kept in the case book.
#include "calibrationstore.h"
#include "caseschema.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "clinicrange.h"

#include <QSqlQuery>
#include <QTest>

#include <cmath>

namespace {

// Months 1 to 4 with offsets -k … 2k around a mean of k / 2, month 5 with 19 people and
// so none, month 6 with -7 … 11 around 3.
Calibration sampleCalibration()
{
    Calibration c;
    for (int k = 1; k <= CourseMonths; ++k) {
        CalibrationMonth &m = c.months[k - 1];
        m.n = k == 5 ? 19 : 40 - k;
        m.meanError = k == 6 ? 3 : k / 2.0;
        m.sdError = 0.25 * k;
        if (k != 5) {
            m.low = k == 6 ? -7 : -k;
            m.high = k == 6 ? 11 : 2 * k;
        }
    }
    c.people = 41;
    c.modelVersion = QStringLiteral("1.0.0");
    return c;
}

} // namespace

class TestCalibration : public QObject
{
    Q_OBJECT

private slots:
    void offsetsBetweenWholeMonths_data();
    void offsetsBetweenWholeMonths();
    void courseAtAndAroundEachEdge_data();
    void courseAtAndAroundEachEdge();
    void keptAsMadeAndOneInUse();
    void bookWithoutCalibrationsGainsThem();
    void figuresCannotBeChanged();
};

void TestCalibration::offsetsBetweenWholeMonths_data()
{
    QTest::addColumn<int>("lastOffsets"); // the sample's offsets after this month are dropped
    QTest::addColumn<double>("month");
    QTest::addColumn<bool>("hasRange");
    QTest::addColumn<double>("low");
    QTest::addColumn<double>("mean");
    QTest::addColumn<double>("high");
    QTest::newRow("before the baseline") << 6 << -0.01 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("month 0: none") << 6 << 0.0 << true << 0.0 << 0.0 << 0.0;
    QTest::newRow("halfway to month 1") << 6 << 0.5 << true << -0.5 << 0.25 << 1.0;
    QTest::newRow("month 1") << 6 << 1.0 << true << -1.0 << 0.5 << 2.0;
    QTest::newRow("a quarter past month 2") << 6 << 2.25 << true << -2.25 << 1.125 << 4.5;
    QTest::newRow("month 4") << 6 << 4.0 << true << -4.0 << 2.0 << 8.0;
    // Month 5 has no offsets: months 4 and 6 bridge it.
    QTest::newRow("month 5, bridged") << 6 << 5.0 << true << -5.5 << 2.5 << 9.5;
    QTest::newRow("month 6, the last") << 6 << 6.0 << true << -7.0 << 3.0 << 11.0;
    QTest::newRow("after the last") << 6 << 6.001 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("not a month") << 6 << std::nan("") << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("ends at month 4") << 4 << 4.0 << true << -4.0 << 2.0 << 8.0;
    QTest::newRow("nothing after month 4") << 4 << 4.001 << false << 0.0 << 0.0 << 0.0;
    QTest::newRow("no month with offsets") << 0 << 0.0 << false << 0.0 << 0.0 << 0.0;
}

void TestCalibration::offsetsBetweenWholeMonths()
{
    QFETCH(int, lastOffsets);
    QFETCH(double, month);
    QFETCH(bool, hasRange);
    Calibration calibration = sampleCalibration();
    for (int k = lastOffsets + 1; k <= CourseMonths; ++k)
        calibration.months[k - 1].low = calibration.months[k - 1].high = std::nullopt;
    const ClinicRange range(calibration);
    QCOMPARE(range.lastMonth(), lastOffsets);
    const std::optional<ClinicRange::Offsets> offsets = range.offsetsAt(month);
    QCOMPARE(offsets.has_value(), hasRange);
    if (!offsets)
        return;
    QTEST(offsets->low, "low");
    QTEST(offsets->mean, "mean");
    QTEST(offsets->high, "high");

    // Around the course: the model's prediction plus the offsets.
    const PredictorValues predictors{3, 2, 3, 21, 39, 28, 70, 35};
    const ClinicRange::Range around = *range.rangeAt(predictors, month);
    QCOMPARE(around.low, predictBmiAt(predictors, month) + offsets->low);
    QCOMPARE(around.centre, predictBmiAt(predictors, month) + offsets->mean);
    QCOMPARE(around.high, predictBmiAt(predictors, month) + offsets->high);
}

// The range of "32.10–35.40": its bounds belong to it, and the word agrees with the figures
// as the table shows them, to the hundredth.
void TestCalibration::courseAtAndAroundEachEdge_data()
{
    QTest::addColumn<double>("observed");
    QTest::addColumn<QString>("word");
    const QString as = QStringLiteral("as expected");
    const QString less = QStringLiteral("less loss than expected");
    const QString more = QStringLiteral("more loss than expected");
    QTest::newRow("well below") << 25.0 << more;
    QTest::newRow("a hundredth below the low edge") << 32.09 << more;
    QTest::newRow("shown as a hundredth below") << 32.094 << more;
    QTest::newRow("shown as the low edge") << 32.096 << as;
    QTest::newRow("on the low edge") << 32.10 << as;
    QTest::newRow("a hundredth inside the low edge") << 32.11 << as;
    QTest::newRow("in the middle") << 33.75 << as;
    QTest::newRow("a hundredth inside the high edge") << 35.39 << as;
    QTest::newRow("on the high edge") << 35.40 << as;
    QTest::newRow("shown as the high edge") << 35.404 << as;
    QTest::newRow("shown as a hundredth above") << 35.406 << less;
    QTest::newRow("a hundredth above the high edge") << 35.41 << less;
    QTest::newRow("well above") << 41.0 << less;
}

void TestCalibration::courseAtAndAroundEachEdge()
{
    QFETCH(double, observed);
    const ClinicRange::Range range{32.1, 33.75, 35.4};
    QCOMPARE(ClinicRange::rangeText(range), QStringLiteral("32.10–35.40"));
    QTEST(ClinicRange::courseText(ClinicRange::courseOf(observed, range)), "word");
}

namespace {

int count(CaseStore &store, const QString &sql)
{
    QSqlQuery query(store.database());
    return query.exec(sql) && query.next() ? query.value(0).toInt() : -1;
}

} // namespace

// Stored as made, read back exactly; a new one put in use replaces the old, using none
// leaves none; every step is in the trail with who made it.
void TestCalibration::keptAsMadeAndOneInUse()
{
    CaseStore store;
    QVERIFY2(store.open(freshCaseBook()), qPrintable(store.lastError().message));
    store.setUser(QStringLiteral("dr.lind"));
    CalibrationStore calibrations(store);
    std::optional<Calibration> inUse;
    QVERIFY(calibrations.inUse(&inUse));
    QVERIFY(!inUse);

    Calibration first = sampleCalibration();
    first.months[0].meanError = 0.1 + 0.2; // not a short decimal: must read back exactly
    first.sourceFile = QStringLiteral("clinic 2026.csv");
    first.sourceSha256 = QStringLiteral("ab12");
    QVERIFY2(calibrations.add(&first, true), qPrintable(store.lastError().message));
    QVERIFY(first.id != 0);
    QVERIFY(calibrations.inUse(&inUse) && inUse);
    QCOMPARE(inUse->id, first.id);
    QCOMPARE(inUse->madeBy, QStringLiteral("dr.lind"));
    QCOMPARE(inUse->sourceText(), QStringLiteral("clinic 2026.csv (SHA-256 ab12)"));
    QCOMPARE(inUse->people, 41);
    for (int k = 1; k <= CourseMonths; ++k) {
        QCOMPARE(inUse->month(k).n, first.month(k).n);
        QCOMPARE(inUse->month(k).meanError, first.month(k).meanError);
        QCOMPARE(inUse->month(k).sdError, first.month(k).sdError);
        QCOMPARE(inUse->month(k).low, first.month(k).low);
        QCOMPARE(inUse->month(k).high, first.month(k).high);
    }
    QCOMPARE(inUse->madeAt, first.madeAt);

    Calibration second = sampleCalibration();
    QVERIFY(calibrations.add(&second, false));
    QVERIFY(calibrations.inUse(&inUse) && inUse->id == first.id);
    QVERIFY(calibrations.use(second.id));
    QVERIFY(calibrations.inUse(&inUse) && inUse->id == second.id && inUse->fromCaseBook());
    QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM calibrations WHERE in_use = 1")), 1);
    QVERIFY(calibrations.useNone());
    QVERIFY(calibrations.inUse(&inUse) && !inUse);
    QCOMPARE(count(store, QStringLiteral("SELECT COUNT(*) FROM calibrations")), 2);
    QVERIFY(!calibrations.use(second.id + 100));
    QCOMPARE(store.lastError().kind, CaseStoreError::NotFound);

    QSqlQuery query(store.database());
    QVERIFY(query.exec(QStringLiteral("SELECT calibration_id, action, changed_by FROM calibration_audit ORDER BY id")));
    QStringList trail;
    while (query.next())
        trail << QStringLiteral("%1 %2 %3").arg(query.value(0).toLongLong() == first.id ? "first" : "second",
                                                query.value(1).toString(), query.value(2).toString());
    QCOMPARE(trail, QStringList({"first make dr.lind", "first use dr.lind", "second make dr.lind",
                                 "first drop dr.lind", "second use dr.lind", "second drop dr.lind"}));
}

// A case book written before calibrations opens, keeps its cases and gains them.
void TestCalibration::bookWithoutCalibrationsGainsThem()
{
    const QString location = freshCaseBook();
    CaseRecord record = sampleCase(QStringLiteral("C-1"));
    {
        CaseStore store;
        QVERIFY(store.open(location));
        QVERIFY(store.addCase(&record));
        QVERIFY(dropCalibrations(store.database()));
    }
    CaseStore store;
    QVERIFY2(store.open(location), qPrintable(store.lastError().message));
    QCOMPARE(store.schemaVersion(), CaseSchema::latestVersion());
    QCOMPARE(store.caseCount(), 1);
    Calibration calibration = sampleCalibration();
    QVERIFY2(CalibrationStore(store).add(&calibration, true), qPrintable(store.lastError().message));
}

// The database itself keeps a calibration as it was made and allows one in use only,
// whatever program writes to it.
void TestCalibration::figuresCannotBeChanged()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    CalibrationStore calibrations(store);
    Calibration a = sampleCalibration(), b = sampleCalibration();
    QVERIFY(calibrations.add(&a, true) && calibrations.add(&b, false));
    const char *refused[] = {
        "UPDATE calibration_months SET high = 99",
        "DELETE FROM calibration_months",
        "UPDATE calibrations SET people = 1",
        "DELETE FROM calibrations",
        "UPDATE calibrations SET in_use = 1",
        "UPDATE calibration_audit SET action = 'make'",
        "DELETE FROM calibration_audit",
    };
    for (const char *sql : refused) {
        QSqlQuery query(store.database());
        QVERIFY2(!query.exec(QLatin1String(sql)), sql);
    }
    std::optional<Calibration> inUse;
    QVERIFY(calibrations.inUse(&inUse) && inUse && inUse->id == a.id);
    QCOMPARE(*inUse->month(6).high, 11.0);
}

QTEST_GUILESS_MAIN(TestCalibration)
#include "tst_calibration.moc"
