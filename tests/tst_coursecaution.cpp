#include "bmicourse.h"
#include "coursecaution.h"

#include <QtTest>

#include <limits>

namespace {

using Kinds = QList<int>;

constexpr double Unknown = std::numeric_limits<double>::quiet_NaN();

// The two courses a clinician met without a word of caution, and the typical person.
const PredictorValues steepFromHighBmi{1.5, 1.5, 2, 15, 20, 5, 40, 45};
const PredictorValues lowestScores{1, 1, 1, 7, 13, 1, 30, 35};
const PredictorValues typicalPerson{3, 3, 3, 21, 39, 28, 70, 35};

Kinds kindsOf(const QList<CourseCaution> &cautions)
{
    Kinds kinds;
    for (const CourseCaution &caution : cautions)
        kinds << caution.kind;
    return kinds;
}

} // namespace

Q_DECLARE_METATYPE(BmiCourse)

class TestCourseCaution : public QObject
{
    Q_OBJECT

private slots:
    void cautionsAtTheirThresholds_data();
    void cautionsAtTheirThresholds();
    void textsGiveTheirReasonsInNumbers_data();
    void textsGiveTheirReasonsInNumbers();
};

void TestCourseCaution::cautionsAtTheirThresholds_data()
{
    QTest::addColumn<BmiCourse>("course");
    QTest::addColumn<double>("initial");
    QTest::addColumn<Kinds>("kinds");
    using C = CourseCaution;
    const auto row = [](const char *name, const PredictorValues &v, const Kinds &kinds) {
        QTest::newRow(name) << predictBmiCourse(v) << v[7] << kinds;
    };
    row("typical person, -10.1 %", typicalPerson, {});
    row("45 to 16.8", steepFromHighBmi, {C::LargeLoss, C::FastMonthlyFall, C::Underweight});
    row("lowest scores, 35 to 0.55", lowestScores,
        {C::LargeLoss, C::FastMonthlyFall, C::Underweight, C::BelowLowestBmi});

    // Each threshold just inside and just beyond, the other checks far from theirs.
    QTest::newRow("loss just under 20 %")
        << BmiCourse{38.7, 37.4, 36.0, 34.7, 33.4, 32.01} << 40.0 << Kinds{};
    QTest::newRow("loss just over 20 %")
        << BmiCourse{38.7, 37.4, 36.0, 34.7, 33.4, 31.99} << 40.0 << Kinds{C::LargeLoss};
    QTest::newRow("month 1 falls just under 5 %")
        << BmiCourse{38.01, 37.9, 37.8, 37.7, 37.6, 37.5} << 40.0 << Kinds{};
    QTest::newRow("month 1 falls just over 5 %")
        << BmiCourse{37.99, 37.9, 37.8, 37.7, 37.6, 37.5} << 40.0 << Kinds{C::FastMonthlyFall};
    QTest::newRow("month 4 falls just under 5 %")
        << BmiCourse{39, 38.5, 38, 36.11, 36, 35.9} << 40.0 << Kinds{};
    QTest::newRow("month 4 falls just over 5 %")
        << BmiCourse{39, 38.5, 38, 36.09, 36, 35.9} << 40.0 << Kinds{C::FastMonthlyFall};
    QTest::newRow("ends just above 18.5")
        << BmiCourse{19.9, 19.5, 19.2, 19, 18.8, 18.51} << 20.0 << Kinds{};
    QTest::newRow("ends just below 18.5")
        << BmiCourse{19.9, 19.5, 19.2, 19, 18.8, 18.49} << 20.0 << Kinds{C::Underweight};
    QTest::newRow("ends just above 15")
        << BmiCourse{15.9, 15.7, 15.5, 15.3, 15.1, 15.01} << 16.0 << Kinds{C::Underweight};
    QTest::newRow("ends just below 15")
        << BmiCourse{15.9, 15.7, 15.5, 15.3, 15.1, 14.99} << 16.0
        << Kinds{C::Underweight, C::BelowLowestBmi};
    QTest::newRow("rising course") << BmiCourse{31, 32, 33, 34, 35, 36} << 30.0 << Kinds{};

    // Without the initial BMI only the checks that need none are made.
    QTest::newRow("initial unknown") << predictBmiCourse(lowestScores) << Unknown
                                     << Kinds{C::Underweight, C::BelowLowestBmi};
    QTest::newRow("a month is no number")
        << BmiCourse{34, Unknown, 32, 31, 30, 29} << 35.0 << Kinds{C::NoNumber};
    QTest::newRow("a month is infinite")
        << BmiCourse{34, 33, 32, 31, 30, -std::numeric_limits<double>::infinity()} << 35.0
        << Kinds{C::NoNumber};
}

void TestCourseCaution::cautionsAtTheirThresholds()
{
    QFETCH(BmiCourse, course);
    QFETCH(double, initial);
    QFETCH(Kinds, kinds);
    const QList<CourseCaution> cautions = courseCautions(course, initial);
    QCOMPARE(kindsOf(cautions), kinds);
    for (const CourseCaution &caution : cautions)
        QVERIFY(!caution.text.isEmpty());
}

void TestCourseCaution::textsGiveTheirReasonsInNumbers_data()
{
    QTest::addColumn<BmiCourse>("course");
    QTest::addColumn<double>("initial");
    QTest::addColumn<QStringList>("texts");
    QTest::newRow("45 to 16.8")
        << predictBmiCourse(steepFromHighBmi) << 45.0
        << QStringList{
               "The predicted loss of 62.6 % in six months is far beyond the about 10 % that "
               "treatment usually aims for; use this prediction with great caution.",
               "The predicted fall of 15.1 % in month 1 (from 45.00 to 38.20 kg/m²) is faster "
               "than about 1.2 % a week, more than guidelines expect (0.5 to 0.9 kg a week).",
               "The predicted BMI of 16.84 kg/m² in month 6 is below 18.5 kg/m²: underweight "
               "by the WHO classification."};
    QTest::newRow("first fast month is the one named")
        << BmiCourse{39, 38.5, 38, 36, 34, 33.9} << 40.0
        << QStringList{"The predicted fall of 5.3 % in month 4 (from 38.00 to 36.00 kg/m²) is "
                       "faster than about 1.2 % a week, more than guidelines expect (0.5 to "
                       "0.9 kg a week)."};
    // Rounding never carries a value back onto the limit it passed.
    QTest::newRow("loss just past 20 %")
        << BmiCourse{96.5, 93, 89.5, 86, 82.5, 79.996} << 100.0
        << QStringList{"The predicted loss of 20.004 % in six months is far beyond the about "
                       "10 % that treatment usually aims for; use this prediction with great "
                       "caution."};
    QTest::newRow("fall just past 5 %")
        << BmiCourse{94.996, 94.9, 94.8, 94.7, 94.6, 94.5} << 100.0
        << QStringList{"The predicted fall of 5.004 % in month 1 (from 100.00 to 95.00 kg/m²) "
                       "is faster than about 1.2 % a week, more than guidelines expect (0.5 to "
                       "0.9 kg a week)."};
    QTest::newRow("first month below 15 is the one named")
        << BmiCourse{15.9, 15.7, 15.5, 14.8, 14.9, 14.7} << 16.0
        << QStringList{"The predicted BMI of 15.90 kg/m² in month 1 is below 18.5 kg/m²: "
                       "underweight by the WHO classification.",
                       "Caution: predicted BMI below 15 kg/m², the lowest initial BMI accepted "
                       "(14.80 kg/m² in month 4). The model is used outside the range it was "
                       "made for."};
}

void TestCourseCaution::textsGiveTheirReasonsInNumbers()
{
    QFETCH(BmiCourse, course);
    QFETCH(double, initial);
    QFETCH(QStringList, texts);
    QStringList shown;
    for (const CourseCaution &caution : courseCautions(course, initial))
        shown << caution.text;
    QCOMPARE(shown, texts);
    QCOMPARE(courseCautionsText(courseCautions(course, initial)), texts.join('\n'));
}

QTEST_APPLESS_MAIN(TestCourseCaution)
#include "tst_coursecaution.moc"
