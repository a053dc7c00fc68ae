#include "caseauditchain.h"

#include "casestr.h"
#include "casestoreconnection.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>
#include <optional>

namespace {

// One text of what is hashed: its length in UTF-8 bytes, a colon, the text, a semicolon, so
// that no two lists of texts read alike. The server's telma_chain_item says the same.
QByteArray item(const QString &text)
{
    const QByteArray bytes = text.toUtf8();
    return QByteArray::number(bytes.size()) + ':' + bytes + ';';
}

QString hexSha256(const QByteArray &bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

struct StoredEntry {
    qint64 id = 0;
    qint64 caseId = 0;
    QString action, changedBy, changedAt, databaseUser, valuesHash, entryHash;
};

const QString EntryColumns = QStringLiteral(
    "SELECT id, case_id, action, changed_by, changed_at, database_user, values_hash, entry_hash "
    "FROM case_audit WHERE id > ? ORDER BY id");
const QString ValueColumns = QStringLiteral(
    "SELECT audit_id, field, old_value, new_value FROM case_audit_values WHERE audit_id > ? "
    "ORDER BY audit_id");

StoredEntry readEntry(const QSqlQuery &query)
{
    return {query.value(0).toLongLong(), query.value(1).toLongLong(), query.value(2).toString(),
            query.value(3).toString(),   query.value(4).toString(),   query.value(5).toString(),
            query.value(6).toString(),   query.value(7).toString()};
}

// Walks the entries after `after` in order, each with its values, both read in one pass.
class EntryWalk
{
public:
    EntryWalk(QSqlDatabase db, qint64 after)
        : m_entries(db)
        , m_values(db)
    {
        // Two result sets at once: the server's driver streams only one of them.
        const bool streamed = db.driverName() != QLatin1String("QPSQL");
        m_entries.setForwardOnly(streamed);
        m_values.setForwardOnly(streamed);
        m_entries.prepare(EntryColumns);
        m_entries.addBindValue(after);
        m_values.prepare(ValueColumns);
        m_values.addBindValue(after);
        m_ok = m_entries.exec() && m_values.exec();
        m_valueAhead = m_ok && m_values.next();
    }
    bool ok() const { return m_ok; }
    QSqlError error() const
    {
        return m_entries.lastError().isValid() ? m_entries.lastError() : m_values.lastError();
    }
    bool next(StoredEntry *entry, QVector<CaseAuditEntry::Change> *changes)
    {
        if (!m_entries.next())
            return false;
        *entry = readEntry(m_entries);
        changes->clear();
        // Values of an entry that is not there (removed) are skipped: the chain shows it.
        while (m_valueAhead && m_values.value(0).toLongLong() <= entry->id) {
            if (m_values.value(0).toLongLong() == entry->id)
                changes->append({m_values.value(1).toString(), m_values.value(2).toString(),
                                 m_values.value(3).toString()});
            m_valueAhead = m_values.next();
        }
        return true;
    }

private:
    QSqlQuery m_entries;
    QSqlQuery m_values;
    bool m_ok = false;
    bool m_valueAhead = false;
};

QString describe(const StoredEntry &entry)
{
    return CasesTr::tr("entry %1 (case %2, “%3” by %4 at %5)")
        .arg(entry.id)
        .arg(entry.caseId)
        .arg(entry.action, entry.changedBy, entry.changedAt);
}

} // namespace

CaseAuditChain::CaseAuditChain(CaseStoreConnection &connection)
    : m_connection(connection)
{
}

QString CaseAuditChain::valuesHash(QVector<CaseAuditEntry::Change> changes)
{
    // In one order whatever order they were written or read in: by their UTF-8 bytes, as
    // the server sorts them (COLLATE "C").
    std::sort(changes.begin(), changes.end(), [](const auto &a, const auto &b) {
        const auto key = [](const CaseAuditEntry::Change &c) {
            return std::make_tuple(c.field.toUtf8(), c.oldValue.toUtf8(), c.newValue.toUtf8());
        };
        return key(a) < key(b);
    });
    QByteArray text;
    for (const CaseAuditEntry::Change &change : std::as_const(changes))
        text += item(change.field) + item(change.oldValue) + item(change.newValue);
    return hexSha256(text);
}

QString CaseAuditChain::entryHash(const QString &previous, qint64 caseId, const QString &action,
                                  const QString &changedBy, const QString &changedAt,
                                  const QString &databaseUser, const QString &valuesHash)
{
    return hexSha256(item(previous) + item(QString::number(caseId)) + item(action)
                     + item(changedBy) + item(changedAt) + item(databaseUser) + item(valuesHash));
}

QStringList CaseAuditChain::guards(bool server)
{
    QStringList names = {QStringLiteral("case_audit_no_update"), QStringLiteral("case_audit_no_delete"),
                         QStringLiteral("case_audit_values_no_update"),
                         QStringLiteral("case_audit_values_no_delete")};
    if (server)
        names << QStringLiteral("case_audit_no_delete_truncate")
              << QStringLiteral("case_audit_values_no_delete_truncate")
              << QStringLiteral("case_audit_database_user");
    return names;
}

bool CaseAuditChain::missingGuard(Finding *finding)
{
    const bool server = m_connection.isServer();
    QSqlQuery query(m_connection.database());
    // On the server a guard switched off (ALTER TABLE … DISABLE TRIGGER) is as good as gone.
    const QString sql =
        server ? QStringLiteral("SELECT t.tgname FROM pg_catalog.pg_trigger t JOIN pg_catalog.pg_class c "
                                "ON c.oid = t.tgrelid JOIN pg_catalog.pg_namespace n ON n.oid = "
                                "c.relnamespace WHERE n.nspname = current_schema() AND c.relname IN "
                                "('case_audit', 'case_audit_values') AND t.tgenabled <> 'D'")
               : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'trigger' AND tbl_name IN "
                                "('case_audit', 'case_audit_values')");
    if (!query.exec(sql))
        return !m_connection.failQuery(query, QT_TRANSLATE_NOOP("Cases", "check the audit trail"));
    QStringList present;
    while (query.next())
        present << query.value(0).toString();
    for (const QString &guard : guards(server)) {
        if (!present.contains(guard)) {
            finding->problem = CasesTr::tr("The audit trail's guard %1 is missing or switched off, so "
                                           "entries could have been changed or removed unseen.")
                                   .arg(guard);
            return true;
        }
    }
    return false;
}

bool CaseAuditChain::verify(qint64 last, Finding *finding)
{
    *finding = {};
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    const char *doing = QT_TRANSLATE_NOOP("Cases", "check the audit trail");
    if (missingGuard(finding))
        return m_connection.lastError().kind == CaseStoreError::None;
    QSqlDatabase db = m_connection.database();
    qint64 after = 0;
    QString previous;
    if (last > 0) {
        // The entry before the last ones anchors them: its own hash is taken as stored.
        QSqlQuery anchor(db);
        anchor.prepare(QStringLiteral("SELECT id, entry_hash FROM case_audit ORDER BY id DESC "
                                      "LIMIT 1 OFFSET ?"));
        anchor.addBindValue(last);
        if (!anchor.exec())
            return m_connection.failQuery(anchor, doing);
        if (anchor.next()) {
            after = anchor.value(0).toLongLong();
            previous = anchor.value(1).toString();
        }
    }
    EntryWalk walk(db, after);
    if (!walk.ok())
        return m_connection.fail(m_connection.dialect().describe(walk.error(), CasesTr::tr(doing)));
    QSqlQuery deleted(db);
    deleted.prepare(QStringLiteral("SELECT 1 FROM case_audit WHERE case_id = ? AND action = 'delete'"));
    StoredEntry entry;
    QVector<CaseAuditEntry::Change> changes;
    while (walk.next(&entry, &changes)) {
        ++finding->checked;
        const auto notFitting = [&](const QString &problem) {
            finding->entryId = entry.id;
            finding->problem = problem;
            return true;
        };
        if (entry.entryHash.isEmpty())
            return notFitting(CasesTr::tr("The audit trail's %1 has no hash: it was written outside this "
                                          "program.").arg(describe(entry)));
        // A deleted case's values are erased on purpose; its entries keep their values' hash.
        bool valuesErased = false;
        if (changes.isEmpty() && entry.valuesHash != valuesHash({})) {
            deleted.addBindValue(entry.caseId);
            if (!deleted.exec())
                return m_connection.failQuery(deleted, doing);
            valuesErased = deleted.next();
            deleted.finish();
        }
        if (!valuesErased && valuesHash(changes) != entry.valuesHash)
            return notFitting(CasesTr::tr("The old and new values of the audit trail's %1 were changed "
                                          "or removed.").arg(describe(entry)));
        if (entryHash(previous, entry.caseId, entry.action, entry.changedBy, entry.changedAt,
                      entry.databaseUser, entry.valuesHash)
            != entry.entryHash)
            return notFitting(CasesTr::tr("The audit trail's %1 does not fit the chain: it was changed "
                                          "or inserted, or an entry before it was removed.")
                                  .arg(describe(entry)));
        previous = entry.entryHash;
    }
    return true;
}

bool CaseAuditChain::chainExisting(QSqlDatabase &db, QSqlError *error)
{
    QVector<StoredEntry> entries;
    QVector<QString> hashes;
    {
        EntryWalk walk(db, 0);
        if (!walk.ok()) {
            *error = walk.error();
            return false;
        }
        StoredEntry entry;
        QVector<CaseAuditEntry::Change> changes;
        while (walk.next(&entry, &changes)) {
            entry.valuesHash = valuesHash(changes);
            entries.append(entry);
        }
    }
    QSqlQuery write(db);
    write.prepare(QStringLiteral("UPDATE case_audit SET values_hash = ?, entry_hash = ? WHERE id = ?"));
    QString previous;
    for (const StoredEntry &entry : std::as_const(entries)) {
        previous = entryHash(previous, entry.caseId, entry.action, entry.changedBy,
                             entry.changedAt, entry.databaseUser, entry.valuesHash);
        write.addBindValue(entry.valuesHash);
        write.addBindValue(previous);
        write.addBindValue(entry.id);
        if (!write.exec()) {
            *error = write.lastError();
            return false;
        }
    }
    return true;
}
