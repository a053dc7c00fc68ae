#include "followupchartmodel.h"
#include "followuptablemodel.h"
#include "visitcheck.h"
#include "visitcomparison.h"

#include <QtTest>

#include <cstring>

namespace {

const PredictorValues typicalPerson{3, 3, 3, 21, 39, 28, 70, 35};
const QDate baseline(2026, 1, 10);
const QDate today(2026, 12, 8);

Visit visitOn(const QString &date, double bmi)
{
    Visit visit;
    visit.date = QDate::fromString(date, Qt::ISODate);
    visit.bmi = bmi;
    return visit;
}

FollowUpCase typicalCase(const QList<Visit> &visits)
{
    FollowUpCase followUp;
    followUp.code = QStringLiteral("K-17");
    followUp.baseline = baseline;
    followUp.predictors = typicalPerson;
    followUp.visits = visits;
    return followUp;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<double>)
Q_DECLARE_METATYPE(Visit)

class TestFollowUp : public QObject
{
    Q_OBJECT

private slots:
    void visitMonths_data();
    void visitMonths();
    void tableRowsWorkedByHand();
    void kilogramsWhereTheHeightIsKnown_data();
    void kilogramsWhereTheHeightIsKnown();
    void signedNumbers_data();
    void signedNumbers();
    void refusedVisits_data();
    void refusedVisits();
    void refusalsSayWhy_data();
    void refusalsSayWhy();
    void acceptedVisits_data();
    void acceptedVisits();
    void chartHoldsCourseAndVisitsInMonthOrder();
    void tableAndChartWithTheClinicRange();
};

void TestFollowUp::visitMonths_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<double>("month");
    QTest::newRow("baseline") << baseline << 0.0;
    QTest::newRow("a day") << baseline.addDays(1) << 1 / 30.4375;
    QTest::newRow("four mean years") << baseline.addDays(1461) << 48.0;
    QTest::newRow("leap day counted") << QDate(2028, 3, 1) << (QDate(2028, 3, 1).toJulianDay()
                                                               - baseline.toJulianDay()) / 30.4375;
    QTest::newRow("before baseline") << baseline.addDays(-61) << -61 / 30.4375;
}

void TestFollowUp::visitMonths()
{
    QFETCH(QDate, date);
    QFETCH(double, month);
    QCOMPARE(visitMonth(baseline, date), month);
}

// Typical person: R = 0.0177882, BMI0 35; predicted = 35 · exp(−R · days / 30.4375),
// worked out apart from the program and rounded as the table shows it.
void TestFollowUp::tableRowsWorkedByHand()
{
    FollowUpTableModel model;
    // Given out of order: the table shows them by date.
    model.setFollowUp(typicalCase({visitOn("2026-07-12", 30.0), visitOn("2026-02-10", 34.1),
                                   visitOn("2026-05-11", 32.55), visitOn("2026-03-12", 34.2),
                                   visitOn("2026-07-11", 31.0)}));
    const QList<QStringList> expected = {
        {"2026-02-10", "1.0", "34.10", "34.37", "-0.27", "-0.8"},
        {"2026-03-12", "2.0", "34.20", "33.77", "+0.43", "+1.3"},
        {"2026-05-11", "4.0", "32.55", "32.61", "-0.06", "-0.2"},
        // Day 182, month 5.98: still inside the course.
        {"2026-07-11", "6.0", "31.00", "31.47", "-0.47", "-1.5"},
        // Day 183, month 6.01: the model says nothing there.
        {"2026-07-12", "6.0", "30.00", "", "", ""},
    };
    QCOMPARE(model.rowCount(), expected.size());
    QCOMPARE(model.columnCount(), 8);
    for (int row = 0; row < model.rowCount(); ++row) {
        QStringList cells;
        for (int column : {FollowUpTableModel::DateColumn, FollowUpTableModel::MonthColumn,
                           FollowUpTableModel::ObservedColumn, FollowUpTableModel::PredictedColumn,
                           FollowUpTableModel::DifferenceColumn, FollowUpTableModel::PercentColumn})
            cells << model.index(row, column).data().toString();
        QCOMPARE(cells, expected.at(row));
    }
    QVERIFY(!model.comparisonAt(4).predicted);
    QVERIFY(model.comparisonAt(3).predicted);
}

void TestFollowUp::kilogramsWhereTheHeightIsKnown_data()
{
    QTest::addColumn<std::optional<double>>("height");
    QTest::addColumn<Visit>("visit");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("differenceKg");
    QTest::addColumn<bool>("saysWhy");
    // Predicted 34.37 at day 31 and 33.77 at day 61 (the rows above); kg = BMI × height².
    QTest::newRow("by BMI, 1.70 m") << std::optional<double>(1.70) << visitOn("2026-02-10", 34.1)
                                    << "98.5" << "-0.8" << false; // 34.1 × 2.89; −0.27 × 2.89
    QTest::newRow("by BMI, 1.55 m") << std::optional<double>(1.55) << visitOn("2026-03-12", 34.2)
                                    << "82.2" << "+1.0" << false; // 34.2 × 2.4025; +0.43 × 2.4025
    Visit weighed = visitOn("2026-03-12", 95 / 2.89);
    weighed.weightKg = 95.0;
    QTest::newRow("weighed") << std::optional<double>(1.70) << weighed << "95.0" << "-2.6" << false;
    QTest::newRow("past month 6") << std::optional<double>(1.70) << visitOn("2026-07-12", 30.0)
                                  << "86.7" << "" << false;
    QTest::newRow("no height") << std::optional<double>() << visitOn("2026-02-10", 34.1) << ""
                               << "" << true;
}

void TestFollowUp::kilogramsWhereTheHeightIsKnown()
{
    QFETCH(std::optional<double>, height);
    QFETCH(Visit, visit);
    QFETCH(QString, weight);
    QFETCH(QString, differenceKg);
    QFETCH(bool, saysWhy);
    FollowUpCase followUp = typicalCase({visit});
    followUp.heightM = height;
    FollowUpTableModel model;
    model.setFollowUp(followUp);
    QCOMPARE(model.index(0, FollowUpTableModel::WeightColumn).data().toString(), weight);
    QCOMPARE(model.index(0, FollowUpTableModel::DifferenceKgColumn).data().toString(), differenceKg);
    for (int column : {FollowUpTableModel::WeightColumn, FollowUpTableModel::DifferenceKgColumn})
        QCOMPARE(model.index(0, column).data(Qt::ToolTipRole).toString().contains("No height"),
                 saysWhy);
}

void TestFollowUp::signedNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("text");
    QTest::newRow("positive") << 0.4258 << 2 << "+0.43";
    QTest::newRow("negative") << -1.449 << 1 << "-1.4";
    QTest::newRow("zero") << 0.0 << 2 << "0.00";
    QTest::newRow("small negative rounds to zero") << -0.004 << 2 << "0.00";
    QTest::newRow("small positive rounds to zero") << 0.04 << 1 << "0.0";
    QTest::newRow("negative zero") << -0.0 << 1 << "0.0";
    QTest::newRow("large") << -12.0 << 2 << "-12.00";
}

void TestFollowUp::signedNumbers()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(QString, text);
    QCOMPARE(signedNumber(value, decimals), text);
}

void TestFollowUp::refusedVisits_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("bmi");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("caseHasHeight");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("range");

    const QDate ok(2026, 3, 1);
    const QString dateRange = QStringLiteral("after the baseline date (2026-01-10) and not after "
                                             "today (2026-12-08)");
    QTest::newRow("on the baseline") << baseline << "30" << "" << "" << true
                                     << int(VisitCheck::Date) << dateRange;
    QTest::newRow("before the baseline") << baseline.addDays(-1) << "30" << "" << "" << true
                                         << int(VisitCheck::Date) << dateRange;
    QTest::newRow("tomorrow") << today.addDays(1) << "30" << "" << "" << true
                              << int(VisitCheck::Date) << dateRange;
    QTest::newRow("no date") << QDate() << "30" << "" << "" << true << int(VisitCheck::Date)
                             << dateRange;
    const QString bmiRange = QStringLiteral("from 10 to 100 kg/m²");
    for (const char *bmi : {"", "9.99", "100.01", "35,5", "abc", "nan", "inf", "1,000", "-30"})
        QTest::addRow("BMI %s", bmi) << ok << bmi << "" << "" << true << int(VisitCheck::Bmi)
                                     << bmiRange;
    const QString weightRange = QStringLiteral("from 20 to 400 kg");
    for (const char *weight : {"19.99", "400.01", "92,5", "x", "nan"})
        QTest::addRow("weight %s", weight) << ok << "30" << weight << "" << true
                                           << int(VisitCheck::Weight) << weightRange;
    const QString heightRange = QStringLiteral("from 100 to 250 cm");
    for (const char *height : {"", "99.9", "250.1", "1.70", "170,5", "nan"})
        QTest::addRow("height %s", height) << ok << "" << "90" << height << false
                                           << int(VisitCheck::Height) << heightRange;
    // Each value in range, but together an implausible BMI.
    QTest::newRow("BMI from weight too low") << ok << "" << "20" << "200" << false
                                             << int(VisitCheck::Weight) << bmiRange;
    QTest::newRow("BMI from weight too high") << ok << "" << "400" << "150" << false
                                              << int(VisitCheck::Weight) << bmiRange;
}

void TestFollowUp::refusedVisits()
{
    QFETCH(QDate, date);
    QFETCH(QString, bmi);
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(bool, caseHasHeight);
    QFETCH(int, field);
    QFETCH(QString, range);
    const VisitCheck check = checkVisit({date, bmi, weight, height, QString()}, baseline,
                                        caseHasHeight ? std::optional<double>(1.70)
                                                      : std::nullopt,
                                        today);
    QVERIFY(!check.ok());
    QCOMPARE(int(check.failed), field);
    QVERIFY2(check.message.contains(range), qPrintable(check.message));
}

// The same reasons as the main window gives for its fields.
void TestFollowUp::refusalsSayWhy_data()
{
    QTest::addColumn<QString>("bmi");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("reason");
    QTest::newRow("BMI, decimal comma") << "33,5" << "" << "" << "“33,5” uses a decimal comma: write 33.5.";
    QTest::newRow("BMI, empty") << "" << "" << "" << "The field is empty. Write a number from 10 to 100.";
    QTest::newRow("BMI, not a number") << "abc" << "" << "" << "“abc” is not a number.";
    QTest::newRow("BMI, out of range") << "9.5" << "" << "" << "9.5 is outside 10 to 100.";
    QTest::newRow("weight, decimal comma") << "" << "92,5" << "170" << "write 92.5";
    QTest::newRow("height in metres") << "" << "92" << "1.70" << "1.70 is outside 100 to 250.";
    QTest::newRow("height, decimal comma") << "" << "92" << "170,5" << "write 170.5";
}

void TestFollowUp::refusalsSayWhy()
{
    QFETCH(QString, bmi);
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(QString, reason);
    const VisitCheck check = checkVisit({QDate(2026, 3, 1), bmi, weight, height, QString()},
                                        baseline, std::nullopt, today);
    QVERIFY(!check.ok());
    QVERIFY2(check.message.contains(reason), qPrintable(check.message));
}

void TestFollowUp::acceptedVisits_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("bmi");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<QString>("height");
    QTest::addColumn<bool>("caseHasHeight");
    QTest::addColumn<double>("storedBmi");
    QTest::addColumn<double>("newHeight"); // 0: the case's height stays

    QTest::newRow("day after baseline") << baseline.addDays(1) << "30" << "" << "" << true
                                        << 30.0 << 0.0;
    QTest::newRow("today, lowest BMI") << today << "10" << "" << "" << true << 10.0 << 0.0;
    QTest::newRow("highest BMI, padded") << today << " 100 " << "" << "" << false << 100.0 << 0.0;
    QTest::newRow("weight at the case's height") << today << "" << "95" << "" << true
                                                 << 95 / (1.70 * 1.70) << 0.0;
    // With a weight the BMI field is not read: it follows the weight.
    QTest::newRow("weight wins over a BMI") << today << "12" << "95" << "" << true
                                            << 95 / (1.70 * 1.70) << 0.0;
    QTest::newRow("weight, height typed once") << today << "" << "60" << "150" << false
                                               << 60 / 2.25 << 1.5;
    QTest::newRow("case height beats a typed one") << today << "" << "60" << "150" << true
                                                   << 60 / (1.70 * 1.70) << 0.0;
    QTest::newRow("lowest weight and height") << today << "" << "20" << "100" << false << 20.0
                                              << 1.0;
    QTest::newRow("highest weight and height") << today << "" << "400" << "250" << false
                                               << 64.0 << 2.5;
}

void TestFollowUp::acceptedVisits()
{
    QFETCH(QDate, date);
    QFETCH(QString, bmi);
    QFETCH(QString, weight);
    QFETCH(QString, height);
    QFETCH(bool, caseHasHeight);
    QFETCH(double, storedBmi);
    QFETCH(double, newHeight);
    const VisitCheck check =
        checkVisit({date, bmi, weight, height, QStringLiteral("  after holidays ")}, baseline,
                   caseHasHeight ? std::optional<double>(1.70) : std::nullopt, today);
    QVERIFY2(check.ok(), qPrintable(check.message));
    QCOMPARE(check.visit.date, date);
    QCOMPARE(check.visit.bmi, storedBmi);
    QCOMPARE(check.visit.weightKg.has_value(), !weight.isEmpty());
    QCOMPARE(check.visit.note, QStringLiteral("after holidays"));
    QCOMPARE(check.newHeightM.value_or(0.0), newHeight);
}

void TestFollowUp::chartHoldsCourseAndVisitsInMonthOrder()
{
    FollowUpChartModel model;
    model.setFollowUp(typicalCase({visitOn("2026-05-11", 32.55), visitOn("2026-02-10", 34.1),
                                   visitOn("2026-09-10", 29.0)}));
    const BmiCourse course = predictBmiCourse(typicalPerson);
    QList<double> observed;
    QList<double> wholeMonths;
    double previousMonth = -1;
    for (int row = 0; row < model.rowCount(); ++row) {
        const double month = model.index(row, 0).data().toDouble();
        QVERIFY(month >= previousMonth);
        previousMonth = month;
        const QVariant predicted = model.index(row, 1).data();
        const QVariant seen = model.index(row, 2).data();
        QVERIFY(predicted.isValid() != seen.isValid());
        if (seen.isValid())
            observed << seen.toDouble();
        else if (month == std::floor(month))
            wholeMonths << predicted.toDouble();
    }
    // The course starts at the initial BMI and meets the monthly values to the last bit.
    QCOMPARE(wholeMonths.size(), 7);
    QCOMPARE(wholeMonths.first(), 35.0);
    for (int m = 1; m <= CourseMonths; ++m)
        QVERIFY(std::memcmp(&wholeMonths[m], &course[m - 1], sizeof(double)) == 0);
    QCOMPARE(observed, (QList<double>{34.1, 32.55, 29.0}));
    QCOMPARE(previousMonth, visitMonth(baseline, QDate(2026, 9, 10)));
    QCOMPARE(model.index(0, 1).data(Qt::DecorationRole).value<QColor>(), QColor(255, 0, 0));
    QVERIFY(model.index(0, 2).data(Qt::DecorationRole).value<QColor>().isValid());
}

// A calibration whose range is the prediction ± 1 kg/m² at every whole month up to month 4
// (month 5 and 6 too few people): the visits' range and word worked out by hand from the
// predicted values the table shows.
void TestFollowUp::tableAndChartWithTheClinicRange()
{
    Calibration calibration;
    for (int k = 1; k <= CourseMonths; ++k) {
        CalibrationMonth &m = calibration.months[k - 1];
        m.n = k <= 4 ? 30 : 19;
        m.meanError = 0.5;
        m.sdError = 0.5;
        if (k <= 4) {
            m.low = -1.0;
            m.high = 1.0;
        }
    }
    FollowUpCase followUp = typicalCase({visitOn("2026-03-12", 35.0), visitOn("2026-05-11", 31.0),
                                         visitOn("2026-04-11", 32.8), visitOn("2026-06-11", 31.0)});
    followUp.calibration = calibration;
    FollowUpTableModel table;
    table.setFollowUp(followUp);
    QCOMPARE(table.columnCount(), 10);
    QCOMPARE(table.headerData(FollowUpTableModel::RangeColumn, Qt::Horizontal).toString(),
             QStringLiteral("Clinic range (kg/m²)"));
    const QList<QStringList> expected = {
        // Predicted 33.77 at month 2.0.
        {"33.77", "32.77–34.77", "less loss than expected"},
        // Predicted 33.19 at month 3.0 (day 91).
        {"33.19", "32.19–34.19", "as expected"},
        // Predicted 32.61 at month 4.0.
        {"32.61", "31.61–33.61", "more loss than expected"},
        // Day 152, month 4.99: past the range's last month.
        {"32.02", "", ""},
    };
    for (int row = 0; row < table.rowCount(); ++row) {
        QStringList cells;
        for (int column : {int(FollowUpTableModel::PredictedColumn), int(FollowUpTableModel::RangeColumn),
                           int(FollowUpTableModel::CourseColumn)})
            cells << table.index(row, column).data().toString();
        QCOMPARE(cells, expected.at(row));
    }

    FollowUpChartModel chart;
    chart.setFollowUp(followUp);
    QCOMPARE(chart.columnCount(), int(FollowUpChartModel::ColumnCount));
    QCOMPARE(chart.headerData(FollowUpChartModel::RangeLowColumn, Qt::Horizontal).toString(),
             QStringLiteral("Clinic range (95 %)"));
    QCOMPARE(chart.headerData(FollowUpChartModel::ClinicAverageColumn, Qt::Horizontal).toString(),
             QStringLiteral("Clinic average"));
    int banded = 0;
    for (int row = 0; row < chart.rowCount(); ++row) {
        const QVariant predicted = chart.index(row, FollowUpChartModel::PredictedColumn).data();
        const QVariant low = chart.index(row, FollowUpChartModel::RangeLowColumn).data();
        const double month = chart.index(row, FollowUpChartModel::MonthColumn).data().toDouble();
        // The band sits on the course's rows up to month 4, not on the visits' rows.
        QCOMPARE(low.isValid(), predicted.isValid() && month <= 4);
        if (!low.isValid())
            continue;
        ++banded;
        const double high = chart.index(row, FollowUpChartModel::RangeHighColumn).data().toDouble();
        const double centre = chart.index(row, FollowUpChartModel::ClinicAverageColumn).data().toDouble();
        // From nothing at month 0 to ± 1 at month 1 and after; the centre half a unit up.
        const double reach = std::min(month, 1.0);
        QVERIFY(std::abs(predicted.toDouble() - reach - low.toDouble()) < 1e-12);
        QVERIFY(std::abs(predicted.toDouble() + reach - high) < 1e-12);
        QVERIFY(std::abs(predicted.toDouble() + 0.5 * reach - centre) < 1e-12);
    }
    QCOMPARE(banded, 4 * FollowUpChartModel::StepsPerMonth + 1);

    // Without a calibration the table and chart are as they always were.
    followUp.calibration.reset();
    table.setFollowUp(followUp);
    chart.setFollowUp(followUp);
    QCOMPARE(table.columnCount(), int(FollowUpTableModel::RangeColumn));
    QCOMPARE(chart.columnCount(), 3);
}

QTEST_GUILESS_MAIN(TestFollowUp)
#include "tst_followup.moc"
