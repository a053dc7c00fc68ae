#include "casetable.h"

#include "casestr.h"
#include "caseaudittrail.h"
#include "casefields.h"
#include "caseserverfunctions.h"
#include "casestoreconnection.h"
#include "casestorestatement.h"
#include "casestorewrite.h"
#include "predictorcheck.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QSqlQuery>

#include <cmath>

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");

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

// The columns of a whole record, of the table named prefix, in the order recordFromRow() reads.
QString recordColumns(const QString &prefix)
{
    QStringList columns = QStringList{QStringLiteral("id")} + valueColumns()
                          + QStringList{QStringLiteral("created_by"), QStringLiteral("created_at"),
                                        QStringLiteral("changed_by"), QStringLiteral("changed_at"),
                                        QStringLiteral("row_version")};
    for (QString &column : columns)
        column.prepend(prefix);
    return columns.join(QStringLiteral(", "));
}
constexpr int RecordColumnCount = 1 + 4 + 2 * PredictorCount + CourseMonths + 1 + 5;

// Reads a row selected with recordColumns().
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
    record.createdAt = CaseAuditTrail::readTime(query.value(c++));
    record.changedBy = query.value(c++).toString();
    record.changedAt = CaseAuditTrail::readTime(query.value(c++));
    record.rowVersion = query.value(c++).toLongLong();
    return record;
}

// One questionnaire answer read at column first (predictor, item, answer) into its record.
void readAnswer(const QSqlQuery &query, int first, CaseRecord *record)
{
    const int predictor = query.value(first).toInt();
    const int item = query.value(first + 1).toInt();
    if (predictor < 0 || predictor >= PredictorCount || item < 0 || item > 1000)
        return;
    QVector<int> &list = record->answers[predictor];
    if (list.size() <= item)
        list.resize(item + 1, -1);
    const QVariant answer = query.value(first + 2);
    list[item] = answer.isNull() ? -1 : answer.toInt();
}

// The filter as a LIKE pattern: its own %, _ and \ are characters to find, not wildcards.
QString containsPattern(const QString &filter)
{
    QString pattern = filter;
    pattern.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('%'), QLatin1String("\\%"))
        .replace(QLatin1Char('_'), QLatin1String("\\_"));
    return QLatin1Char('%') + pattern + QLatin1Char('%');
}

const QString FilterCondition = QStringLiteral(" AND c.code_folded LIKE ? ESCAPE '\\'");

CaseSummary summaryFromRow(const QSqlQuery &query, int first)
{
    return {query.value(first).toLongLong(), query.value(first + 1).toString(),
            QDate::fromString(query.value(first + 2).toString(), DateFormat),
            query.value(first + 3).toDouble(), query.value(first + 4).toDouble(), std::nullopt};
}

} // namespace

CaseTable::CaseTable(CaseStoreConnection &connection)
    : m_connection(connection)
{
}

CaseStoreError CaseTable::check(const CaseRecord &record)
{
    const auto invalid = [](const QString &message) {
        return CaseStoreError{CaseStoreError::InvalidInput, message};
    };
    const int length = CaseFields::codeLength(record.code);
    if (record.code.trimmed().isEmpty())
        return invalid(CasesTr::tr("The case code is required."));
    if (length > CaseFields::MaxCodeLength)
        return invalid(CasesTr::tr("The case code has %1 characters; at most %2 are allowed.")
                           .arg(length)
                           .arg(CaseFields::MaxCodeLength));
    if (!record.baselineDate.isValid() || record.baselineDate > QDate::currentDate())
        return invalid(CasesTr::tr("The baseline date must be a date not later than today."));
    if (record.heightMetres
        && !(*record.heightMetres >= CaseFields::MinHeightMetres
             && *record.heightMetres <= CaseFields::MaxHeightMetres))
        return invalid(CasesTr::tr("The height must be between %1 and %2 m.")
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
            return invalid(CasesTr::tr("The predicted course is incomplete."));
    }
    return {};
}

CaseStoreError CaseTable::conflictError(const CaseRecord &stored, const CaseRecord &mine)
{
    // What the others changed since this edit began, from the trail: each step of the row's
    // version wrote one update entry, so the last ones are theirs. Their times cannot tell,
    // as two saves may fall within one millisecond.
    QStringList changed;
    QVector<CaseAuditEntry> trail;
    if (CaseAuditTrail(m_connection).read(stored.id, &trail)) {
        qint64 theirs = stored.rowVersion - mine.rowVersion;
        QVector<const CaseAuditEntry *> updates;
        for (auto entry = trail.crbegin(); entry != trail.crend() && theirs > 0; ++entry) {
            if (entry->action == QLatin1String("update")) {
                updates.prepend(&*entry);
                --theirs;
            }
        }
        for (const CaseAuditEntry *entry : std::as_const(updates)) {
            for (const CaseAuditEntry::Change &change : entry->changes)
                changed << CasesTr::tr("%1: %2 → %3").arg(change.field, change.oldValue, change.newValue);
        }
    }
    m_connection.clearError();
    QString message = CasesTr::tr("The case “%1” was changed by %2 at %3 after you opened it; your "
                                  "change was not saved.")
                          .arg(stored.code, stored.changedBy,
                               QLocale().toString(stored.changedAt.toLocalTime(), QLocale::ShortFormat));
    if (!changed.isEmpty())
        message += QLatin1Char('\n') + CasesTr::tr("Changed meanwhile: %1").arg(changed.join(QStringLiteral("; ")));
    return {CaseStoreError::Conflict, message};
}

CaseStoreError CaseTable::goneError(qint64 id)
{
    // Deleted by someone else: say who and when, from the entry the deletion left.
    QVector<CaseAuditEntry> trail;
    const bool known = CaseAuditTrail(m_connection).read(id, &trail) && !trail.isEmpty()
                       && trail.last().action == QLatin1String("delete");
    m_connection.clearError();
    if (!known)
        return {CaseStoreError::NotFound, CasesTr::tr("The case no longer exists.")};
    return {CaseStoreError::NotFound,
            CasesTr::tr("The case was deleted by %1 at %2; it no longer exists.")
                .arg(trail.last().user,
                     QLocale().toString(trail.last().time.toLocalTime(), QLocale::ShortFormat))};
}

bool CaseTable::codeInUse(const QString &code, qint64 exceptId, bool *inUse)
{
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT code FROM cases WHERE code_folded = ? AND id <> ?"),
                             QT_TRANSLATE_NOOP("Cases", "check the code"));
    if (!query)
        return false;
    query->addBindValue(CaseFields::foldedCode(code));
    query->addBindValue(exceptId);
    if (!query.exec())
        return false;
    *inUse = query->next();
    if (!*inUse)
        return true;
    const QString used = query->value(0).toString();
    if (used == CaseFields::storedCode(code))
        m_connection.fail({CaseStoreError::DuplicateCode,
                           CasesTr::tr("The code “%1” is already used by another case. Please choose "
                                       "another code.")
                               .arg(used)});
    else
        m_connection.fail({CaseStoreError::DuplicateCode,
                           CasesTr::tr("The code “%1” is already used by another case as “%2”: codes "
                                       "that differ only in capitals or accents written another way are "
                                       "one code. Please choose another code.")
                               .arg(code, used)});
    return true;
}

bool CaseTable::writeAnswers(qint64 id, const CaseRecord &record, const char *doing)
{
    CaseStoreStatement erase(m_connection,
                             QStringLiteral("DELETE FROM case_answers WHERE case_id = ?"), doing);
    if (!erase)
        return false;
    erase->addBindValue(id);
    if (!erase.exec())
        return false;
    CaseStoreStatement insert(m_connection,
                              QStringLiteral("INSERT INTO case_answers (case_id, predictor, "
                                             "item, answer) VALUES (?, ?, ?, ?)"),
                              doing);
    if (!insert)
        return false;
    for (int p = 0; p < PredictorCount; ++p) {
        for (int item = 0; item < record.answers[p].size(); ++item) {
            const int answer = record.answers[p].at(item);
            insert->addBindValue(id);
            insert->addBindValue(p);
            insert->addBindValue(item);
            insert->addBindValue(answer < 0 ? QVariant(QMetaType(QMetaType::Int)) : answer);
            if (!insert.exec())
                return false;
        }
    }
    return true;
}

bool CaseTable::insert(CaseRecord *record, const QDateTime &now, CaseStoreWrite &write)
{
    Q_UNUSED(write) // only ever called within one
    const char *doing = QT_TRANSLATE_NOOP("Cases", "save the case");
    bool inUse = false;
    if (!codeInUse(record->code, 0, &inUse) || inUse)
        return false;
    record->code = CaseFields::storedCode(record->code);
    CaseStoreStatement query(m_connection,
                             QStringLiteral("INSERT INTO cases (%1, created_by, created_at, "
                                            "changed_by, changed_at, row_version) VALUES "
                                            "(%2, ?, ?, ?, ?, 1)")
                                     .arg(valueColumns().join(QStringLiteral(", ")),
                                          placeholders(valueColumns().size()))
                                 + m_connection.dialect().returningId(),
                             doing);
    if (!query)
        return false;
    const QString user = m_connection.user();
    bindValues(*query, *record);
    query->addBindValue(user);
    query->addBindValue(CaseAuditTrail::timeText(now));
    query->addBindValue(user);
    query->addBindValue(CaseAuditTrail::timeText(now));
    if (!query.exec())
        return false;
    const qint64 id = m_connection.dialect().insertedId(*query);

    QVector<CaseAuditEntry::Change> changes;
    for (const auto &field : fieldTexts(*record)) {
        if (!field.second.isEmpty())
            changes.append({field.first, QString(), field.second});
    }
    if (!writeAnswers(id, *record, doing)
        || !CaseAuditTrail(m_connection).append(id, QStringLiteral("insert"), changes, doing))
        return false;
    record->id = id;
    record->createdBy = record->changedBy = user;
    record->createdAt = record->changedAt = now;
    record->rowVersion = 1;
    return true;
}

CaseStoreError CaseTable::checkNewCode(const QString &code)
{
    const QString refusal = CaseFields::newCodeRefusal(code);
    if (refusal.isEmpty())
        return {};
    return {CaseStoreError::InvalidInput,
            CasesTr::tr("The case code %1. Please choose another code.").arg(refusal)};
}

bool CaseTable::add(CaseRecord *record)
{
    if (const CaseStoreError invalid = check(*record))
        return m_connection.fail(invalid);
    if (const CaseStoreError invalid = checkNewCode(record->code))
        return m_connection.fail(invalid);
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    if (m_connection.isServer())
        return addOnServer(record);
    CaseStoreWrite write(m_connection, QT_TRANSLATE_NOOP("Cases", "save the case"));
    if (!write.begun())
        return false;
    const CaseRecord unsaved = *record;
    if (!insert(record, QDateTime::currentDateTimeUtc(), write) || !write.commit()) {
        *record = unsaved;
        return false;
    }
    return true;
}

bool CaseTable::codesInUse(const QStringList &codes, QSet<QString> *inUse)
{
    m_connection.clearError();
    inUse->clear();
    if (!m_connection.connected())
        return false;
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT code_folded FROM cases WHERE code_folded IN (%1)")
                                 .arg(m_connection.dialect().textsOfJsonArray()),
                             QT_TRANSLATE_NOOP("Cases", "check the code"));
    if (!query)
        return false;
    QStringList folds;
    for (const QString &code : codes)
        folds << CaseFields::foldedCode(code);
    query->addBindValue(QString::fromUtf8(
        QJsonDocument(QJsonArray::fromStringList(folds)).toJson(QJsonDocument::Compact)));
    if (!query.exec())
        return false;
    QSet<QString> usedFolds;
    while (query->next())
        usedFolds.insert(query->value(0).toString());
    for (int i = 0; i < codes.size(); ++i) {
        if (usedFolds.contains(folds.at(i)))
            inUse->insert(codes.at(i));
    }
    return true;
}

bool CaseTable::update(CaseRecord *record)
{
    if (const CaseStoreError invalid = check(*record))
        return m_connection.fail(invalid);
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    if (m_connection.isServer()) {
        // The server functions take any code: today's rule for a changed one is kept here.
        CaseRecord stored;
        if (!read(record->id, &stored))
            return false;
        if (CaseFields::storedCode(record->code) != stored.code) {
            if (const CaseStoreError invalid = checkNewCode(record->code))
                return m_connection.fail(invalid);
        }
        return updateOnServer(record);
    }
    const char *doing = QT_TRANSLATE_NOOP("Cases", "save the case");
    CaseStoreWrite write(m_connection, doing);
    if (!write.begun())
        return false;
    record->code = CaseFields::storedCode(record->code);
    CaseRecord stored;
    if (!read(record->id, &stored))
        return false;
    if (stored.rowVersion != record->rowVersion)
        return m_connection.fail(conflictError(stored, *record));
    // A code kept from an earlier version stays open; a changed one follows today's rule.
    if (record->code != stored.code) {
        if (const CaseStoreError invalid = checkNewCode(record->code))
            return m_connection.fail(invalid);
    }
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
    CaseStoreStatement query(m_connection,
                             QStringLiteral("UPDATE cases SET %1, changed_by = ?, changed_at = ?, "
                                            "row_version = row_version + 1 WHERE id = ? AND "
                                            "row_version = ?")
                                 .arg(assignments.join(QStringLiteral(", "))),
                             doing);
    if (!query)
        return false;
    bindValues(*query, *record);
    query->addBindValue(m_connection.user());
    query->addBindValue(CaseAuditTrail::timeText(now));
    query->addBindValue(record->id);
    query->addBindValue(record->rowVersion);
    if (!query.exec())
        return false;
    // On the server another workstation may have saved the row since it was read above:
    // then the version no longer matches and nothing was updated.
    if (query->numRowsAffected() != 1) {
        write.rollback();
        CaseRecord current;
        return read(record->id, &current) ? m_connection.fail(conflictError(current, *record))
                                          : false;
    }

    const auto before = fieldTexts(stored);
    const auto after = fieldTexts(*record);
    QVector<CaseAuditEntry::Change> changes;
    for (int i = 0; i < after.size(); ++i) {
        if (before[i].second != after[i].second)
            changes.append({after[i].first, before[i].second, after[i].second});
    }
    if (!writeAnswers(record->id, *record, doing)
        || !CaseAuditTrail(m_connection).append(record->id, QStringLiteral("update"), changes, doing)
        || !write.commit())
        return false;

    record->createdBy = stored.createdBy;
    record->createdAt = stored.createdAt;
    record->changedBy = m_connection.user();
    record->changedAt = now;
    record->rowVersion = stored.rowVersion + 1;
    return true;
}

bool CaseTable::remove(qint64 id)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    if (m_connection.isServer())
        return removeOnServer(id);
    const char *doing = QT_TRANSLATE_NOOP("Cases", "delete the case");
    CaseStoreWrite write(m_connection, doing);
    if (!write.begun())
        return false;
    CaseStoreStatement query(m_connection, QStringLiteral("DELETE FROM cases WHERE id = ?"), doing);
    if (!query)
        return false;
    query->addBindValue(id);
    if (!query.exec())
        return false;
    if (query->numRowsAffected() != 1)
        return m_connection.fail(goneError(id));
    // The answers go with the case (foreign key), its old values from the trail here.
    CaseAuditTrail trail(m_connection);
    return trail.eraseValues(id, doing) && trail.append(id, QStringLiteral("delete"), {}, doing)
           && write.commit();
}

bool CaseTable::refused(CaseStoreStatement &call, const CaseRecord &mine)
{
    switch (CaseServerFunctions::refusal(*call)) {
    case CaseServerFunctions::CodeInUse: {
        // Said as on a SQLite file, naming the code in use.
        bool inUse = false;
        if (codeInUse(mine.code, mine.id, &inUse) && !inUse)
            m_connection.fail({CaseStoreError::DuplicateCode,
                               CasesTr::tr("The code “%1” is already used by another case. Please "
                                           "choose another code.")
                                   .arg(mine.code)});
        return false;
    }
    case CaseServerFunctions::CaseChanged: {
        CaseRecord current;
        return read(mine.id, &current) && m_connection.fail(conflictError(current, mine));
    }
    case CaseServerFunctions::CaseGone:
        return m_connection.fail(goneError(mine.id));
    case CaseServerFunctions::InvalidValue:
        return m_connection.fail({CaseStoreError::InvalidInput,
                                  CasesTr::tr("The clinic server refused a value of the case “%1”.")
                                      .arg(mine.code)});
    default:
        return call.fail();
    }
}

bool CaseTable::addOnServer(CaseRecord *record)
{
    CaseStoreWrite write(m_connection, QT_TRANSLATE_NOOP("Cases", "save the case"));
    if (!write.begun())
        return false;
    CaseStoreStatement call(m_connection,
                            CaseServerFunctions::call(m_connection.dialect().schema(),
                                                      "telma_add_case", 2),
                            QT_TRANSLATE_NOOP("Cases", "save the case"));
    if (!call)
        return false;
    const QString typed = record->code;
    record->code = CaseFields::storedCode(record->code);
    call->addBindValue(m_connection.user());
    call->addBindValue(CaseServerFunctions::caseArgument(*record));
    if (!call->exec() || !call->next()) {
        record->code = typed;
        return refused(call, *record);
    }
    record->id = call->value(0).toLongLong();
    record->createdBy = record->changedBy = m_connection.user();
    record->createdAt = record->changedAt = CaseAuditTrail::readTime(call->value(1));
    record->rowVersion = 1;
    return write.commit();
}

bool CaseTable::updateOnServer(CaseRecord *record)
{
    CaseStoreWrite write(m_connection, QT_TRANSLATE_NOOP("Cases", "save the case"));
    if (!write.begun())
        return false;
    CaseStoreStatement call(m_connection,
                            CaseServerFunctions::call(m_connection.dialect().schema(),
                                                      "telma_update_case", 4),
                            QT_TRANSLATE_NOOP("Cases", "save the case"));
    if (!call)
        return false;
    record->code = CaseFields::storedCode(record->code);
    call->addBindValue(m_connection.user());
    call->addBindValue(record->id);
    call->addBindValue(record->rowVersion);
    call->addBindValue(CaseServerFunctions::caseArgument(*record));
    if (!call->exec() || !call->next())
        return refused(call, *record);
    record->changedBy = m_connection.user();
    record->changedAt = CaseAuditTrail::readTime(call->value(0));
    record->rowVersion = call->value(1).toLongLong();
    return write.commit();
}

bool CaseTable::removeOnServer(qint64 id)
{
    CaseStoreWrite write(m_connection, QT_TRANSLATE_NOOP("Cases", "delete the case"));
    if (!write.begun())
        return false;
    CaseStoreStatement call(m_connection,
                            CaseServerFunctions::call(m_connection.dialect().schema(),
                                                      "telma_remove_case", 2),
                            QT_TRANSLATE_NOOP("Cases", "delete the case"));
    if (!call)
        return false;
    call->addBindValue(m_connection.user());
    call->addBindValue(id);
    if (!call->exec()) {
        CaseRecord gone;
        gone.id = id;
        return refused(call, gone);
    }
    return write.commit();
}

bool CaseTable::read(qint64 id, CaseRecord *record)
{
    m_connection.clearError();
    bool found = false;
    if (!m_connection.connected() || !readRow(id, record, &found))
        return false;
    return found || m_connection.fail(goneError(id));
}

bool CaseTable::readRow(qint64 id, CaseRecord *record, bool *found)
{
    // The case and its answers in one statement: a row per answer, or one without.
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT %1, a.predictor, a.item, a.answer FROM cases c "
                                            "LEFT JOIN case_answers a ON a.case_id = c.id "
                                            "WHERE c.id = ? ORDER BY a.predictor, a.item")
                                 .arg(recordColumns(QStringLiteral("c."))),
                             QT_TRANSLATE_NOOP("Cases", "read the case"));
    if (!query)
        return false;
    query->addBindValue(id);
    if (!query.exec())
        return false;
    *found = query->next();
    if (!*found)
        return true;
    *record = recordFromRow(*query);
    do {
        if (!query->value(RecordColumnCount).isNull())
            readAnswer(*query, RecordColumnCount, record);
    } while (query->next());
    return true;
}

bool CaseTable::read(const QVector<qint64> &ids, QVector<CaseRecord> *records)
{
    m_connection.clearError();
    records->clear();
    if (!m_connection.connected())
        return false;
    if (!ids.isEmpty()) {
        // A case deleted meanwhile is left out.
        for (qint64 id : ids) {
            CaseRecord record;
            bool found = false;
            if (!readRow(id, &record, &found))
                return false;
            if (found)
                records->append(record);
        }
        return true;
    }
    const char *doing = QT_TRANSLATE_NOOP("Cases", "read the cases");
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT %1 FROM cases ORDER BY code")
                                 .arg(recordColumns(QString())),
                             doing);
    if (!query || !query.exec())
        return false;
    QHash<qint64, int> rowOf;
    while (query->next()) {
        rowOf.insert(query->value(0).toLongLong(), records->size());
        records->append(recordFromRow(*query));
    }
    if (records->isEmpty())
        return true;
    CaseStoreStatement answers(m_connection,
                               QStringLiteral("SELECT case_id, predictor, item, answer FROM "
                                              "case_answers ORDER BY case_id, predictor, item"),
                               doing);
    if (!answers || !answers.exec())
        return false;
    while (answers->next()) {
        const auto row = rowOf.constFind(answers->value(0).toLongLong());
        if (row != rowOf.constEnd())
            readAnswer(*answers, 1, &(*records)[*row]);
    }
    return true;
}

bool CaseTable::readPage(const QString &afterCode, int limit, QVector<CaseRecord> *records)
{
    m_connection.clearError();
    records->clear();
    if (!m_connection.connected())
        return false;
    const char *doing = QT_TRANSLATE_NOOP("Cases", "read the cases");
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT %1 FROM cases WHERE code > ? ORDER BY code LIMIT ?")
                                 .arg(recordColumns(QString())),
                             doing);
    if (!query)
        return false;
    // Bound as a text even when null: every code is after the empty one.
    query->addBindValue(afterCode.isNull() ? QStringLiteral("") : afterCode);
    query->addBindValue(limit);
    if (!query.exec())
        return false;
    QHash<qint64, int> rowOf;
    QVector<qint64> ids;
    while (query->next()) {
        ids.append(query->value(0).toLongLong());
        rowOf.insert(ids.last(), records->size());
        records->append(recordFromRow(*query));
    }
    if (records->isEmpty())
        return true;
    CaseStoreStatement answers(m_connection,
                               QStringLiteral("SELECT case_id, predictor, item, answer FROM case_answers "
                                              "WHERE case_id IN (%1) ORDER BY case_id, predictor, item")
                                   .arg(m_connection.dialect().idsOfJsonArray()),
                               doing);
    if (!answers)
        return false;
    answers->addBindValue(CaseStoreDialect::jsonArrayOf(ids));
    if (!answers.exec())
        return false;
    while (answers->next()) {
        const auto row = rowOf.constFind(answers->value(0).toLongLong());
        if (row != rowOf.constEnd())
            readAnswer(*answers, 1, &(*records)[*row]);
    }
    return true;
}

bool CaseTable::selectSummaries(const QString &filter, const QString &afterCode,
                                const QString &upToCode, int limit, QVector<CaseSummary> *page)
{
    QString sql = QStringLiteral("SELECT c.id, c.code, c.baseline_date, c.%1, c.%2 FROM cases c "
                                 "WHERE c.code > ?")
                      .arg(CaseFields::predictorColumn(Predictor::InitialBmi),
                           CaseFields::monthColumn(CourseMonths));
    if (!upToCode.isNull())
        sql += QStringLiteral(" AND c.code <= ?");
    if (!filter.isEmpty())
        sql += FilterCondition;
    sql += QStringLiteral(" ORDER BY c.code LIMIT ?");
    CaseStoreStatement query(m_connection, sql, QT_TRANSLATE_NOOP("Cases", "read the cases"));
    if (!query)
        return false;
    query->addBindValue(afterCode.isNull() ? QStringLiteral("") : afterCode);
    if (!upToCode.isNull())
        query->addBindValue(upToCode);
    if (!filter.isEmpty())
        query->addBindValue(containsPattern(CaseFields::foldedCode(filter)));
    query->addBindValue(limit);
    if (!query.exec())
        return false;
    while (query->next())
        page->append(summaryFromRow(*query, 0));
    return true;
}

bool CaseTable::summaries(const QString &filter, const QString &afterCode, int limit,
                          QVector<CaseSummary> *page)
{
    m_connection.clearError();
    page->clear();
    return m_connection.connected() && selectSummaries(filter, afterCode, QString(), limit, page);
}

bool CaseTable::search(const QString &filter, const QString &afterCode, int scanLimit,
                       int matchLimit, CaseSearchStep *step)
{
    m_connection.clearError();
    *step = {};
    if (!m_connection.connected())
        return false;
    // One statement for the whole step: the end of this step's stretch of codes (found in
    // the code index alone), the matches within it, and each match's latest visit, so that
    // a page of the list costs one round trip to the clinic server, not one per case.
    const QString sql =
        QStringLiteral(
            "WITH stretch AS (SELECT code FROM cases WHERE code > ? ORDER BY code LIMIT ?), "
            "bounds AS (SELECT MAX(code) AS last_code, COUNT(*) AS scanned FROM stretch), "
            "matches AS (SELECT c.id, c.code, c.baseline_date, c.%1, %2, c.height_m FROM cases c "
            "WHERE c.code > ? AND c.code <= (SELECT last_code FROM bounds)%3 "
            "ORDER BY c.code LIMIT ?) "
            "SELECT b.last_code, b.scanned, m.*, v.id, v.visit_date, v.bmi, v.weight_kg, v.note "
            "FROM bounds b LEFT JOIN matches m ON 1 = 1 "
            "LEFT JOIN case_visits v ON v.id = (SELECT w.id FROM case_visits w "
            "WHERE w.case_id = m.id ORDER BY w.visit_date DESC LIMIT 1) "
            "ORDER BY m.code")
            .arg(CaseFields::monthColumn(CourseMonths), CaseFields::predictorColumns(QStringLiteral("c.")),
                 filter.isEmpty() ? QString() : FilterCondition);
    CaseStoreStatement query(m_connection, sql, QT_TRANSLATE_NOOP("Cases", "read the cases"));
    if (!query)
        return false;
    const QString after = afterCode.isNull() ? QStringLiteral("") : afterCode;
    query->addBindValue(after);
    query->addBindValue(scanLimit);
    query->addBindValue(after);
    if (!filter.isEmpty())
        query->addBindValue(containsPattern(CaseFields::foldedCode(filter)));
    query->addBindValue(matchLimit);
    if (!query.exec() || !query->next())
        return query.fail();
    const QString end = query->value(0).toString();
    const int scanned = query->value(1).toInt();
    const int summaryColumn = 2;
    const int predictorColumn = summaryColumn + 4;
    const int heightColumn = predictorColumn + PredictorCount;
    const int visitColumn = heightColumn + 1;
    do {
        if (query->value(summaryColumn).isNull())
            break; // no match in this stretch
        PredictorValues values{};
        for (int p = 0; p < PredictorCount; ++p)
            values[p] = query->value(predictorColumn + p).toDouble();
        CaseSummary summary{
            query->value(summaryColumn).toLongLong(), query->value(summaryColumn + 1).toString(),
            QDate::fromString(query->value(summaryColumn + 2).toString(), DateFormat),
            values[int(Predictor::InitialBmi)], query->value(summaryColumn + 3).toDouble(),
            std::nullopt};
        if (!query->value(heightColumn).isNull())
            summary.heightMetres = query->value(heightColumn).toDouble();
        step->matches.append(summary);
        if (query->value(visitColumn).isNull())
            continue;
        LastVisit last;
        last.visit.id = query->value(visitColumn).toLongLong();
        last.visit.date = QDate::fromString(query->value(visitColumn + 1).toString(), DateFormat);
        last.visit.bmi = query->value(visitColumn + 2).toDouble();
        if (!query->value(visitColumn + 3).isNull())
            last.visit.weightKg = query->value(visitColumn + 3).toDouble();
        last.visit.note = query->value(visitColumn + 4).toString();
        last.comparison = compareVisit(values, summary.baselineDate, last.visit);
        step->lastVisits.insert(summary.id, last);
    } while (query->next());
    if (scanned == 0) {
        step->scannedTo = afterCode;
        step->finished = true;
    } else if (step->matches.size() == matchLimit) {
        step->scannedTo = step->matches.constLast().code;
    } else {
        step->scannedTo = end;
        step->finished = scanned < scanLimit;
    }
    return true;
}

bool CaseTable::codesDifferingOnlyInCase(QList<QStringList> *groups)
{
    m_connection.clearError();
    groups->clear();
    if (!m_connection.connected())
        return false;
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT code_folded, code FROM cases WHERE code_folded IN "
                                            "(SELECT code_folded FROM cases GROUP BY code_folded "
                                            "HAVING COUNT(*) > 1) ORDER BY code_folded, code"),
                             QT_TRANSLATE_NOOP("Cases", "read the cases"));
    if (!query || !query.exec())
        return false;
    QString group;
    while (query->next()) {
        if (groups->isEmpty() || query->value(0).toString() != group) {
            group = query->value(0).toString();
            groups->append(QStringList());
        }
        groups->last().append(query->value(1).toString());
    }
    return true;
}

qint64 CaseTable::count()
{
    if (!m_connection.connected())
        return -1;
    CaseStoreStatement query(m_connection, QStringLiteral("SELECT COUNT(*) FROM cases"),
                             QT_TRANSLATE_NOOP("Cases", "read the cases"));
    if (!query || !query.exec() || !query->next()) {
        query.fail();
        return -1;
    }
    return query->value(0).toLongLong();
}
