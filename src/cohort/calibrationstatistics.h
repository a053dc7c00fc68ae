#ifndef CALIBRATIONSTATISTICS_H
#define CALIBRATIONSTATISTICS_H

#include <QtGlobal>

#include <array>

// How well predictions agree with what was observed, for a continuous outcome. Values that
// cannot be computed (a slope where every prediction is the same) are NaN.
struct CalibrationStatistics {
    using Interval = std::array<double, 2>; // 95% confidence interval, lower and upper

    qint64 n = 0;
    double meanObserved = 0;
    double meanPredicted = 0;
    double meanError = 0; // mean of observed - predicted: calibration-in-the-large
    Interval meanErrorCi{};
    double sdError = 0; // standard deviation of the error, n - 1 in the denominator
    Interval limitsOfAgreement{}; // mean error ± 1.96 sd: where most single errors fall
    double slope = 0; // of the least-squares line observed = intercept + slope * predicted
    Interval slopeCi{};
    double intercept = 0;
    Interval interceptCi{};
    double r2 = 0; // 1 - SS(observed - predicted) / SS(observed - mean observed); may be negative
    double rmse = 0;
    double mae = 0;
};

// Collects (predicted, observed) pairs one at a time, in constant memory, with updates of
// the means and co-moments that stay accurate over millions of pairs.
class CalibrationAccumulator
{
public:
    void add(double predicted, double observed);
    qint64 count() const { return m_n; }
    // Needs at least 3 pairs: the slope's interval has n - 2 degrees of freedom.
    CalibrationStatistics statistics() const;

    static constexpr qint64 MinimumCount = 3;

private:
    qint64 m_n = 0;
    double m_meanX = 0, m_meanY = 0, m_meanD = 0;
    double m_sxx = 0, m_syy = 0, m_sxy = 0, m_sdd = 0;
    double m_sumAbsD = 0;
};

#endif // CALIBRATIONSTATISTICS_H
