#include "caseaudittrail.h"
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
    CaseStoreStatement entry(m_connection,
                             QStringLiteral("INSERT INTO case_audit (case_id, action, changed_by, "
                                            "changed_at) VALUES (?, ?, ?, ?)")
                                 + m_connection.dialect().returningId(),
                             doing);
    if (!entry)
        return false;
    entry->addBindValue(caseId);
    entry->addBindValue(action);
    entry->addBindValue(m_connection.user());
    entry->addBindValue(timeText(QDateTime::currentDateTimeUtc()));
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
                             QT_TR_NOOP("read the audit trail"));
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
                              QT_TR_NOOP("read the audit trail"));
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
