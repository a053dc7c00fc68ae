#include "visit.h"

double visitMonth(const QDate &baseline, const QDate &date)
{
    return baseline.daysTo(date) / DaysPerMonth;
}
