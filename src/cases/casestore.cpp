#include "casestore.h"
#include "casefields.h"
#include "caseschema.h"
#include "predictorcheck.h"
#include "visitstore.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

#include <cmath>

#include <pwd.h>
#include <unistd.h>

static QString tr(const char *text)
{
    return QCoreApplication::translate("CaseStore", text);
}

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

QString timeText(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime readTime(const QVariant &value)
{
    QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    time.setTimeZone(QTimeZone::utc());
    return time;
}

// Numbers in the trail read back exactly.
QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString answersText(const QVector<int> &answers)
{
    QStringList items;
    for (int answer : answers)
        items << QString::number(answer);
    return items.join(QLatin1Char(','));
}

// The case's values as text, field by field, as the audit trail records them.
QVector<QPair<QString, QString>> fieldTexts(const CaseRecord &record)
{
    QVector<QPair<QString, QString>> fields = {
        {QStringLiteral("code"), record.code},
        {QStringLiteral("baseline_date"), record.baselineDate.toString(DateFormat)},
        {QStringLiteral("height_m"),
         record.heightMetres ? numberText(*record.heightMetres) : QString()},
    };
    for (int p = 0; p < PredictorCount; ++p) {
        const QString column = CaseFields::predictorColumn(p);
        fields.append({column, numberText(record.predictors[p])});
        fields.append({column + QStringLiteral("_source"), record.sources[p]});
        fields.append({column + QStringLiteral("_answers"), answersText(record.answers[p])});
    }
    for (int m = 0; m < CourseMonths; ++m)
        fields.append({CaseFields::monthColumn(m + 1), numberText(record.course[m])});
    fields.append({QStringLiteral("model_version"), record.modelVersion});
    return fields;
}

// The columns of cases that hold the record's own values, in the order of bindValues().
QStringList valueColumns()
{
    QStringList columns = {QStringLiteral("code"), QStringLiteral("code_folded"),
                           QStringLiteral("baseline_date"), QStringLiteral("height_m")};
    for (int p = 0; p < PredictorCount; ++p)
        columns << CaseFields::predictorColumn(p)
                << CaseFields::predictorColumn(p) + QStringLiteral("_source");
    for (int m = 1; m <= CourseMonths; ++m)
        columns << CaseFields::monthColumn(m);
    columns << QStringLiteral("model_version");
    return columns;
}

void bindValues(QSqlQuery &query, const CaseRecord &record)
{
    query.addBindValue(record.code);
    query.addBindValue(CaseFields::foldedCode(record.code));
    query.addBindValue(record.baselineDate.toString(DateFormat));
    query.addBindValue(record.heightMetres ? QVariant(*record.heightMetres)
                                           : QVariant(QMetaType(QMetaType::Double)));
    for (int p = 0; p < PredictorCount; ++p) {
        query.addBindValue(record.predictors[p]);
        // An empty source is stored as '', never NULL, so every engine reads it alike.
        query.addBindValue(record.sources[p].isNull() ? QStringLiteral("") : record.sources[p]);
    }
    for (double value : record.course)
        query.addBindValue(value);
    query.addBindValue(record.modelVersion);
}

QString placeholders(int count)
{
    QStringList marks;
    for (int i = 0; i < count; ++i)
        marks << QStringLiteral("?");
    return marks.join(QStringLiteral(", "));
}

const QString RecordColumns =
    QStringLiteral("id, ") + valueColumns().join(QStringLiteral(", "))
    + QStringLiteral(", created_by, created_at, changed_by, changed_at, row_version");

// Reads a row selected with RecordColumns.
CaseRecord recordFromRow(const QSqlQuery &query)
{
    CaseRecord record;
    int c = 0;
    record.id = query.value(c++).toLongLong();
    record.code = query.value(c++).toString();
    ++c; // the fold, which the database keeps unique
    record.baselineDate = QDate::fromString(query.value(c++).toString(), DateFormat);
    const QVariant height = query.value(c++);
    if (!height.isNull())
        record.heightMetres = height.toDouble();
    for (int p = 0; p < PredictorCount; ++p) {
        record.predictors[p] = query.value(c++).toDouble();
        record.sources[p] = query.value(c++).toString();
    }
    for (double &value : record.course)
        value = query.value(c++).toDouble();
    record.modelVersion = query.value(c++).toString();
    record.createdBy = query.value(c++).toString();
    record.createdAt = readTime(query.value(c++));
    record.changedBy = query.value(c++).toString();
    record.changedAt = readTime(query.value(c++));
    record.rowVersion = query.value(c++).toLongLong();
    return record;
}

} // namespace

// One write transaction: begun holding the write lock, rolled back unless committed.
class CaseStore::Write
{
public:
    Write(QSqlDatabase &db, const CaseStoreDialect &dialect) : m_query(db)
    {
        m_begun = m_query.exec(dialect.beginWrite());
    }
    ~Write()
    {
        if (m_begun && !m_done)
            m_query.exec(QStringLiteral("ROLLBACK"));
    }
    bool begun() const { return m_begun; }
    void rollback()
    {
        if (m_begun && !m_done)
            m_done = m_query.exec(QStringLiteral("ROLLBACK"));
    }
    bool commit()
    {
        m_done = m_query.exec(QStringLiteral("COMMIT"));
        return m_done;
    }
    QSqlQuery &query() { return m_query; }

private:
    QSqlQuery m_query;
    bool m_begun = false;
    bool m_done = false;
};

CaseStore::CaseStore()
    : m_user(systemUser())
    , m_dialect(CaseStoreDialect::forLocation(QString()))
{
    static QAtomicInt counter;
    m_connection = QStringLiteral("telma-cases-%1").arg(counter.fetchAndAddRelaxed(1));
}

CaseStore::~CaseStore()
{
    close();
}

QString CaseStore::systemUser()
{
    if (const passwd *entry = getpwuid(geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QString::number(geteuid()) : user;
}

bool CaseStore::open(const QString &location)
{
    close();
    m_error = {};
    m_location = location;
    m_dialect = CaseStoreDialect::forLocation(location);
    bool ready = false;
    {
        QSqlDatabase db;
        int version = 0;
        ready = m_dialect.open(&db, location, m_connection, m_busyTimeoutMs, &m_error)
                && CaseSchema::readVersion(db, m_dialect, &version, &m_error)
                && m_dialect.configure(db, &m_error)
                && CaseSchema::migrate(db, m_dialect, version, &m_error);
    }
    if (!ready)
        close();
    return ready;
}

bool CaseStore::connected()
{
    if (!QSqlDatabase::contains(m_connection))
        return fail({CaseStoreError::Failed, tr("The case book is not open.")});
    QSqlDatabase db = database();
    // After the clinic server went away, the next call opens the connection again.
    return db.isOpen() || m_dialect.reconnect(db, &m_error);
}

CaseStoreError CaseStore::conflictError(const CaseRecord &stored, const CaseRecord &mine)
{
    // What the others changed since this edit began, from the trail.
    QStringList changed;
    QVector<CaseAuditEntry> trail;
    if (auditTrail(stored.id, &trail)) {
        for (const CaseAuditEntry &entry : std::as_const(trail)) {
            if (entry.action != QLatin1String("update") || !(entry.time > mine.changedAt))
                continue;
            for (const CaseAuditEntry::Change &change : entry.changes)
                changed << tr("%1: %2 → %3").arg(change.field, change.oldValue, change.newValue);
        }
    }
    m_error = {};
    QString message = tr("The case “%1” was changed by %2 at %3 after you opened it; your "
                         "change was not saved.")
                          .arg(stored.code, stored.changedBy,
                               QLocale().toString(stored.changedAt.toLocalTime(), QLocale::ShortFormat));
    if (!changed.isEmpty())
        message += QLatin1Char('\n') + tr("Changed meanwhile: %1").arg(changed.join(QStringLiteral("; ")));
    return {CaseStoreError::Conflict, message};
}

CaseStoreError CaseStore::goneError(qint64 id)
{
    // Deleted by someone else: say who and when, from the entry the deletion left.
    QVector<CaseAuditEntry> trail;
    const bool known = auditTrail(id, &trail) && !trail.isEmpty()
                       && trail.last().action == QLatin1String("delete");
    m_error = {};
    if (!known)
        return {CaseStoreError::NotFound, tr("The case no longer exists.")};
    return {CaseStoreError::NotFound,
            tr("The case was deleted by %1 at %2; it no longer exists.")
                .arg(trail.last().user,
                     QLocale().toString(trail.last().time.toLocalTime(), QLocale::ShortFormat))};
}

bool CaseStore::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && database().isOpen();
}

void CaseStore::close()
{
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase CaseStore::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

int CaseStore::schemaVersion() const
{
    QSqlQuery query(database());
    if (query.exec(QStringLiteral("SELECT version FROM telma_schema")) && query.next())
        return query.value(0).toInt();
    return -1;
}

bool CaseStore::fail(const CaseStoreError &error)
{
    m_error = error;
    return false;
}

bool CaseStore::failQuery(const QSqlQuery &query, const char *doing)
{
    return fail(m_dialect.describe(query.lastError(), tr(doing)));
}

CaseStoreError CaseStore::check(const CaseRecord &record)
{
    const auto invalid = [](const QString &message) {
        return CaseStoreError{CaseStoreError::InvalidInput, message};
    };
    const int length = CaseFields::codeLength(record.code);
    if (record.code.trimmed().isEmpty())
        return invalid(tr("The case code is required."));
    if (length > CaseFields::MaxCodeLength)
        return invalid(tr("The case code has %1 characters; at most %2 are allowed.")
                           .arg(length)
                           .arg(CaseFields::MaxCodeLength));
    if (!record.baselineDate.isValid() || record.baselineDate > QDate::currentDate())
        return invalid(tr("The baseline date must be a date not later than today."));
    if (record.heightMetres
        && !(*record.heightMetres >= CaseFields::MinHeightMetres
             && *record.heightMetres <= CaseFields::MaxHeightMetres))
        return invalid(tr("The height must be between %1 and %2 m.")
                           .arg(CaseFields::MinHeightMetres, 0, 'f', 2)
                           .arg(CaseFields::MaxHeightMetres, 0, 'f', 2));
    for (int p = 0; p < PredictorCount; ++p) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(p));
        const double value = record.predictors[p];
        if (!(value >= range.lower && value <= range.upper))
            return invalid(QCoreApplication::translate("MainWindow", range.message));
    }
    for (double value : record.course) {
        if (!std::isfinite(value))
            return invalid(tr("The predicted course is incomplete."));
    }
    return {};
}

bool CaseStore::codeInUse(const QString &code, qint64 exceptId, bool *inUse)
{
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT code FROM cases WHERE code_folded = ? AND id <> ?"));
    query.addBindValue(CaseFields::foldedCode(code));
    query.addBindValue(exceptId);
    if (!query.exec())
        return failQuery(query, QT_TR_NOOP("check the code"));
    *inUse = query.next();
    if (!*inUse)
        return true;
    const QString used = query.value(0).toString();
    if (used == CaseFields::storedCode(code))
        fail({CaseStoreError::DuplicateCode,
              tr("The code “%1” is already used by another case. Please choose another code.")
                  .arg(used)});
    else
        fail({CaseStoreError::DuplicateCode,
              tr("The code “%1” is already used by another case as “%2”: codes that differ "
                 "only in capitals or accents written another way are one code. Please choose "
                 "another code.")
                  .arg(code, used)});
    return true;
}

bool CaseStore::writeAnswers(qint64 id, const CaseRecord &record, QSqlQuery &query)
{
    query.prepare(QStringLiteral("DELETE FROM case_answers WHERE case_id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return false;
    query.prepare(QStringLiteral(
        "INSERT INTO case_answers (case_id, predictor, item, answer) VALUES (?, ?, ?, ?)"));
    for (int p = 0; p < PredictorCount; ++p) {
        for (int item = 0; item < record.answers[p].size(); ++item) {
            const int answer = record.answers[p].at(item);
            query.addBindValue(id);
            query.addBindValue(p);
            query.addBindValue(item);
            query.addBindValue(answer < 0 ? QVariant(QMetaType(QMetaType::Int)) : answer);
            if (!query.exec())
                return false;
        }
    }
    return true;
}

bool CaseStore::writeAudit(qint64 caseId, const QString &action,
                           const QVector<CaseAuditEntry::Change> &changes, QSqlQuery &query)
{
    query.prepare(QStringLiteral("INSERT INTO case_audit (case_id, action, changed_by, "
                                 "changed_at) VALUES (?, ?, ?, ?)")
                  + m_dialect.returningId());
    query.addBindValue(caseId);
    query.addBindValue(action);
    query.addBindValue(m_user);
    query.addBindValue(timeText(QDateTime::currentDateTimeUtc()));
    if (!query.exec())
        return false;
    const qint64 auditId = m_dialect.insertedId(query);
    query.prepare(QStringLiteral("INSERT INTO case_audit_values (audit_id, case_id, field, "
                                 "old_value, new_value) VALUES (?, ?, ?, ?, ?)"));
    for (const CaseAuditEntry::Change &change : changes) {
        query.addBindValue(auditId);
        query.addBindValue(caseId);
        query.addBindValue(change.field);
        query.addBindValue(change.oldValue);
        query.addBindValue(change.newValue);
        if (!query.exec())
            return false;
    }
    return true;
}

bool CaseStore::insertCase(CaseRecord *record, const QDateTime &now, QSqlQuery &query)
{
    record->code = CaseFields::storedCode(record->code);
    query.prepare(QStringLiteral("INSERT INTO cases (%1, created_by, created_at, changed_by, "
                                 "changed_at, row_version) VALUES (%2, ?, ?, ?, ?, 1)")
                      .arg(valueColumns().join(QStringLiteral(", ")),
                           placeholders(valueColumns().size()))
                  + m_dialect.returningId());
    bindValues(query, *record);
    query.addBindValue(m_user);
    query.addBindValue(timeText(now));
    query.addBindValue(m_user);
    query.addBindValue(timeText(now));
    if (!query.exec())
        return false;
    const qint64 id = m_dialect.insertedId(query);

    QVector<CaseAuditEntry::Change> changes;
    for (const auto &field : fieldTexts(*record)) {
        if (!field.second.isEmpty())
            changes.append({field.first, QString(), field.second});
    }
    if (!writeAnswers(id, *record, query) || !writeAudit(id, QStringLiteral("insert"), changes, query))
        return false;
    record->id = id;
    record->createdBy = record->changedBy = m_user;
    record->createdAt = record->changedAt = now;
    record->rowVersion = 1;
    return true;
}

bool CaseStore::addCase(CaseRecord *record)
{
    m_error = check(*record);
    if (m_error || !connected())
        return false;
    QSqlDatabase db = database();
    Write write(db, m_dialect);
    if (!write.begun())
        return failQuery(write.query(), QT_TR_NOOP("save the case"));
    bool inUse = false;
    if (!codeInUse(record->code, 0, &inUse) || inUse)
        return false;

    const CaseRecord unsaved = *record;
    if (!insertCase(record, QDateTime::currentDateTimeUtc(), write.query()) || !write.commit()) {
        *record = unsaved;
        return failQuery(write.query(), QT_TR_NOOP("save the case"));
    }
    return true;
}

bool CaseStore::addCases(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits,
                         const QVector<CaseVisits> &stored)
{
    m_error = {};
    const auto refuse = [this](const CaseRecord &record, const CaseStoreError &error) {
        return fail({error.kind, tr("Case “%1”: %2").arg(record.code, error.message)});
    };
    for (int i = 0; i < records->size(); ++i) {
        const CaseRecord &record = records->at(i);
        if (const CaseStoreError invalid = check(record))
            return refuse(record, invalid);
        for (const Visit &visit : visits.value(i)) {
            if (const CaseStoreError invalid = VisitStore::check(visit, record.baselineDate))
                return refuse(record, invalid);
        }
    }
    if (!connected())
        return false;
    const QVector<CaseRecord> unsaved = *records;
    QSqlDatabase db = database();
    Write write(db, m_dialect);
    if (!write.begun())
        return failQuery(write.query(), QT_TR_NOOP("save the cases"));
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < records->size(); ++i) {
        CaseRecord &record = (*records)[i];
        bool inUse = false;
        if (!codeInUse(record.code, 0, &inUse) || inUse) {
            *records = unsaved;
            return false;
        }
        bool saved = insertCase(&record, now, write.query());
        for (Visit visit : visits.value(i)) {
            if (!saved)
                break;
            saved = VisitStore::insertVisit(*this, record.id, &visit, write.query());
        }
        if (!saved) {
            *records = unsaved;
            return failQuery(write.query(), QT_TR_NOOP("save the cases"));
        }
    }
    VisitStore visitStore(*this);
    for (const CaseVisits &more : stored) {
        QDate baseline;
        bool saved = visitStore.readBaseline(more.caseId, &baseline);
        for (const Visit &visit : more.visits) {
            if (!saved)
                break;
            if (const CaseStoreError invalid = VisitStore::check(visit, baseline))
                saved = fail(invalid);
        }
        if (saved)
            saved = visitStore.storeHeight(more.caseId, more.newHeightM, write.query());
        for (Visit visit : more.visits) {
            if (!saved)
                break;
            if (!VisitStore::insertVisit(*this, more.caseId, &visit, write.query()))
                saved = failQuery(write.query(), QT_TR_NOOP("save the cases"));
        }
        if (!saved) {
            *records = unsaved;
            return false;
        }
    }
    if (!write.commit()) {
        *records = unsaved;
        return failQuery(write.query(), QT_TR_NOOP("save the cases"));
    }
    return true;
}

bool CaseStore::codesInUse(const QStringList &codes, QSet<QString> *inUse)
{
    m_error = {};
    inUse->clear();
    if (!connected())
        return false;
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT 1 FROM cases WHERE code_folded = ?"));
    for (const QString &code : codes) {
        query.addBindValue(CaseFields::foldedCode(code));
        if (!query.exec())
            return failQuery(query, QT_TR_NOOP("check the code"));
        if (query.next())
            inUse->insert(code);
    }
    return true;
}

bool CaseStore::updateCase(CaseRecord *record)
{
    m_error = check(*record);
    if (m_error || !connected())
        return false;
    QSqlDatabase db = database();
    Write write(db, m_dialect);
    if (!write.begun())
        return failQuery(write.query(), QT_TR_NOOP("save the case"));
    record->code = CaseFields::storedCode(record->code);
    CaseRecord stored;
    if (!readCase(record->id, &stored))
        return false;
    if (stored.rowVersion != record->rowVersion)
        return fail(conflictError(stored, *record));
    // A code that keeps its fold stays the case's own, even in a book from before folds
    // were unique that holds its twin.
    bool inUse = false;
    if (CaseFields::foldedCode(record->code) != CaseFields::foldedCode(stored.code)
        && (!codeInUse(record->code, record->id, &inUse) || inUse))
        return false;

    const QDateTime now = QDateTime::currentDateTimeUtc();
    QStringList assignments;
    for (const QString &column : valueColumns())
        assignments << column + QStringLiteral(" = ?");
    QSqlQuery &query = write.query();
    query.prepare(QStringLiteral("UPDATE cases SET %1, changed_by = ?, changed_at = ?, "
                                 "row_version = row_version + 1 WHERE id = ? AND row_version = ?")
                      .arg(assignments.join(QStringLiteral(", "))));
    bindValues(query, *record);
    query.addBindValue(m_user);
    query.addBindValue(timeText(now));
    query.addBindValue(record->id);
    query.addBindValue(record->rowVersion);
    if (!query.exec())
        return failQuery(query, QT_TR_NOOP("save the case"));
    // On the server another workstation may have saved the row since it was read above:
    // then the version no longer matches and nothing was updated.
    if (query.numRowsAffected() != 1) {
        write.rollback();
        CaseRecord now;
        return readCase(record->id, &now) ? fail(conflictError(now, *record)) : false;
    }

    const auto before = fieldTexts(stored);
    const auto after = fieldTexts(*record);
    QVector<CaseAuditEntry::Change> changes;
    for (int i = 0; i < after.size(); ++i) {
        if (before[i].second != after[i].second)
            changes.append({after[i].first, before[i].second, after[i].second});
    }
    if (!writeAnswers(record->id, *record, query)
        || !writeAudit(record->id, QStringLiteral("update"), changes, query) || !write.commit())
        return failQuery(query, QT_TR_NOOP("save the case"));

    record->createdBy = stored.createdBy;
    record->createdAt = stored.createdAt;
    record->changedBy = m_user;
    record->changedAt = now;
    record->rowVersion = stored.rowVersion + 1;
    return true;
}

bool CaseStore::removeCase(qint64 id)
{
    m_error = {};
    if (!connected())
        return false;
    QSqlDatabase db = database();
    Write write(db, m_dialect);
    QSqlQuery &query = write.query();
    if (!write.begun())
        return failQuery(query, QT_TR_NOOP("delete the case"));
    query.prepare(QStringLiteral("DELETE FROM cases WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return failQuery(query, QT_TR_NOOP("delete the case"));
    if (query.numRowsAffected() != 1)
        return fail(goneError(id));
    // The person's right to erasure: the answers go with the case (foreign key), the old
    // values from the trail here; the trail keeps only who deleted it and when.
    query.prepare(QStringLiteral("DELETE FROM case_audit_values WHERE case_id = ?"));
    query.addBindValue(id);
    if (!query.exec() || !writeAudit(id, QStringLiteral("delete"), {}, query) || !write.commit())
        return failQuery(query, QT_TR_NOOP("delete the case"));
    return true;
}

bool CaseStore::readCase(qint64 id, CaseRecord *record)
{
    QVector<CaseRecord> records;
    if (!readCases({id}, &records))
        return false;
    if (records.isEmpty())
        return fail(goneError(id));
    *record = records.first();
    return true;
}

bool CaseStore::readCases(const QVector<qint64> &ids, QVector<CaseRecord> *records)
{
    m_error = {};
    records->clear();
    if (!connected())
        return false;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    const QString select = QStringLiteral("SELECT %1 FROM cases").arg(RecordColumns);
    QHash<qint64, int> rowOf;
    const auto collect = [&] {
        while (query.next()) {
            rowOf.insert(query.value(0).toLongLong(), records->size());
            records->append(recordFromRow(query));
        }
    };
    if (ids.isEmpty()) {
        if (!query.exec(select + QStringLiteral(" ORDER BY code")))
            return failQuery(query, QT_TR_NOOP("read the cases"));
        collect();
    } else {
        query.prepare(select + QStringLiteral(" WHERE id = ?"));
        for (qint64 id : ids) {
            query.addBindValue(id);
            if (!query.exec())
                return failQuery(query, QT_TR_NOOP("read the case"));
            collect();
        }
    }
    if (records->isEmpty())
        return true;

    QSqlQuery answers(database());
    answers.setForwardOnly(true);
    const QString answerSelect =
        QStringLiteral("SELECT case_id, predictor, item, answer FROM case_answers");
    const bool ok = ids.isEmpty()
                        ? answers.exec(answerSelect + QStringLiteral(" ORDER BY case_id, predictor, item"))
                        : false;
    const auto collectAnswers = [&] {
        while (answers.next()) {
            const auto row = rowOf.constFind(answers.value(0).toLongLong());
            const int predictor = answers.value(1).toInt();
            const int item = answers.value(2).toInt();
            if (row == rowOf.constEnd() || predictor < 0 || predictor >= PredictorCount
                || item < 0 || item > 1000)
                continue;
            QVector<int> &list = (*records)[*row].answers[predictor];
            if (list.size() <= item)
                list.resize(item + 1, -1);
            const QVariant answer = answers.value(3);
            list[item] = answer.isNull() ? -1 : answer.toInt();
        }
    };
    if (ids.isEmpty()) {
        if (!ok)
            return failQuery(answers, QT_TR_NOOP("read the cases"));
        collectAnswers();
    } else {
        answers.prepare(answerSelect
                        + QStringLiteral(" WHERE case_id = ? ORDER BY predictor, item"));
        for (const CaseRecord &record : std::as_const(*records)) {
            answers.addBindValue(record.id);
            if (!answers.exec())
                return failQuery(answers, QT_TR_NOOP("read the case"));
            collectAnswers();
        }
    }
    return true;
}

// The filter as a LIKE pattern: its own %, _ and \ are characters to find, not wildcards.
static QString containsPattern(const QString &filter)
{
    QString pattern = filter;
    pattern.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + pattern + QLatin1Char('%');
}

// Reads the matching cases after afterCode, up to upToCode when given, in order of code.
static bool selectSummaries(QSqlDatabase db, const QString &filter, const QString &afterCode,
                            const QString &upToCode, int limit, QVector<CaseSummary> *page,
                            QSqlQuery *query)
{
    QString sql = QStringLiteral("SELECT id, code, baseline_date, %1, %2 FROM cases "
                                 "WHERE code > ?")
                      .arg(CaseFields::predictorColumn(Predictor::InitialBmi),
                           CaseFields::monthColumn(CourseMonths));
    if (!upToCode.isNull())
        sql += QStringLiteral(" AND code <= ?");
    if (!filter.isEmpty())
        sql += QStringLiteral(" AND code_folded LIKE ? ESCAPE '\\'");
    sql += QStringLiteral(" ORDER BY code LIMIT ?");
    *query = QSqlQuery(db);
    query->setForwardOnly(true);
    query->prepare(sql);
    query->addBindValue(afterCode.isNull() ? QStringLiteral("") : afterCode);
    if (!upToCode.isNull())
        query->addBindValue(upToCode);
    if (!filter.isEmpty())
        query->addBindValue(containsPattern(CaseFields::foldedCode(filter)));
    query->addBindValue(limit);
    if (!query->exec())
        return false;
    while (query->next()) {
        page->append({query->value(0).toLongLong(), query->value(1).toString(),
                      QDate::fromString(query->value(2).toString(), DateFormat),
                      query->value(3).toDouble(), query->value(4).toDouble()});
    }
    return true;
}

bool CaseStore::summaries(const QString &filter, const QString &afterCode, int limit,
                          QVector<CaseSummary> *page)
{
    m_error = {};
    page->clear();
    if (!connected())
        return false;
    QSqlQuery query;
    if (!selectSummaries(database(), filter, afterCode, QString(), limit, page, &query))
        return failQuery(query, QT_TR_NOOP("read the cases"));
    return true;
}

bool CaseStore::searchCases(const QString &filter, const QString &afterCode, int scanLimit,
                            int matchLimit, CaseSearchStep *step)
{
    m_error = {};
    *step = {};
    if (!connected())
        return false;
    // The end of this step's stretch of codes, found in the code index alone.
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT MAX(code), COUNT(*) FROM (SELECT code FROM cases "
                                 "WHERE code > ? ORDER BY code LIMIT ?) AS stretch"));
    query.addBindValue(afterCode.isNull() ? QStringLiteral("") : afterCode);
    query.addBindValue(scanLimit);
    if (!query.exec() || !query.next())
        return failQuery(query, QT_TR_NOOP("read the cases"));
    const QString end = query.value(0).toString();
    const int scanned = query.value(1).toInt();
    if (scanned == 0) {
        step->scannedTo = afterCode;
        step->finished = true;
        return true;
    }
    if (!selectSummaries(database(), filter, afterCode, end, matchLimit, &step->matches, &query))
        return failQuery(query, QT_TR_NOOP("read the cases"));
    if (step->matches.size() == matchLimit) {
        step->scannedTo = step->matches.constLast().code;
    } else {
        step->scannedTo = end;
        step->finished = scanned < scanLimit;
    }
    return true;
}

qint64 CaseStore::caseCount()
{
    if (!connected())
        return -1;
    QSqlQuery query(database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM cases")) || !query.next()) {
        failQuery(query, QT_TR_NOOP("read the cases"));
        return -1;
    }
    return query.value(0).toLongLong();
}

bool CaseStore::codesDifferingOnlyInCase(QList<QStringList> *groups)
{
    m_error = {};
    groups->clear();
    if (!connected())
        return false;
    QSqlQuery query(database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT code_folded, code FROM cases WHERE code_folded IN "
                                   "(SELECT code_folded FROM cases GROUP BY code_folded "
                                   "HAVING COUNT(*) > 1) ORDER BY code_folded, code")))
        return failQuery(query, QT_TR_NOOP("read the cases"));
    QString group;
    while (query.next()) {
        if (groups->isEmpty() || query.value(0).toString() != group) {
            group = query.value(0).toString();
            groups->append(QStringList());
        }
        groups->last().append(query.value(1).toString());
    }
    return true;
}

bool CaseStore::auditTrail(qint64 caseId, QVector<CaseAuditEntry> *entries)
{
    m_error = {};
    entries->clear();
    if (!connected())
        return false;
    QSqlQuery query(database());
    query.prepare(QStringLiteral("SELECT id, action, changed_by, changed_at, database_user "
                                 "FROM case_audit WHERE case_id = ? ORDER BY id"));
    query.addBindValue(caseId);
    if (!query.exec())
        return failQuery(query, QT_TR_NOOP("read the audit trail"));
    while (query.next()) {
        CaseAuditEntry entry;
        entry.id = query.value(0).toLongLong();
        entry.caseId = caseId;
        entry.action = query.value(1).toString();
        entry.user = query.value(2).toString();
        entry.time = readTime(query.value(3));
        entry.databaseUser = query.value(4).toString();
        entries->append(entry);
    }
    query.prepare(QStringLiteral("SELECT audit_id, field, old_value, new_value FROM "
                                 "case_audit_values WHERE case_id = ?"));
    query.addBindValue(caseId);
    if (!query.exec())
        return failQuery(query, QT_TR_NOOP("read the audit trail"));
    while (query.next()) {
        const qint64 auditId = query.value(0).toLongLong();
        for (CaseAuditEntry &entry : *entries) {
            if (entry.id == auditId)
                entry.changes.append({query.value(1).toString(), query.value(2).toString(),
                                      query.value(3).toString()});
        }
    }
    return true;
}

bool CaseStore::backup(const QString &fileName)
{
    m_error = {};
    QSqlDatabase db = database();
    return m_dialect.backup(db, fileName, &m_error);
}
