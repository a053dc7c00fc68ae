#include "calibrationbuilder.h"

#include <boost/math/distributions/students_t.hpp>

#include <cmath>
#include <limits>

void CalibrationBuilder::add(const BmiCourse &predicted,
                             const std::array<double, CourseMonths> &observed)
{
    bool seen = false;
    for (int m = 0; m < CourseMonths; ++m) {
        if (std::isnan(observed[m]))
            continue;
        seen = true;
        // Welford's update: accurate over millions of people.
        Month &month = m_months[m];
        const double error = observed[m] - predicted[m];
        ++month.n;
        const double delta = error - month.mean;
        month.mean += delta / double(month.n);
        month.squares += delta * (error - month.mean);
    }
    if (seen)
        ++m_people;
}

Calibration CalibrationBuilder::calibration() const
{
    constexpr double nan = std::numeric_limits<double>::quiet_NaN();
    Calibration c;
    c.people = m_people;
    for (int m = 0; m < CourseMonths; ++m) {
        const Month &month = m_months[m];
        CalibrationMonth &out = c.months[m];
        out.n = month.n;
        out.meanError = month.n > 0 ? month.mean : nan;
        const double n = double(month.n);
        out.sdError = month.n > 1 ? std::sqrt(month.squares / (n - 1)) : nan;
        if (month.n < MinimumPeople)
            continue;
        // A prediction interval for one more person: the spread of the people plus the
        // uncertainty of their mean.
        const boost::math::students_t t(n - 1);
        const double half = boost::math::quantile(t, 0.975) * out.sdError * std::sqrt(1 + 1 / n);
        out.low = out.meanError - half;
        out.high = out.meanError + half;
    }
    return c;
}
