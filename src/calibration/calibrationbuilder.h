#ifndef CALIBRATIONBUILDER_H
#define CALIBRATIONBUILDER_H

#include "calibration.h"

// Makes a calibration from people's predicted courses and observed BMI, one person at a
// time in constant memory. For month K it takes the observed value of month K (NaN where
// there is none) against the predicted value of month K, as validation does.
class CalibrationBuilder
{
public:
    // Below this many people a month has no offsets: its range would say little.
    static constexpr qint64 MinimumPeople = 20;

    void add(const BmiCourse &predicted, const std::array<double, CourseMonths> &observed);
    // The figures so far; who, when, model and source are the caller's to fill in.
    Calibration calibration() const;

private:
    struct Month {
        qint64 n = 0;
        double mean = 0;
        double squares = 0; // sum of squared deviations from the mean
    };
    std::array<Month, CourseMonths> m_months{};
    qint64 m_people = 0;
};

#endif // CALIBRATIONBUILDER_H
