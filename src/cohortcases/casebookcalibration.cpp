#include "casebookcalibration.h"

#include "calibrationbuilder.h"
#include "casebookcohort.h"
#include "casestore.h"
#include "observedmonths.h"
#include "visitstore.h"

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
    // Streamed: one case at a time, as the book gives them in order of code.
    CalibrationBuilder builder;
    QVector<std::pair<qint64, QString>> refused;
    const auto each = [&](const CaseObservations &observations) {
        const QString problems = CaseBookCohort::predictorProblems(observations.predictors);
        if (!problems.isEmpty())
            refused.append({observations.caseId, problems});
        else
            builder.add(predictBmiCourse(observations.predictors), observedMonths(observations.visits));
    };
    if (!VisitStore(store).observations(each))
        return false;
    if (refusals && !refused.isEmpty()) {
        // Rare: the codes of the cases refused, read only for them.
        QVector<qint64> ids;
        for (const auto &entry : std::as_const(refused))
            ids.append(entry.first);
        QVector<CaseRecord> records;
        if (!store.readCases(ids, &records))
            return false;
        QHash<qint64, QString> codes;
        for (const CaseRecord &record : std::as_const(records))
            codes.insert(record.id, record.code);
        for (const auto &entry : std::as_const(refused))
            refusals->append(codes.value(entry.first) + QStringLiteral(": ") + entry.second);
    }
    *calibration = builder.calibration();
    calibration->modelVersion = modelVersion;
    return true;
}
