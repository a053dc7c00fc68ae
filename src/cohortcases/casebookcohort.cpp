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
#include <functional>

bool CaseBookCohort::forEach(CaseStore &store, const std::function<bool(const Row &)> &each)
{
    return store.forEachCase([&each](const CaseRecord &record, const QList<Visit> &visits) {
        return each({record, observedMonths(record.baselineDate, visits)});
    });
}

bool CaseBookCohort::read(CaseStore &store)
{
    m_rows.clear();
    return forEach(store, [this](const Row &row) {
        m_rows.append(row);
        return true;
    });
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

QByteArray CaseBookCohort::headerLine()
{
    QString header = CaseCsv::headerLine();
    for (int month = 1; month <= CourseMonths; ++month)
        header += QLatin1Char(',') + QString::fromStdString(CohortColumns::observedName(month));
    return header.toUtf8() + "\r\n";
}

QByteArray CaseBookCohort::line(const Row &row)
{
    QString line = CaseCsv::line(row.record);
    for (double value : row.observed) {
        line += QLatin1Char(',');
        if (!std::isnan(value))
            line += CaseCsv::numberCell(value);
    }
    return line.toUtf8() + "\r\n";
}

bool CaseBookCohort::write(QIODevice *device) const
{
    if (device->write(headerLine()) < 0)
        return false;
    for (const Row &row : m_rows) {
        if (device->write(line(row)) < 0)
            return false;
    }
    return true;
}

bool CaseBookCohort::writeBook(CaseStore &store, QIODevice *device,
                               const std::function<void(const Row &)> &seen, bool *readFailed)
{
    *readFailed = false;
    if (device->write(headerLine()) < 0)
        return false;
    bool written = true;
    const bool read = forEach(store, [&](const Row &row) {
        seen(row);
        written = device->write(line(row)) >= 0;
        return written;
    });
    *readFailed = written && !read;
    return read && written;
}

namespace {

// Writes fileName only once it is whole, readable by the owner only. writer returns false
// when it could not write; *why then says it, or stays empty for the file's own error.
bool saveWhole(const QString &fileName, const std::function<bool(QIODevice *, QString *)> &writer,
               QString *error)
{
    QSaveFile file(fileName);
    QString why;
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) || !writer(&file, &why)
        || !file.commit()) {
        *error = !why.isEmpty() ? why
                                : CohortCasesTr::tr("Cannot write %1: %2.")
                                      .arg(QDir::toNativeSeparators(fileName), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace

bool CaseBookCohort::save(const QString &fileName, QString *error) const
{
    return saveWhole(fileName, [this](QIODevice *device, QString *) { return write(device); }, error);
}

bool CaseBookCohort::saveBook(CaseStore &store, const QString &fileName,
                              const std::function<void(const Row &)> &seen, QString *error)
{
    return saveWhole(fileName, [&](QIODevice *device, QString *why) {
        bool readFailed = false;
        const bool written = writeBook(store, device, seen, &readFailed);
        if (readFailed)
            *why = store.lastError().message;
        return written;
    }, error);
}
