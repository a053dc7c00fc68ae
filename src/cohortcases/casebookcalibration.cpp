#include "casebookcalibration.h"

#include "calibrationbuilder.h"
#include "casebookcohort.h"
#include "casestore.h"

bool CaseBookCalibration::add(CalibrationBuilder &builder, const CohortRecord &record)
{
    if (!record.error.isEmpty())
        return false;
    builder.add(predictBmiCourse(record.predictors), record.observed);
    return true;
}

bool CaseBookCalibration::make(CaseStore &store, const QString &modelVersion,
                               Calibration *calibration, QStringList *refusals)
{
    CaseBookCohort cohort;
    if (!cohort.read(store))
        return false;
    CalibrationBuilder builder;
    for (const CaseBookCohort::Row &row : cohort.rows()) {
        const CohortRecord record = CaseBookCohort::cohortRecord(row);
        if (!add(builder, record) && refusals)
            refusals->append(row.record.code + QStringLiteral(": ") + record.error);
    }
    *calibration = builder.calibration();
    calibration->modelVersion = modelVersion;
    return true;
}
