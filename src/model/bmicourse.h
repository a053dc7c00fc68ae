#ifndef BMICOURSE_H
#define BMICOURSE_H

#include <array>

// The eight predictors, in the order in which the main window reads and checks them.
enum class Predictor {
    RestrainedEating,
    EmotionalEating,
    ExternalEating,
    PersonalStandards,
    ConcernOverMistakes,
    BodyImageDissatisfaction,
    Alexithymia,
    InitialBmi,
};

constexpr int PredictorCount = 8;
constexpr int CourseMonths = 6;

using PredictorValues = std::array<double, PredictorCount>;
// Element i is the predicted BMI (kg/m2) at the end of month i + 1.
using BmiCourse = std::array<double, CourseMonths>;

// Predicted BMI at the end of months 1 to 6 of CBT treatment. Only defined for values
// that passed the range checks of predictorcheck.h.
BmiCourse predictBmiCourse(const PredictorValues &values);

// The monthly rate R of the course BMI0 · exp(−R · t), from the same values.
double monthlyRate(const PredictorValues &values);

// Predicted BMI at month t of treatment, fractional months included (a visit falls
// between month ends). Months 1 to 6 give exactly the values of predictBmiCourse, month 0
// the initial BMI. NaN for a negative or non-finite month: before the baseline the model
// says nothing.
double predictBmiAt(const PredictorValues &values, double month);

#endif // BMICOURSE_H
