#ifndef VISIT_H
#define VISIT_H

#include <QDate>
#include <QString>

#include <optional>

// One follow-up visit: the BMI observed on a date, and the weight when the BMI was worked
// out from it.
struct Visit {
    qint64 id = 0; // the store's key; 0 before it is stored
    QDate date;
    double bmi = 0;
    std::optional<double> weightKg;
    QString note;

    bool operator==(const Visit &other) const
    {
        return id == other.id && date == other.date && bmi == other.bmi
            && weightKg == other.weightKg && note == other.note;
    }
};

// The mean length of a month in days (365.25 / 12).
constexpr double DaysPerMonth = 30.4375;

// The month of treatment a date falls in, counted from the baseline date as a fraction.
double visitMonth(const QDate &baseline, const QDate &date);

#endif // VISIT_H
