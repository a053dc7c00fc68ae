#include "coursecaution.h"

#include "predictorcheck.h"

#include <QCoreApplication>

#include <algorithm>

bool courseNeedsCaution(const BmiCourse &course)
{
    const double lowest = predictorRange(Predictor::InitialBmi).lower;
    return std::any_of(course.begin(), course.end(), [lowest](double bmi) {
        return !(bmi >= lowest); // a NaN month is no more plausible than a low one
    });
}

QString courseCautionText()
{
    return QCoreApplication::translate(
        "graph", "Caution: predicted BMI below 15 kg/m², the lowest initial BMI accepted. "
                 "Please check the inputs.");
}
