#include "connectionfailure.h"

#include "connectioninfo.h"
#include "connectiontr.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The first "quoted" name after the given words in libpq's text.
QString quotedAfter(const QString &text, const QString &words)
{
    const QRegularExpression pattern(QRegularExpression::escape(words) + QStringLiteral(" \"([^\"]*)\""));
    return pattern.match(text).captured(1);
}

struct Pattern
{
    const char *text;
    ConnectionFailure::Reason reason;
    const char *subjectAfter; // the words before the quoted name the message shows
};

// In the order they are tried: the first that appears in libpq's text decides.
const Pattern openPatterns[] = {
    {"password authentication failed", ConnectionFailure::Reason::WrongPassword, "for user"},
    {"no password supplied", ConnectionFailure::Reason::PasswordNeeded, nullptr},
    {"does not exist", ConnectionFailure::Reason::DatabaseMissing, "database"},
    {"permission denied for database", ConnectionFailure::Reason::NoPrivileges, nullptr},
    {"not permitted to log in", ConnectionFailure::Reason::NoPrivileges, nullptr},
    {"no pg_hba.conf entry", ConnectionFailure::Reason::NotAllowedFromHere, nullptr},
    {"definition of service", ConnectionFailure::Reason::ServiceUnknown, "definition of service"},
    {"service file", ConnectionFailure::Reason::ServiceUnknown, nullptr},
    {"could not translate host name", ConnectionFailure::Reason::HostUnknown, "host name"},
    {"the database system is", ConnectionFailure::Reason::ServerBusy, nullptr},
    {"too many clients", ConnectionFailure::Reason::ServerBusy, nullptr},
    {"remaining connection slots", ConnectionFailure::Reason::ServerBusy, nullptr},
    {"SSL", ConnectionFailure::Reason::SecureConnectionFailed, nullptr},
    {"certificate", ConnectionFailure::Reason::SecureConnectionFailed, nullptr},
    {"Connection refused", ConnectionFailure::Reason::ServerUnreachable, nullptr},
    {"No such file or directory", ConnectionFailure::Reason::ServerUnreachable, nullptr},
    {"timeout expired", ConnectionFailure::Reason::ServerUnreachable, nullptr},
    {"No route to host", ConnectionFailure::Reason::ServerUnreachable, nullptr},
    {"Network is unreachable", ConnectionFailure::Reason::ServerUnreachable, nullptr},
    {"server closed the connection", ConnectionFailure::Reason::ConnectionLost, nullptr},
};

bool readableByOthers(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    const auto others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup | QFile::ReadOther
                        | QFile::WriteOther | QFile::ExeOther;
    return (info.permissions() & others) != 0;
}

} // namespace

QString ConnectionFailure::passwordFilePath(const QString &connectionString)
{
    ConnectionInfo info;
    info.parse(connectionString);
    if (info.contains(QStringLiteral("passfile")))
        return info.value(QStringLiteral("passfile"));
    const QString fromEnvironment = qEnvironmentVariable("PGPASSFILE");
    if (!fromEnvironment.isEmpty())
        return fromEnvironment;
    return QDir::homePath() + QStringLiteral("/.pgpass");
}

ConnectionFailure ConnectionFailure::fromOpen(const QSqlError &error, const QString &connectionString)
{
    const QString text = error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
    ConnectionFailure failure(Reason::Other, text.trimmed());
    ConnectionInfo info;
    info.parse(connectionString);
    for (const Pattern &pattern : openPatterns) {
        if (!text.contains(QLatin1String(pattern.text)))
            continue;
        failure.m_reason = pattern.reason;
        if (pattern.subjectAfter)
            failure.m_subject = quotedAfter(text, QLatin1String(pattern.subjectAfter));
        break;
    }
    if (failure.m_reason == Reason::DatabaseMissing && failure.m_subject.isEmpty()) {
        // Not the database: the server does not know the user ("role … does not exist").
        failure.m_reason = Reason::UnknownUser;
        failure.m_subject = quotedAfter(text, QStringLiteral("role"));
    }
    if (failure.m_reason == Reason::PasswordNeeded) {
        // libpq skips a password file others can read, and says so only on stderr.
        const QString file = passwordFilePath(connectionString);
        if (readableByOthers(file)) {
            failure.m_reason = Reason::PasswordFileIgnored;
            failure.m_subject = file;
        }
    }
    if (failure.m_subject.isEmpty()) {
        if (failure.m_reason == Reason::NoPrivileges || failure.m_reason == Reason::NotAllowedFromHere
            || failure.m_reason == Reason::PasswordNeeded)
            failure.m_subject = info.value(QStringLiteral("user"));
        else if (failure.m_reason == Reason::ServiceUnknown)
            failure.m_subject = info.value(QStringLiteral("service"));
        else if (failure.m_reason == Reason::ServerUnreachable)
            failure.m_subject = info.value(QStringLiteral("host"));
    }
    return failure;
}

ConnectionFailure ConnectionFailure::fromStatement(const QSqlError &error, bool stillOpen)
{
    const QString text = error.databaseText().trimmed().isEmpty() ? error.text() : error.databaseText();
    const QString state = error.nativeErrorCode();
    Reason reason = Reason::Other;
    // SQLSTATE class 08 is a connection exception; 57P01 to 57P03 mean the server shut down.
    if (!stillOpen || state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        reason = Reason::ConnectionLost;
    else if (state == QLatin1String("42501"))
        reason = Reason::NoPrivileges;
    else if (state == QLatin1String("53300"))
        reason = Reason::ServerBusy;
    return ConnectionFailure(reason, text.trimmed());
}

bool ConnectionFailure::isTransient() const
{
    return m_reason == Reason::ServerUnreachable || m_reason == Reason::ServerBusy
           || m_reason == Reason::ConnectionLost;
}

QString ConnectionFailure::message() const
{
    const QString who = m_subject.isEmpty() ? ConnectionTr::tr("this user") : QStringLiteral("\"%1\"").arg(m_subject);
    switch (m_reason) {
    case Reason::None:
        return {};
    case Reason::ServerUnreachable:
        return ConnectionTr::tr("The clinic server cannot be reached. Check that this computer is on the "
                                "clinic's network and that the server is running; if it stays so, ask "
                                "whoever looks after the server.");
    case Reason::HostUnknown:
        return ConnectionTr::tr("The server name \"%1\" is not known on this network.").arg(m_subject);
    case Reason::PasswordNeeded:
        return ConnectionTr::tr("The clinic server asks for a password for %1, and none was given.").arg(who);
    case Reason::PasswordFileIgnored:
        return ConnectionTr::tr("The clinic server asks for a password. The password file %1 was not used "
                                "because other users can read it; make it private with: chmod 600 %1")
            .arg(m_subject);
    case Reason::WrongPassword:
        return ConnectionTr::tr("The clinic server refused the password for %1.").arg(who);
    case Reason::UnknownUser:
        return ConnectionTr::tr("The clinic server has no user %1.").arg(who);
    case Reason::DatabaseMissing:
        return ConnectionTr::tr("The database \"%1\" does not exist on the clinic server.").arg(m_subject);
    case Reason::NoPrivileges:
        return ConnectionTr::tr("The user %1 has no permission to use the case book on the clinic server; "
                                "ask whoever looks after the server to grant it.")
            .arg(who);
    case Reason::NotAllowedFromHere:
        return ConnectionTr::tr("The clinic server does not accept %1 from this computer (its access rules "
                                "in pg_hba.conf).")
            .arg(who);
    case Reason::ServiceUnknown:
        return ConnectionTr::tr("The service \"%1\" is not defined in any pg_service.conf file.").arg(m_subject);
    case Reason::ServerBusy:
        return ConnectionTr::tr("The clinic server is busy, starting or shutting down; try again in a moment.");
    case Reason::SecureConnectionFailed:
        return ConnectionTr::tr("The secure (TLS) connection to the clinic server could not be made: %1").arg(m_details);
    case Reason::ConnectionLost:
        return ConnectionTr::tr("The connection to the clinic server was lost. Nothing you entered is lost; "
                                "try again when the server is back.");
    case Reason::Other:
        break;
    }
    return ConnectionTr::tr("The clinic server could not be used: %1").arg(m_details);
}
