#include "observedmonths.h"

#include <algorithm>
#include <cmath>
#include <limits>

std::array<double, CourseMonths> observedMonths(const QDate &baseline, const QList<Visit> &visits)
{
    QVector<std::pair<double, double>> byDate;
    byDate.reserve(visits.size());
    for (const Visit &visit : visits)
        byDate.append({double(baseline.daysTo(visit.date)), visit.bmi});
    std::stable_sort(byDate.begin(), byDate.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    return observedMonths(byDate);
}

std::array<double, CourseMonths> observedMonths(const QVector<std::pair<double, double>> &byDate)
{
    std::array<double, CourseMonths> observed;
    observed.fill(std::numeric_limits<double>::quiet_NaN());
    // A later visit within the same half month takes the place of an earlier one.
    for (const auto &[days, bmi] : byDate) {
        const double month = days / DaysPerMonth;
        for (int k = 1; k <= CourseMonths; ++k) {
            if (std::abs(month - k) <= 0.5)
                observed[k - 1] = bmi;
        }
    }
    return observed;
}
