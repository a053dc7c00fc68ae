#ifndef COURSECAUTION_H
#define COURSECAUTION_H

#include "bmicourse.h"
#include "simulationrecord.h"

#include <QList>
#include <QString>

// Why a predicted course should not be taken at face value. Treatment usually aims at a
// loss of about 10 % of the initial weight in six months; a prediction far beyond that,
// or one that ends underweight, is outside what the model can vouch for.
struct CourseCaution {
    enum Kind {
        LargeLoss,      // more than 20 % lost by month 6: twice the usual goal
        FastMonthlyFall, // a month losing more than 5 % of the month before
        Underweight,    // a month below 18.5 kg/m²
        BelowLowestBmi, // a month below 15 kg/m², the lowest initial BMI accepted
        NoNumber,       // a month that is not a finite number
    };
    Kind kind;
    QString text; // the whole sentence, with its reason in numbers
};

// Thresholds of the cautions, as fractions and kg/m².
constexpr double LargeLossFraction = 0.20;
constexpr double FastMonthlyFallFraction = 0.05;
constexpr double UnderweightBmi = 18.5;
constexpr double LowestAcceptedBmi = 15.0;

// Every caution that applies to course, predicted from initialBmi, in the order of Kind;
// an initialBmi that is not a number (unknown) skips the checks that compare with it;
// empty for a plausible course. Uses no widget, so any view or report can call it.
QList<CourseCaution> courseCautions(const BmiCourse &course, double initialBmi);

// The cautions of a simulation's course; without its predictors, only those that need
// no initial BMI.
QList<CourseCaution> recordCautions(const SimulationRecord &record);

// The cautions' texts, one per line; empty when none applies.
QString courseCautionsText(const QList<CourseCaution> &cautions);

// Older, narrower check kept for callers that lack the initial BMI: true when a month
// falls below the lowest initial BMI accepted, or is not a number.
bool courseNeedsCaution(const BmiCourse &course);
QString courseCautionText();

#endif // COURSECAUTION_H
