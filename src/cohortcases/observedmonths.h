#ifndef OBSERVEDMONTHS_H
#define OBSERVEDMONTHS_H

#include "bmicourse.h"
#include "visit.h"

#include <QDate>
#include <QList>

#include <QVector>

#include <array>
#include <utility>

// The observed BMI at the end of months 1 to 6 from a case's visits: for month K the last
// visit within half a month of K (months counted as days since the baseline / 30.4375), NaN
// where there is none. A visit halfway between two months counts for both.
std::array<double, CourseMonths> observedMonths(const QDate &baseline, const QList<Visit> &visits);
// The same from visits in order of date, each as the days since the baseline and its BMI.
std::array<double, CourseMonths> observedMonths(const QVector<std::pair<double, double>> &byDate);

#endif // OBSERVEDMONTHS_H
