#ifndef CONNECTIONFAILURE_H
#define CONNECTIONFAILURE_H

#include <QSqlError>
#include <QString>

// What went wrong with the clinic server, told in plain words rather than in libpq's. libpq
// reports connection failures as text only (Qt passes on no SQLSTATE for them), so these are
// recognised by the English texts libpq and the server send; anything else keeps libpq's text.
class ConnectionFailure
{
public:
    enum class Reason {
        None,
        ServerUnreachable,
        HostUnknown,
        PasswordNeeded,
        PasswordFileIgnored,
        WrongPassword,
        UnknownUser,
        DatabaseMissing,
        NoPrivileges,
        NotAllowedFromHere,
        ServiceUnknown,
        ServerBusy,
        SecureConnectionFailed,
        ConnectionLost,
        Other,
    };

    ConnectionFailure() = default;
    ConnectionFailure(Reason reason, const QString &details) : m_reason(reason), m_details(details) { }

    // A failed QSqlDatabase::open() of the given connection string.
    static ConnectionFailure fromOpen(const QSqlError &error, const QString &connectionString);
    // A failed statement; stillOpen is QSqlDatabase::isOpen() afterwards (Qt closes the
    // connection when the server went away).
    static ConnectionFailure fromStatement(const QSqlError &error, bool stillOpen);

    Reason reason() const { return m_reason; }
    bool isFailure() const { return m_reason != Reason::None; }
    // Worth trying the same again later without changing anything.
    bool isTransient() const;
    QString message() const;
    QString details() const { return m_details; } // libpq's own text

    // The password file libpq reads for this connection string.
    static QString passwordFilePath(const QString &connectionString);

private:
    Reason m_reason = Reason::None;
    QString m_details;
    QString m_subject; // the user, database, host or file the message names
};

#endif // CONNECTIONFAILURE_H
