#include "casebookimport.h"

#include "casebatches.h"

#include "casecsv.h"
#include "casefields.h"
#include "casestore.h"
#include "cohortcasestr.h"
#include "numberfield.h"
#include "textcheck.h"
#include "visitstore.h"

#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cmath>

namespace {

QString fieldText(const CsvRow &row, int column)
{
    const std::string_view text = row.fields[column];
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

void join(QString *reasons, const QString &more)
{
    if (!reasons->isEmpty() && !more.isEmpty())
        *reasons += QLatin1String("; ");
    *reasons += more;
}

void addReason(QString *reasons, const QString &column, const QString &reason)
{
    join(reasons, column + QLatin1String(": ") + reason);
}

QString inBookClause(const QString &code)
{
    return CohortCasesTr::tr("code: “%1” is already in the case book").arg(code);
}

} // namespace

CaseBookImport::CaseBookImport(CaseStore &store, const QString &modelVersion)
    : m_store(store)
    , m_modelVersion(modelVersion)
{
}

CaseBookImport::~CaseBookImport() = default;

void CaseBookImport::readRow(const CsvRow &row, const CohortColumns &columns,
                             const CohortRecord &cohort)
{
    if (!m_error.isEmpty())
        return;
    ++m_rowsRead;
    Row item;
    item.line = row.line;
    item.before = cohort.error;
    CaseRecord &record = item.record;
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
                addReason(&item.before, QLatin1String(CohortColumns::caseColumnName(CohortColumns::Height)),
                          refusalClause(numberFieldRefusal(text, range, m_mark)));
        }
        record.predictors = cohort.predictors;
        record.course = predictBmiCourse(record.predictors);
        record.modelVersion = m_modelVersion;

        const int codeLength = CaseFields::codeLength(record.code);
        // A code led by an apostrophe is one kept from before, as an export writes it.
        const QString refusal = escaped ? QString() : CaseFields::newCodeRefusal(record.code);
        // A code that is no text was named by the reader already.
        const bool codeIsText =
            !TextCheck::check(row.fields[columns.caseColumn(CohortColumns::Code)], TextCheck::Paragraphs);
        if (codeIsText && record.code.trimmed().isEmpty())
            addReason(&item.codeClause, codeColumn, CohortCasesTr::tr("the code is required"));
        else if (codeIsText && !refusal.isEmpty())
            addReason(&item.codeClause, codeColumn, QStringLiteral("“%1” %2").arg(record.code, refusal));
        else if (codeIsText && codeLength > CaseFields::MaxCodeLength)
            addReason(&item.codeClause, codeColumn,
                      CohortCasesTr::tr("the code has %1 characters; at most %2 are allowed")
                          .arg(codeLength).arg(CaseFields::MaxCodeLength));
        else if (codeIsText)
            item.fold = CaseFields::foldedCode(record.code);
        if (!record.baselineDate.isValid())
            addReason(&item.after, dateColumn,
                      CohortCasesTr::tr("“%1” is not a date written YYYY-MM-DD").arg(date));
        else if (record.baselineDate > QDate::currentDate())
            addReason(&item.after, dateColumn, CohortCasesTr::tr("%1 is after today").arg(date));
        for (int month = 1; month <= CourseMonths && record.baselineDate.isValid(); ++month) {
            const double bmi = cohort.observed[month - 1];
            if (std::isnan(bmi))
                continue;
            const Visit visit{0, record.baselineDate.addMonths(month), bmi, std::nullopt, {}};
            const QString column = QString::fromStdString(CohortColumns::observedName(month));
            if (visit.date > QDate::currentDate())
                addReason(&item.after, column,
                          CohortCasesTr::tr("its visit date, %1, is after today")
                              .arg(visit.date.toString(Qt::ISODate)));
            else if (const CaseStoreError invalid = VisitStore::check(visit, record.baselineDate))
                addReason(&item.after, column, refusalClause(invalid.message));
            item.visits.append(visit);
        }
    }
    m_batchBytes += qint64(row.text.size()) + 2 * record.code.size();
    m_batch.append(std::move(item));
    if ((m_batch.size() >= BatchRows || m_batchBytes >= BatchBytes) && !finishBatch(false)
        && m_error.isEmpty())
        m_error = m_store.lastError().message;
}

void CaseBookImport::refuse(qint64 line, const QString &reason)
{
    ++m_refusalCount;
    if (m_onRefusal)
        m_onRefusal({line, reason});
    else
        m_refusals.append({line, reason});
}

bool CaseBookImport::findCodesInBook(const QVector<Row *> &rows)
{
    if (rows.isEmpty())
        return true;
    QStringList codes;
    for (const Row *row : rows)
        codes << row->record.code;
    QSet<QString> inBook;
    if (!m_store.codesInUse(codes, &inBook))
        return false;
    for (Row *row : rows)
        row->inBook = inBook.contains(row->record.code);
    return true;
}

void CaseBookImport::stopWriting()
{
    m_writing = false;
    m_batches->rollback();
}

bool CaseBookImport::findEarlierLines()
{
    QVector<QPair<quint64, qint64>> hashes;
    QVector<Row *> coded;
    for (Row &row : m_batch) {
        if (!row.fold.isEmpty()) {
            hashes.append({CodeLines::hashOf(row.fold), row.line});
            coded << &row;
        }
    }
    QVector<qint64> earlierLines;
    if (!m_codeLines.firstLines(hashes, &earlierLines, &m_error))
        return false;
    for (int i = 0; i < coded.size(); ++i)
        coded[i]->earlierLine = earlierLines[i];
    return true;
}

bool CaseBookImport::checkCodes()
{
    // A code whose hash came before: the same code, unless the earlier one says otherwise.
    const qint64 batchStart = m_batch.constFirst().line;
    QVector<Row *> lookUp;
    QVector<Row *> inEarlierBatch;
    for (Row &row : m_batch) {
        row.repeated = row.inBook = false;
        if (row.fold.isEmpty())
            continue;
        if (row.earlierLine >= batchStart) {
            const auto earlier = std::lower_bound(
                m_batch.cbegin(), m_batch.cend(), row.earlierLine,
                [](const Row &r, qint64 line) { return r.line < line; });
            row.repeated = earlier->fold == row.fold;
        } else if (row.earlierLine > 0 && m_batches->active()) {
            // The earlier row is in the transaction: the book finds it if it is the same code.
            inEarlierBatch << &row;
            continue;
        } else {
            // Nothing but the hash is left of it; two codes share one once in 10^19 pairs.
            row.repeated = row.earlierLine > 0;
        }
        if (!row.repeated)
            lookUp << &row;
    }
    if (!findCodesInBook(lookUp + inEarlierBatch))
        return false;
    for (Row *row : std::as_const(inEarlierBatch)) {
        row->repeated = row->inBook;
        row->inBook = false;
    }
    return true;
}

bool CaseBookImport::writeBatch(bool alone)
{
    QVector<CaseRecord> records;
    QVector<QList<Visit>> visits;
    records.reserve(m_batch.size());
    visits.reserve(m_batch.size());
    for (const Row &row : std::as_const(m_batch)) {
        records.append(row.record);
        visits.append(row.visits);
    }
    // A file of one batch is one change of the store's own: one call on the server.
    const bool saved = alone ? m_store.addCases(&records, visits)
                             : (m_batches->active() || m_batches->begin()) && m_batches->add(&records, visits);
    if (!saved)
        stopWriting();
    return saved;
}

bool CaseBookImport::finishBatch(bool last)
{
    if (m_batch.isEmpty())
        return true;
    const auto refusedAlready = [](const Row &row) {
        return !row.before.isEmpty() || !row.codeClause.isEmpty() || !row.after.isEmpty();
    };
    if (m_writing && std::any_of(m_batch.cbegin(), m_batch.cend(), refusedAlready))
        stopWriting();
    if (!findEarlierLines())
        return false;
    const bool alone = last && !m_batches->active();
    const qint64 refusedBefore = m_refusalCount;
    QString writeFailure;
    if (m_writing && m_store.connection().isServer()) {
        // The server's call refuses a code in use itself: a batch is one round trip, and its
        // codes are looked up only when it was refused.
        if (writeBatch(alone)) {
            m_batch.clear();
            m_batchBytes = 0;
            return true;
        }
        writeFailure = m_store.lastError().message;
        if (m_store.lastError().kind != CaseStoreError::DuplicateCode)
            m_writeError = writeFailure;
    } else if (m_writing && !alone && !m_batches->active() && !m_batches->begin()) {
        // Begun before the codes are looked up, so that no other writer takes one meanwhile.
        m_writeError = m_store.lastError().message;
        m_writing = false;
    }
    if (!checkCodes())
        return false;

    for (const Row &row : std::as_const(m_batch)) {
        QString reasons = row.before;
        join(&reasons, row.repeated ? QStringLiteral("code: ")
                                          + CohortCasesTr::tr("“%1” is also the code of line %2")
                                                .arg(row.record.code).arg(row.earlierLine)
                                    : row.codeClause);
        join(&reasons, row.after);
        if (row.inBook)
            join(&reasons, inBookClause(row.record.code));
        if (!reasons.isEmpty())
            refuse(row.line, reasons);
    }
    if (m_writing && m_refusalCount > 0)
        stopWriting();
    if (m_writing && !writeBatch(alone)) {
        writeFailure = m_store.lastError().message;
        if (m_store.lastError().kind != CaseStoreError::DuplicateCode)
            m_writeError = writeFailure;
        else
            refuseCodesTakenMeanwhile();
    }
    // Refused as a code in use, but no code of the batch is in the book.
    if (!writeFailure.isEmpty() && m_refusalCount == refusedBefore && m_writeError.isEmpty())
        m_writeError = writeFailure;
    m_batch.clear();
    m_batchBytes = 0;
    return true;
}

void CaseBookImport::refuseCodesTakenMeanwhile()
{
    // Another writer took a code between the check and the write: nothing was stored, and the
    // rows whose codes it took are named as if they had been taken before.
    QVector<Row *> rows;
    for (Row &row : m_batch) {
        if (!row.fold.isEmpty() && !row.repeated)
            rows << &row;
    }
    if (!findCodesInBook(rows))
        return;
    for (const Row *row : std::as_const(rows)) {
        if (row->inBook)
            refuse(row->line, inBookClause(row->record.code));
    }
}

CaseBookImport::Outcome CaseBookImport::run(CohortInput &input)
{
    m_batches = std::make_unique<CaseBatches>(m_store);
    m_writing = true;
    m_writeError.clear();
    m_batch.clear();
    m_batchBytes = 0;
    m_refusals.clear();
    m_refusalCount = 0;
    m_rowsRead = 0;
    m_error.clear();
    m_mark = input.decimalMark();
    if (!m_codeLines.open(&m_error))
        return Failed;
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
    const bool read = input.read(onHeader, onRecord);
    if (read && m_error.isEmpty() && !finishBatch(true) && m_error.isEmpty())
        m_error = m_store.lastError().message;
    if (!read || !m_error.isEmpty()) {
        m_batches->rollback();
        if (!read)
            m_error = input.error();
        return Failed;
    }
    if (m_refusalCount > 0)
        return RowsRefused;
    if (!m_writeError.isEmpty()) {
        m_error = m_writeError;
        return Failed;
    }
    // A file of no rows stores nothing and needs no transaction.
    if (m_batches->active() && !m_batches->commit()) {
        m_error = m_store.lastError().message;
        return Failed;
    }
    return Imported;
}
