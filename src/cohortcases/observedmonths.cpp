#include "observedmonths.h"

#include <cmath>
#include <limits>

std::array<double, CourseMonths> observedMonths(const QDate &baseline, const QList<Visit> &visits)
{
    std::array<double, CourseMonths> observed;
    observed.fill(std::numeric_limits<double>::quiet_NaN());
    std::array<QDate, CourseMonths> dates;
    for (const Visit &visit : visits) {
        const double month = visitMonth(baseline, visit.date);
        for (int k = 1; k <= CourseMonths; ++k) {
            if (std::abs(month - k) <= 0.5 && !(visit.date < dates[k - 1])) {
                observed[k - 1] = visit.bmi;
                dates[k - 1] = visit.date;
            }
        }
    }
    return observed;
}
