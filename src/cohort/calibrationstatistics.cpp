#include "calibrationstatistics.h"

#include <boost/math/distributions/students_t.hpp>

#include <cmath>
#include <limits>

namespace {

// The two-sided 95% quantile of Student's t.
double t975(double degreesOfFreedom)
{
    const boost::math::students_t distribution(degreesOfFreedom);
    return boost::math::quantile(distribution, 0.975);
}

CalibrationStatistics::Interval around(double centre, double halfWidth)
{
    return {centre - halfWidth, centre + halfWidth};
}

} // namespace

void CalibrationAccumulator::add(double predicted, double observed)
{
    ++m_n;
    const double n = double(m_n);
    const double dx = predicted - m_meanX;
    const double dy = observed - m_meanY;
    m_meanX += dx / n;
    m_meanY += dy / n;
    m_sxx += dx * (predicted - m_meanX);
    m_syy += dy * (observed - m_meanY);
    m_sxy += dx * (observed - m_meanY);

    const double d = observed - predicted;
    const double dd = d - m_meanD;
    m_meanD += dd / n;
    m_sdd += dd * (d - m_meanD);
    m_sumAbsD += std::fabs(d);
}

CalibrationStatistics CalibrationAccumulator::statistics() const
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    CalibrationStatistics s;
    s.n = m_n;
    if (m_n < MinimumCount)
        return s;
    const double n = double(m_n);

    s.meanObserved = m_meanY;
    s.meanPredicted = m_meanX;
    s.meanError = m_meanD;
    const double errorSd = std::sqrt(m_sdd / (n - 1));
    s.meanErrorCi = around(m_meanD, t975(n - 1) * errorSd / std::sqrt(n));
    s.sdError = errorSd;
    s.limitsOfAgreement = around(m_meanD, 1.96 * errorSd);

    if (m_sxx > 0) {
        s.slope = m_sxy / m_sxx;
        s.intercept = m_meanY - s.slope * m_meanX;
        // Rounding can leave a perfect fit a hair below zero.
        const double residual = std::max(0.0, m_syy - s.slope * m_sxy);
        const double variance = residual / (n - 2);
        const double t = t975(n - 2);
        s.slopeCi = around(s.slope, t * std::sqrt(variance / m_sxx));
        s.interceptCi = around(s.intercept, t * std::sqrt(variance * (1 / n + m_meanX * m_meanX / m_sxx)));
    } else {
        s.slope = s.intercept = nan;
        s.slopeCi = s.interceptCi = {nan, nan};
    }

    const double squaredErrors = m_sdd + n * m_meanD * m_meanD;
    s.r2 = m_syy > 0 ? 1 - squaredErrors / m_syy : nan;
    s.rmse = std::sqrt(squaredErrors / n);
    s.mae = m_sumAbsD / n;
    return s;
}
