#include "coursecaution.h"

#include "resulttr.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

QString number(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// value with at least the given decimals, and more where rounding would carry it onto the
// limit it passed: 14.9983 is "14.998", not "15.00", against a limit of 15.
QString numberBeyond(double value, double limit, int decimals)
{
    QString text = number(value, decimals);
    const auto beyond = [&] {
        const double shown = text.toDouble();
        return value < limit ? shown < limit : shown > limit;
    };
    while (!beyond() && decimals < 6)
        text = number(value, ++decimals);
    return text;
}

// The first month, counted from 0, whose value is below limit; -1 when none is.
int firstMonthBelow(const BmiCourse &course, double limit)
{
    const auto it = std::find_if(course.begin(), course.end(),
                                 [limit](double bmi) { return bmi < limit; });
    return it == course.end() ? -1 : int(it - course.begin());
}

// The cautions that compare the course with where it started.
QList<CourseCaution> lossCautions(const BmiCourse &course, double initialBmi)
{
    QList<CourseCaution> cautions;
    const double loss = (initialBmi - course.back()) / initialBmi;
    if (loss > LargeLossFraction)
        cautions << CourseCaution{
            CourseCaution::LargeLoss,
            ResultTr::tr("The predicted loss of %1 % in six months is far beyond the about 10 % that "
                         "treatment usually aims for; use this prediction with great caution.")
                .arg(numberBeyond(100 * loss, 100 * LargeLossFraction, 1))};

    // The first month too fast is named; in the model's courses every month falls by
    // nearly the same share, so it is as fast as any later one. Month 1 falls from the
    // initial BMI.
    double before = initialBmi;
    for (int m = 0; m < CourseMonths && before > 0; ++m) {
        const double fall = (before - course[m]) / before;
        if (fall > FastMonthlyFallFraction) {
            cautions << CourseCaution{
                CourseCaution::FastMonthlyFall,
                ResultTr::tr("The predicted fall of %1 % in month %2 (from %3 to %4 kg/m²) is faster "
                             "than about 1.2 % a week, more than guidelines expect (0.5 to 0.9 kg a "
                             "week).")
                    .arg(numberBeyond(100 * fall, 100 * FastMonthlyFallFraction, 1))
                    .arg(m + 1)
                    .arg(number(before, 2), number(course[m], 2))};
            break;
        }
        before = course[m];
    }

    return cautions;
}

} // namespace

QList<CourseCaution> courseCautions(const BmiCourse &course, double initialBmi)
{
    QList<CourseCaution> cautions;
    const auto missing = std::find_if(course.begin(), course.end(),
                                      [](double bmi) { return !std::isfinite(bmi); });
    if (missing != course.end()) {
        // Nothing else can be judged from a course that holds no numbers.
        cautions << CourseCaution{
            CourseCaution::NoNumber,
            ResultTr::tr("The predicted course holds no number for month %1; do not use this "
                         "prediction.").arg(int(missing - course.begin()) + 1)};
        return cautions;
    }
    if (std::isfinite(initialBmi) && initialBmi > 0)
        cautions << lossCautions(course, initialBmi);
    if (const int m = firstMonthBelow(course, UnderweightBmi); m >= 0)
        cautions << CourseCaution{
            CourseCaution::Underweight,
            ResultTr::tr("The predicted BMI of %1 kg/m² in month %2 is below 18.5 kg/m²: underweight "
                         "by the WHO classification.")
                .arg(numberBeyond(course[m], UnderweightBmi, 2))
                .arg(m + 1)};

    if (const int m = firstMonthBelow(course, LowestAcceptedBmi); m >= 0)
        cautions << CourseCaution{
            CourseCaution::BelowLowestBmi,
            ResultTr::tr("Caution: predicted BMI below 15 kg/m², the lowest initial BMI accepted "
                         "(%1 kg/m² in month %2). The model is used outside the range it was made for.")
                .arg(numberBeyond(course[m], LowestAcceptedBmi, 2))
                .arg(m + 1)};
    return cautions;
}

QList<CourseCaution> recordCautions(const SimulationRecord &record)
{
    const double initial = record.hasPredictors
        ? record.predictors[static_cast<int>(Predictor::InitialBmi)]
        : std::numeric_limits<double>::quiet_NaN();
    return courseCautions(record.course, initial);
}

QString courseCautionsText(const QList<CourseCaution> &cautions)
{
    QStringList texts;
    for (const CourseCaution &caution : cautions)
        texts << caution.text;
    return texts.join(QLatin1Char('\n'));
}

bool courseNeedsCaution(const BmiCourse &course)
{
    return std::any_of(course.begin(), course.end(), [](double bmi) {
        return !(bmi >= LowestAcceptedBmi); // a NaN month is no more plausible than a low one
    });
}

QString courseCautionText()
{
    return ResultTr::tr("Caution: predicted BMI below 15 kg/m², the lowest initial BMI accepted. "
                        "Please check the inputs.");
}
