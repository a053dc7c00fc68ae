#include "caseaudittrail.h"

#include "casestr.h"
#include "caseauditchain.h"
#include "casestoreconnection.h"
#include "casestorestatement.h"

#include <QHash>
#include <QSqlQuery>
#include <QTimeZone>

CaseAuditTrail::CaseAuditTrail(CaseStoreConnection &connection)
    : m_connection(connection)
{
}

QString CaseAuditTrail::timeText(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QDateTime CaseAuditTrail::readTime(const QVariant &value)
{
    QDateTime time = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    time.setTimeZone(QTimeZone::utc());
    return time;
}

bool CaseAuditTrail::append(qint64 caseId, const QString &action,
                            const QVector<CaseAuditEntry::Change> &changes, const char *doing)
{
    // The entry is chained to the one before it (see CaseAuditChain). On the server the
    // entry's account is the one the server knows, and one writer of the trail at a time.
    QString databaseUser;
    if (m_connection.isServer()) {
        CaseStoreStatement lock(m_connection,
                                QStringLiteral("SELECT pg_advisory_xact_lock(717302), session_user"),
                                doing);
        if (!lock || !lock.exec() || !lock->next())
            return false;
        databaseUser = lock->value(1).toString();
    }
    CaseStoreStatement last(m_connection,
                            QStringLiteral("SELECT entry_hash FROM case_audit ORDER BY id DESC LIMIT 1"),
                            doing);
    if (!last || !last.exec())
        return false;
    const QString previous = last->next() ? last->value(0).toString() : QString();
    last->finish();
    const QString changedBy = m_connection.user();
    const QString changedAt = timeText(QDateTime::currentDateTimeUtc());
    const QString valuesHash = CaseAuditChain::valuesHash(changes);
    CaseStoreStatement entry(m_connection,
                             QStringLiteral("INSERT INTO case_audit (case_id, action, changed_by, "
                                            "changed_at, values_hash, entry_hash) VALUES "
                                            "(?, ?, ?, ?, ?, ?)")
                                 + m_connection.dialect().returningId(),
                             doing);
    if (!entry)
        return false;
    entry->addBindValue(caseId);
    entry->addBindValue(action);
    entry->addBindValue(changedBy);
    entry->addBindValue(changedAt);
    entry->addBindValue(valuesHash);
    entry->addBindValue(CaseAuditChain::entryHash(previous, caseId, action, changedBy, changedAt,
                                                  databaseUser, valuesHash));
    if (!entry.exec())
        return false;
    const qint64 auditId = m_connection.dialect().insertedId(*entry);
    CaseStoreStatement value(m_connection,
                             QStringLiteral("INSERT INTO case_audit_values (audit_id, case_id, "
                                            "field, old_value, new_value) VALUES (?, ?, ?, ?, ?)"),
                             doing);
    if (!value)
        return false;
    for (const CaseAuditEntry::Change &change : changes) {
        value->addBindValue(auditId);
        value->addBindValue(caseId);
        value->addBindValue(change.field);
        value->addBindValue(change.oldValue);
        value->addBindValue(change.newValue);
        if (!value.exec())
            return false;
    }
    return true;
}

bool CaseAuditTrail::eraseValues(qint64 caseId, const char *doing)
{
    CaseStoreStatement erase(m_connection,
                             QStringLiteral("DELETE FROM case_audit_values WHERE case_id = ?"), doing);
    if (!erase)
        return false;
    erase->addBindValue(caseId);
    return erase.exec();
}

bool CaseAuditTrail::read(qint64 caseId, QVector<CaseAuditEntry> *entries)
{
    m_connection.clearError();
    entries->clear();
    if (!m_connection.connected())
        return false;
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT id, action, changed_by, changed_at, "
                                            "database_user FROM case_audit WHERE case_id = ? "
                                            "ORDER BY id"),
                             QT_TRANSLATE_NOOP("Cases", "read the audit trail"));
    if (!query)
        return false;
    query->addBindValue(caseId);
    if (!query.exec())
        return false;
    QHash<qint64, int> indexOf;
    while (query->next()) {
        CaseAuditEntry entry;
        entry.id = query->value(0).toLongLong();
        entry.caseId = caseId;
        entry.action = query->value(1).toString();
        entry.user = query->value(2).toString();
        entry.time = readTime(query->value(3));
        entry.databaseUser = query->value(4).toString();
        indexOf.insert(entry.id, entries->size());
        entries->append(entry);
    }
    CaseStoreStatement values(m_connection,
                              QStringLiteral("SELECT audit_id, field, old_value, new_value FROM "
                                             "case_audit_values WHERE case_id = ?"),
                              QT_TRANSLATE_NOOP("Cases", "read the audit trail"));
    if (!values)
        return false;
    values->addBindValue(caseId);
    if (!values.exec())
        return false;
    while (values->next()) {
        const auto entry = indexOf.constFind(values->value(0).toLongLong());
        if (entry != indexOf.constEnd())
            (*entries)[*entry].changes.append({values->value(1).toString(),
                                               values->value(2).toString(),
                                               values->value(3).toString()});
    }
    return true;
}
