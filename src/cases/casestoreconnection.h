#ifndef CASESTORECONNECTION_H
#define CASESTORECONNECTION_H

#include "casestoredialect.h"
#include "casestoreerror.h"

#include <QSqlDatabase>
#include <QString>

#include <map>
#include <memory>

class QSqlQuery;

// The case book's one connection, which the cases, the visits and the audit trail share: it
// opens the database (bringing its schema up to date), opens it again after the clinic server
// went away, keeps the statements prepared on it, and holds the last error in words for the
// user.
class CaseStoreConnection
{
public:
    CaseStoreConnection();
    ~CaseStoreConnection();
    CaseStoreConnection(const CaseStoreConnection &) = delete;
    CaseStoreConnection &operator=(const CaseStoreConnection &) = delete;

    // How long a write waits for another copy of the program that is writing; before open().
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
    // Who changes the case book; the operating-system user unless set.
    void setUser(const QString &user) { m_user = user; }
    QString user() const { return m_user; }
    static QString systemUser();

    bool open(const QString &location);
    bool isOpen() const;
    void close();
    QString location() const { return m_location; }
    const CaseStoreDialect &dialect() const { return m_dialect; }
    bool isServer() const { return m_dialect.isServer(); }
    QSqlDatabase database() const;

    // True when the connection can be used, opening it again first when the clinic server
    // went away since the last call; otherwise false with lastError() saying why.
    bool connected();

    // The statement sql, prepared on this connection the first time it is asked for and kept:
    // on the clinic server every further use is one round trip instead of three (prepare,
    // execute, deallocate). Null, with the error set for doing, when it cannot be prepared.
    // Use it through a CaseStoreStatement.
    QSqlQuery *prepared(const QString &sql, const char *doing);

    // Why the case book may only be read now, or an empty text: its file is not writable for
    // us, or its audit trail did not fit when it opened and the user has not acknowledged
    // that yet. Every write is then refused with the reason.
    QString readOnlyReason() const;
    // What did not fit in the audit trail as the book opened (its last entries and guards are
    // checked then, see CaseAuditChain), or an empty text.
    QString trailProblem() const { return m_trailProblem; }
    // The user has been told of the trail's problem and goes on: the book may be written again.
    void acknowledgeTrailProblem() { m_trailAcknowledged = true; }
    // How many of the last entries the check on opening looks at.
    static constexpr qint64 TrailEntriesChecked = 64;
    // True when the book may be written; otherwise false with the error (ReadOnly) set.
    bool writable();

    const CaseStoreError &lastError() const { return m_error; }
    void clearError() { m_error = {}; }
    // Sets the error and returns false, so that a caller can `return fail(...)`.
    bool fail(const CaseStoreError &error);
    // The engine's reason why query failed, for doing (a QT_TR_NOOP of context "CaseStore").
    bool failQuery(const QSqlQuery &query, const char *doing);

private:
    void forgetStatements();

    QString m_connection;
    QString m_location;
    QString m_user;
    int m_busyTimeoutMs = 5000;
    bool m_lost = false;
    QString m_readOnlyReason;
    QString m_trailProblem;
    bool m_trailAcknowledged = false; // the server went away: open again before the next statement
    CaseStoreDialect m_dialect;
    CaseStoreError m_error;
    std::map<QString, std::unique_ptr<QSqlQuery>> m_statements;
};

#endif // CASESTORECONNECTION_H
