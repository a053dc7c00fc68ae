#ifndef CASEAUDITCHAIN_H
#define CASEAUDITCHAIN_H

#include "caserecord.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

class CaseStoreConnection;
class QSqlDatabase;
class QSqlError;

// Makes the audit trail show tampering. Each entry carries the SHA-256 of its values
// (values_hash) and of its own content together with the previous entry's hash
// (entry_hash), so that an entry changed, inserted or removed, or values changed, breaks the
// chain from there on. The same texts are hashed on both engines: in a SQLite file here, on
// the clinic server also by its function telma_audit. The database's own guards (the
// triggers that keep the trail append-only) are checked alongside.
//
// What it cannot do: anyone who may write the file and knows this scheme can rewrite the
// whole chain, or cut entries off its end; a copy of the book kept elsewhere shows that.
class CaseAuditChain
{
public:
    // Where the chain does not fit, or entryId 0 and an empty problem when it does.
    struct Finding {
        qint64 entryId = 0;
        QString problem;  // one sentence naming the entry and what is wrong
        qint64 checked = 0; // entries looked at
        bool fits() const { return problem.isEmpty(); }
    };

    explicit CaseAuditChain(CaseStoreConnection &connection);

    // Checks the guards and the last `last` entries (all of them when last is 0). False only
    // when the trail cannot be read; the connection's error says why.
    bool verify(qint64 last, Finding *finding);

    // The hashes as stored, lowercase hex.
    static QString valuesHash(QVector<CaseAuditEntry::Change> changes);
    static QString entryHash(const QString &previous, qint64 caseId, const QString &action, const QString &changedBy,
                             const QString &changedAt, const QString &databaseUser,
                             const QString &valuesHash);

    // Gives every entry of a trail written before the chain its hashes, in order; the
    // schema step that adds the columns does this, with the trail's guards lifted meanwhile.
    static bool chainExisting(QSqlDatabase &db, QSqlError *error);

    // The guards the trail must have, on SQLite and on the server.
    static QStringList guards(bool server);

private:
    bool missingGuard(Finding *finding);

    CaseStoreConnection &m_connection;
};

#endif // CASEAUDITCHAIN_H
