#include "casebookcohort.h"

#include "casecsv.h"
#include "casestore.h"
#include "cohortcasestr.h"
#include "cohortcolumns.h"
#include "observedmonths.h"
#include "predictorcheck.h"
#include "visitstore.h"

#include <QDir>
#include <QSaveFile>

#include <cmath>

bool CaseBookCohort::read(CaseStore &store)
{
    m_rows.clear();
    QVector<CaseRecord> records;
    QHash<qint64, QList<Visit>> visits;
    if (!store.readCases({}, &records) || !VisitStore(store).allVisits(&visits))
        return false;
    m_rows.reserve(records.size());
    for (const CaseRecord &record : std::as_const(records))
        m_rows.append({record, observedMonths(record.baselineDate, visits.value(record.id))});
    return true;
}

CohortRecord CaseBookCohort::cohortRecord(const Row &row)
{
    CohortRecord cohort;
    cohort.predictors = row.record.predictors;
    cohort.observed = row.observed;
    cohort.error = predictorProblems(row.record.predictors);
    return cohort;
}

QString CaseBookCohort::predictorProblems(const PredictorValues &predictors)
{
    QString problems;
    for (int p = 0; p < PredictorCount; ++p) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(p));
        const double value = predictors[p];
        if (!(value >= range.lower && value <= range.upper)) {
            if (!problems.isEmpty())
                problems += QLatin1String("; ");
            problems += CohortCasesTr::tr("%1: %2 is outside %3 to %4")
                            .arg(QLatin1String(CohortColumns::predictorName(p)),
                                 CaseCsv::numberCell(value), CaseCsv::numberCell(range.lower),
                                 CaseCsv::numberCell(range.upper));
        }
    }
    return problems;
}

bool CaseBookCohort::write(QIODevice *device) const
{
    const QByteArray lineEnd = QByteArrayLiteral("\r\n");
    QString header = CaseCsv::headerLine();
    for (int month = 1; month <= CourseMonths; ++month)
        header += QLatin1Char(',') + QString::fromStdString(CohortColumns::observedName(month));
    if (device->write(header.toUtf8() + lineEnd) < 0)
        return false;
    for (const Row &row : m_rows) {
        QString line = CaseCsv::line(row.record);
        for (double value : row.observed) {
            line += QLatin1Char(',');
            if (!std::isnan(value))
                line += CaseCsv::numberCell(value);
        }
        if (device->write(line.toUtf8() + lineEnd) < 0)
            return false;
    }
    return true;
}

bool CaseBookCohort::save(const QString &fileName, QString *error) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) || !write(&file)
        || !file.commit()) {
        *error = CohortCasesTr::tr("Cannot write %1: %2.")
                     .arg(QDir::toNativeSeparators(fileName), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
