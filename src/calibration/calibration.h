#ifndef CALIBRATION_H
#define CALIBRATION_H

#include "bmicourse.h"

#include <QDateTime>
#include <QString>

#include <array>
#include <optional>

// One month of a calibration: how far the observed BMI was from the predicted one
// (observed − predicted, kg/m²) among the people observed at that month.
struct CalibrationMonth {
    qint64 n = 0;
    double meanError = 0; // NaN without people
    double sdError = 0;   // n − 1 in the denominator; NaN below 2 people
    // Where 95 % of such people are expected relative to their own prediction; none below
    // CalibrationBuilder::MinimumPeople.
    std::optional<double> low;
    std::optional<double> high;

    bool hasOffsets() const { return low.has_value() && high.has_value(); }
};

// A frozen, dated record of a clinic's errors, kept as it was made.
struct Calibration {
    qint64 id = 0; // the store's key; 0 before it is stored
    std::array<CalibrationMonth, CourseMonths> months{};
    // The people with at least one observed month.
    qint64 people = 0;
    QDateTime madeAt;
    QString madeBy;
    QString modelVersion;
    // Empty when made from the case book itself; else the cohort file's name and SHA-256.
    QString sourceFile;
    QString sourceSha256;
    bool inUse = false;

    const CalibrationMonth &month(int k) const { return months[k - 1]; }
    bool fromCaseBook() const { return sourceFile.isEmpty(); }
    // "this case book" or "cohort.csv (SHA-256 …)".
    QString sourceText() const;
    // The line every page with the band carries: what the range is and where it is from.
    QString sourceLine() const;
};

#endif // CALIBRATION_H
