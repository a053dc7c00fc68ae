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

#endif // BMICOURSE_H
