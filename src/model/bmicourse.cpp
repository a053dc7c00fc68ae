#include "bmicourse.h"

#include <cmath>
#include <limits>

namespace {

// Both response curves are 0 at z = 0 and rise towards 1.
double saturatingPower(double z, double k, double p)
{
    return std::pow(1.0 - std::exp(-k * z), p);
}

double stretchedExponential(double z, double k, double p)
{
    return 1.0 - std::exp(-k * std::pow(z, p));
}

double factor(double response, double a)
{
    return 1.0 - a * response;
}

double value(const PredictorValues &values, Predictor p)
{
    return values[static_cast<int>(p)];
}

// The one place the course is evaluated, so that the monthly values and any other month
// agree to the last bit.
double bmiAt(double initialBmi, double rate, double month)
{
    return initialBmi * std::exp(-rate * month);
}

} // namespace

double monthlyRate(const PredictorValues &values)
{
    // Normalised scores. The offsets and divisors of the last three are the model's
    // own; they do not map the accepted ranges onto 0..10.
    const double zRes = (value(values, Predictor::RestrainedEating) - 1.0) * 10.0 * 0.25;
    const double zEm = (value(values, Predictor::EmotionalEating) - 1.0) * 10.0 * 0.25;
    const double zExt = (value(values, Predictor::ExternalEating) - 1.0) * 10.0 * 0.25;
    const double zPs = (value(values, Predictor::PersonalStandards) - 7.0) * 10.0 / 28.0;
    const double zMd = (value(values, Predictor::ConcernOverMistakes) - 13.0) * 10.0 / 42.0;
    const double zBod = value(values, Predictor::BodyImageDissatisfaction) * 10.0 / 60.0;
    const double zAlex = (value(values, Predictor::Alexithymia) - 26.0) * 10.0 / 74.0;

    const double fRes = factor(saturatingPower(zRes, 0.2719, 5.8328), 0.572);
    const double fEm = factor(saturatingPower(zEm, 0.1353, 7.14), 2.1259);
    const double fExt = factor(stretchedExponential(zExt, 0.0287, 3.8775), 0.8377);
    const double fPs = factor(stretchedExponential(zPs, 0.00086, 3.6326), 0.2086);
    const double fMd = factor(saturatingPower(zMd, 0.156, 6.8852), 2.4461);
    const double fBod = factor(stretchedExponential(zBod, 1.6575, 0.7277), 0.8465);
    const double fAlex = factor(saturatingPower(zAlex, 0.1603, 6.4399), 2.1977);

    // The multiplication order is part of the model: it fixes the rounding of R.
    return fEm * fRes * fExt * fPs * fMd * fBod * fAlex;
}

BmiCourse predictBmiCourse(const PredictorValues &values)
{
    const double rate = monthlyRate(values);
    const double initialBmi = value(values, Predictor::InitialBmi);
    BmiCourse course{};
    for (int t = 1; t <= CourseMonths; ++t)
        course[t - 1] = bmiAt(initialBmi, rate, t);
    return course;
}

double predictBmiAt(const PredictorValues &values, double month)
{
    if (!(month >= 0) || !std::isfinite(month))
        return std::numeric_limits<double>::quiet_NaN();
    return bmiAt(value(values, Predictor::InitialBmi), monthlyRate(values), month);
}
