#ifndef SIMULATIONRECORD_H
#define SIMULATIONRECORD_H

#include "bmicourse.h"
#include "calibration.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Where each predictor value came from: the questionnaire and scale that last wrote its
// field, or an empty string when the user typed it.
using PredictorSources = std::array<QString, PredictorCount>;

// Everything one simulation produced, as the result dialog and its report need it.
struct SimulationRecord {
    QDateTime time;
    PredictorValues predictors{};
    PredictorSources sources;
    std::optional<double> heightMetres; // from the weight-and-height dialog, when used
    BmiCourse course{};
    bool hasCourse = false;
    bool hasPredictors = false;
    QString caseCode;
    QDate caseBaseline; // of the case it was saved to
    // The case the form was loaded from when values were changed since, and the changes.
    QString changedFromCase;
    QStringList changes;
    // The clinic's calibration in use when the course was shown; the range comes from it.
    std::optional<Calibration> calibration;
};

#endif // SIMULATIONRECORD_H
