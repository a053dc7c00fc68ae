#ifndef FOLLOWUPCASE_H
#define FOLLOWUPCASE_H

#include "bmicourse.h"
#include "calibration.h"
#include "visit.h"

#include <QDate>
#include <QList>
#include <QString>

#include <array>
#include <optional>

// What a follow-up is measured against: the case's baseline and its eight predictors, and
// the visits so far in the order of their dates.
struct FollowUpCase {
    QString code;
    QDate baseline;
    std::optional<double> heightM;
    PredictorValues predictors{};
    // Where each predictor came from, as the report shows it; empty when typed.
    std::array<QString, PredictorCount> sources;
    QString modelVersion;
    QList<Visit> visits;
    // The clinic's calibration in use, if any: the range around the course comes from it.
    std::optional<Calibration> calibration;
};

#endif // FOLLOWUPCASE_H
