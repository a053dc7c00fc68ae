#include "casebookimport.h"

#include "casecsv.h"
#include "casefields.h"
#include "casestore.h"
#include "cohortcasestr.h"
#include "numberfield.h"
#include "textcheck.h"
#include "visitstore.h"

#include <QSet>

#include <algorithm>
#include <cmath>

namespace {

QString fieldText(const CsvRow &row, int column)
{
    const std::string_view text = row.fields[column];
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void addReason(QString *reasons, const QString &column, const QString &reason)
{
    if (!reasons->isEmpty())
        *reasons += QLatin1String("; ");
    *reasons += column + QLatin1String(": ") + reason;
}

} // namespace

CaseBookImport::CaseBookImport(CaseStore &store, const QString &modelVersion)
    : m_store(store)
    , m_modelVersion(modelVersion)
{
}

void CaseBookImport::readRow(const CsvRow &row, const CohortColumns &columns,
                             const CohortRecord &cohort)
{
    QString reasons = cohort.error;
    CaseRecord record;
    QList<Visit> visits;
    // A row with the wrong number of fields has nothing more worth saying.
    const bool whole = int(row.fields.size()) == columns.fieldCount();
    if (whole) {
        const QString codeColumn = QLatin1String(CohortColumns::caseColumnName(CohortColumns::Code));
        const QString dateColumn =
            QLatin1String(CohortColumns::caseColumnName(CohortColumns::BaselineDate));
        bool escaped = false;
        record.code = CaseCsv::codeOfCell(fieldText(row, columns.caseColumn(CohortColumns::Code)),
                                          &escaped);
        const QString date = fieldText(row, columns.caseColumn(CohortColumns::BaselineDate)).trimmed();
        record.baselineDate = QDate::fromString(date, Qt::ISODate);
        const int heightColumn = columns.caseColumn(CohortColumns::Height);
        if (heightColumn >= 0) {
            const std::string_view text = row.fields[heightColumn];
            const PredictorRange range{CaseFields::MinHeightMetres, CaseFields::MaxHeightMetres, nullptr};
            double height = 0;
            if (readNumberField(text, range, m_mark, &height))
                record.heightMetres = height;
            else if (text.find_first_not_of(" \t") != std::string_view::npos)
                addReason(&reasons, QLatin1String(CohortColumns::caseColumnName(CohortColumns::Height)),
                          refusalClause(numberFieldRefusal(text, range, m_mark)));
        }
        record.predictors = cohort.predictors;
        record.course = predictBmiCourse(record.predictors);
        record.modelVersion = m_modelVersion;

        const QString fold = CaseFields::foldedCode(record.code);
        const auto earlier = m_lineOfCode.constFind(fold);
        const int codeLength = CaseFields::codeLength(record.code);
        // A code led by an apostrophe is one kept from before, as an export writes it.
        const QString refusal = escaped ? QString() : CaseFields::newCodeRefusal(record.code);
        // A code that is no text was named by the reader already.
        const bool codeIsText =
            !TextCheck::check(row.fields[columns.caseColumn(CohortColumns::Code)], TextCheck::Paragraphs);
        if (codeIsText && record.code.trimmed().isEmpty())
            addReason(&reasons, codeColumn, CohortCasesTr::tr("the code is required"));
        else if (codeIsText && !refusal.isEmpty())
            addReason(&reasons, codeColumn, QStringLiteral("“%1” %2").arg(record.code, refusal));
        else if (codeIsText && codeLength > CaseFields::MaxCodeLength)
            addReason(&reasons, codeColumn,
                      CohortCasesTr::tr("the code has %1 characters; at most %2 are allowed")
                          .arg(codeLength).arg(CaseFields::MaxCodeLength));
        else if (codeIsText && earlier != m_lineOfCode.constEnd())
            addReason(&reasons, codeColumn,
                      CohortCasesTr::tr("“%1” is also the code of line %2").arg(record.code).arg(*earlier));
        else if (codeIsText)
            m_lineOfCode.insert(fold, row.line);
        if (!record.baselineDate.isValid())
            addReason(&reasons, dateColumn,
                      CohortCasesTr::tr("“%1” is not a date written YYYY-MM-DD").arg(date));
        else if (record.baselineDate > QDate::currentDate())
            addReason(&reasons, dateColumn, CohortCasesTr::tr("%1 is after today").arg(date));
        for (int month = 1; month <= CourseMonths && record.baselineDate.isValid(); ++month) {
            const double bmi = cohort.observed[month - 1];
            if (std::isnan(bmi))
                continue;
            const Visit visit{0, record.baselineDate.addMonths(month), bmi, std::nullopt, {}};
            const QString column = QString::fromStdString(CohortColumns::observedName(month));
            if (visit.date > QDate::currentDate())
                addReason(&reasons, column,
                          CohortCasesTr::tr("its visit date, %1, is after today")
                              .arg(visit.date.toString(Qt::ISODate)));
            else if (const CaseStoreError invalid = VisitStore::check(visit, record.baselineDate))
                addReason(&reasons, column, refusalClause(invalid.message));
            visits.append(visit);
        }
    }
    if (!reasons.isEmpty())
        m_refusals.append({row.line, reasons});
    m_records.append(record);
    m_visits.append(visits);
}

bool CaseBookImport::refuseCodesInBook()
{
    QStringList codes;
    for (const CaseRecord &record : std::as_const(m_records)) {
        if (m_lineOfCode.contains(CaseFields::foldedCode(record.code)))
            codes << record.code;
    }
    QSet<QString> inBook;
    if (!m_store.codesInUse(codes, &inBook)) {
        m_error = m_store.lastError().message;
        return false;
    }
    for (const QString &code : std::as_const(inBook)) {
        const qint64 line = m_lineOfCode.value(CaseFields::foldedCode(code));
        const QString reason = CohortCasesTr::tr("code: “%1” is already in the case book").arg(code);
        const auto refused = std::find_if(m_refusals.begin(), m_refusals.end(),
                                          [line](const Refusal &r) { return r.line == line; });
        if (refused == m_refusals.end())
            m_refusals.append({line, reason});
        else if (!refused->reason.contains(reason))
            refused->reason += QLatin1String("; ") + reason;
    }
    std::sort(m_refusals.begin(), m_refusals.end(),
              [](const Refusal &a, const Refusal &b) { return a.line < b.line; });
    return true;
}

CaseBookImport::Outcome CaseBookImport::run(CohortInput &input)
{
    m_records.clear();
    m_visits.clear();
    m_lineOfCode.clear();
    m_refusals.clear();
    m_error.clear();
    m_mark = input.decimalMark();
    // Refusals are listed by the caller, together with the ones found here.
    input.setRefusalStream(nullptr);

    CohortColumns found;
    const auto onHeader = [&found](const CsvRow &, const CohortColumns &columns) {
        found = columns;
        QStringList missing;
        for (CohortColumns::CaseColumn which : {CohortColumns::Code, CohortColumns::BaselineDate}) {
            if (columns.caseColumn(which) < 0)
                missing << QLatin1String(CohortColumns::caseColumnName(which));
        }
        return missing.isEmpty() ? QString()
                                 : CohortCasesTr::tr("The header line has no column %1, which a "
                                                    "case needs.").arg(missing.join(QStringLiteral(", ")));
    };
    const auto onRecord = [this, &found](const CsvRow &row, const CohortRecord &record) {
        readRow(row, found, record);
    };
    if (!input.read(onHeader, onRecord)) {
        m_error = input.error();
        return Failed;
    }

    if (!refuseCodesInBook())
        return Failed;
    if (!m_refusals.isEmpty())
        return RowsRefused;

    if (!m_store.addCases(&m_records, m_visits)) {
        // Another writer took a code between the check and the commit: nothing was stored,
        // and the rows whose codes it took are named as if they had been taken before.
        const CaseStoreError failure = m_store.lastError();
        if (failure.kind == CaseStoreError::DuplicateCode && refuseCodesInBook()
            && !m_refusals.isEmpty())
            return RowsRefused;
        m_error = failure.message;
        return Failed;
    }
    return Imported;
}
