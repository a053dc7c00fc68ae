#include "bmicourse.h"
#include "predictorcheck.h"

#include <QtTest>

#include <cmath>
#include <cstring>
#include <limits>

Q_DECLARE_METATYPE(PredictorValues)
Q_DECLARE_METATYPE(BmiCourse)

class TestBmiCourse : public QObject
{
    Q_OBJECT

private slots:
    void workedExamples_data();
    void workedExamples();
    void courseFallsStrictlyBelowInitialBmi();
    void anyMonthAgreesWithTheMonthlyValues_data();
    void anyMonthAgreesWithTheMonthlyValues();
    void boundsAndNeighbours_data();
    void boundsAndNeighbours();
    void unreadableTextRefused_data();
    void unreadableTextRefused();
    void groupSeparatorsRefused();
    void firstFailingFieldInOrder();
    void formatting();
};

void TestBmiCourse::workedExamples_data()
{
    QTest::addColumn<PredictorValues>("values");
    QTest::addColumn<BmiCourse>("expected");
    QTest::newRow("typical") << PredictorValues{3, 3, 3, 21, 39, 28, 70, 35}
                             << BmiCourse{34.3829, 33.7767, 33.1812, 32.5962, 32.0215, 31.4569};
    QTest::newRow("lower bounds") << PredictorValues{1, 1, 1, 7, 13, 1, 30, 30}
                                  << BmiCourse{14.9983, 7.4983, 3.7487, 1.8741, 0.9370, 0.4684};
    QTest::newRow("upper bounds") << PredictorValues{5, 5, 5, 35, 65, 55, 110, 40}
                                  << BmiCourse{39.9818, 39.9636, 39.9454, 39.9272, 39.9090, 39.8909};
    QTest::newRow("low scores") << PredictorValues{2, 2, 2, 14, 26, 10, 50, 45}
                                << BmiCourse{40.4962, 36.4431, 32.7957, 29.5134, 26.5595, 23.9013};
}

void TestBmiCourse::workedExamples()
{
    QFETCH(PredictorValues, values);
    QFETCH(BmiCourse, expected);
    const BmiCourse course = predictBmiCourse(values);
    for (int i = 0; i < CourseMonths; ++i) {
        // The expected values are given to four decimals.
        const double error = std::fabs(course[i] - expected[i]);
        QVERIFY2(error <= 0.5e-4 + 1e-12,
                 qPrintable(QStringLiteral("month %1: %2, expected %3")
                                .arg(i + 1).arg(course[i], 0, 'f', 8).arg(expected[i])));
    }
}

void TestBmiCourse::courseFallsStrictlyBelowInitialBmi()
{
    // A coarse walk over the whole accepted space, corners included.
    const PredictorValues low{1, 1, 1, 7, 13, 1, 30, 15};
    const PredictorValues high{5, 5, 5, 35, 65, 55, 110, 67};
    for (int step = 0; step <= 20; ++step) {
        PredictorValues v{};
        for (int i = 0; i < PredictorCount; ++i)
            v[i] = low[i] + (high[i] - low[i]) * ((step * (i + 3)) % 21) / 20.0;
        const BmiCourse course = predictBmiCourse(v);
        double previous = v[static_cast<int>(Predictor::InitialBmi)];
        for (double month : course) {
            QVERIFY(std::isfinite(month));
            QVERIFY(month > 0);
            QVERIFY2(month < previous, qPrintable(QString::number(step)));
            previous = month;
        }
    }
}

void TestBmiCourse::anyMonthAgreesWithTheMonthlyValues_data()
{
    QTest::addColumn<PredictorValues>("values");
    QTest::newRow("typical") << PredictorValues{3, 3, 3, 21, 39, 28, 70, 35};
    QTest::newRow("lower bounds") << PredictorValues{1, 1, 1, 7, 13, 1, 30, 30};
    QTest::newRow("upper bounds") << PredictorValues{5, 5, 5, 35, 65, 55, 110, 40};
    QTest::newRow("low scores") << PredictorValues{2, 2, 2, 14, 26, 10, 50, 45};
}

void TestBmiCourse::anyMonthAgreesWithTheMonthlyValues()
{
    QFETCH(PredictorValues, values);
    const BmiCourse course = predictBmiCourse(values);
    const double initial = values[static_cast<int>(Predictor::InitialBmi)];
    // Bit for bit: a visit at a month end must show the very value of the result dialog.
    // (QCOMPARE on doubles would forgive the last bits.)
    for (int m = 1; m <= CourseMonths; ++m) {
        const double at = predictBmiAt(values, m);
        QVERIFY2(std::memcmp(&course[m - 1], &at, sizeof(double)) == 0,
                 qPrintable(QString::number(m)));
    }
    QCOMPARE(predictBmiAt(values, 0), initial);
    // An exponential course passes mid-month through the geometric mean of its neighbours.
    const double before[] = {initial, course[0], course[1], course[2], course[3], course[4]};
    for (int m = 0; m < CourseMonths; ++m) {
        const double middle = predictBmiAt(values, m + 0.5);
        QVERIFY(qFuzzyCompare(middle, std::sqrt(before[m] * course[m])));
        QVERIFY(middle < before[m] && middle > course[m]);
    }
    QCOMPARE(predictBmiAt(values, 12), initial * std::exp(-12 * monthlyRate(values)));
    QVERIFY(std::isnan(predictBmiAt(values, -0.01)));
    QVERIFY(std::isnan(predictBmiAt(values, std::numeric_limits<double>::quiet_NaN())));
    QVERIFY(std::isnan(predictBmiAt(values, std::numeric_limits<double>::infinity())));
}

void TestBmiCourse::boundsAndNeighbours_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("accepted");
    const char *bounds[PredictorCount][4] = {
        {"1", "5", "0.999", "5.001"},   {"1", "5", "0.999", "5.001"},
        {"1", "5", "0.999", "5.001"},   {"7", "35", "6.999", "35.001"},
        {"13", "65", "12.999", "65.001"}, {"1", "55", "0.999", "55.001"},
        {"30", "110", "29.999", "110.001"}, {"15", "67", "14.99", "67.01"},
    };
    for (int f = 0; f < PredictorCount; ++f) {
        for (int k = 0; k < 4; ++k)
            QTest::addRow("field %d: %s", f + 1, bounds[f][k]) << f << bounds[f][k] << (k < 2);
    }
    QTest::newRow("decimal point") << 0 << "2.5" << true;
    QTest::newRow("written by a questionnaire") << 4 << "39.00" << true;
    QTest::newRow("decimal comma") << 0 << "2,5" << false;
    // Plain C-locale numbers stay readable once group separators are refused.
    QTest::newRow("padded") << 0 << " 3 " << true;
    QTest::newRow("plus sign") << 1 << "+3" << true;
    QTest::newRow("exponent") << 3 << "1e1" << true;
}

void TestBmiCourse::boundsAndNeighbours()
{
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, accepted);
    double value = -1;
    QCOMPARE(readPredictor(text, predictorRange(static_cast<Predictor>(field)), &value), accepted);
    if (accepted)
        QCOMPARE(value, text.toDouble());
}

void TestBmiCourse::unreadableTextRefused_data()
{
    QTest::addColumn<QString>("text");
    for (const char *t : {"", " ", "abc", "nan", "NaN", "NAN", "-nan", "inf", "INF", "-inf",
                          "+Inf", "infinity", "0x3", "3 kg", "1e400"})
        QTest::newRow(*t ? t : "empty") << QString::fromLatin1(t);
}

void TestBmiCourse::unreadableTextRefused()
{
    QFETCH(QString, text);
    // Alexithymia's range is wide; a NaN must still not slip through.
    double value = 0;
    QVERIFY(!readPredictor(text, predictorRange(Predictor::Alexithymia), &value));
    QVERIFY(!readPredictor(text, {-std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::max(), ""}, &value));
}

void TestBmiCourse::groupSeparatorsRefused()
{
    // Read with the comma as a thousands separator these would pass as 35, 1000, 70 or
    // 12345: a decimal comma misread a thousand times too large.
    const Predictor fields[] = {Predictor::PersonalStandards, Predictor::ConcernOverMistakes,
                                Predictor::BodyImageDissatisfaction, Predictor::Alexithymia,
                                Predictor::InitialBmi};
    const PredictorRange anything{-std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::max(), ""};
    for (const char *text : {"0,035", "1,000", "35,5", "0,070", "12,345", "1,000.5"}) {
        double value = 0;
        for (Predictor p : fields)
            QVERIFY2(!readPredictor(text, predictorRange(p), &value), text);
        QVERIFY2(!readPredictor(text, anything, &value), text);
    }

    QStringList texts = {"3", "3", "3", "21", "39", "28", "70", "0,035"};
    PredictorValues values{};
    QCOMPARE(firstInvalidPredictor(texts, &values), 7);
    texts[6] = "0,070";
    QCOMPARE(firstInvalidPredictor(texts, &values), 6);
}

void TestBmiCourse::firstFailingFieldInOrder()
{
    QStringList texts = {"3", "3", "x", "21", "39", "99", "70", "35"};
    PredictorValues values{};
    QCOMPARE(firstInvalidPredictor(texts, &values), 2);
    texts[2] = "3";
    QCOMPARE(firstInvalidPredictor(texts, &values), 5);
    texts[5] = "28";
    QCOMPARE(firstInvalidPredictor(texts, &values), -1);
    QCOMPARE(values, (PredictorValues{3, 3, 3, 21, 39, 28, 70, 35}));
    QCOMPARE(firstInvalidPredictor(QStringList(), &values), 0);
    QCOMPARE(QString(predictorRange(Predictor::InitialBmi).message),
             QStringLiteral("The Body Mass Index value out of range!"));
}

void TestBmiCourse::formatting()
{
    QCOMPARE(formatPredictor(34.0 / 10), QStringLiteral("3.40"));
    QCOMPARE(formatPredictor(64.0 / 13), QStringLiteral("4.92"));
    QCOMPARE(formatPredictor(0), QStringLiteral("0.00"));
    QCOMPARE(formatPredictor(39), QStringLiteral("39.00"));
}

QTEST_APPLESS_MAIN(TestBmiCourse)
#include "tst_bmicourse.moc"
