#include "databaselocation.h"

#include "connectioninfo.h"
#include "connectiontr.h"
#include "databasesettings.h"

#include <QCoreApplication>
#include <QRegularExpression>

DatabaseLocation DatabaseLocation::file(const QString &path)
{
    DatabaseLocation location;
    location.m_kind = Kind::File;
    location.m_text = path;
    return location;
}

bool DatabaseLocation::isConnectionString(const QString &text)
{
    // libpq allows spaces around "=", so "host = x" counts; a path such as "./a=b" does not.
    static const QRegularExpression keywordFirst(QStringLiteral("^\\s*[A-Za-z_]+\\s*="));
    return keywordFirst.match(text).hasMatch();
}

DatabaseLocation DatabaseLocation::fromText(const QString &text)
{
    DatabaseLocation location;
    location.m_text = text;
    static const QRegularExpression uri(QStringLiteral("^\\s*postgres(ql)?://"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (text.trimmed().isEmpty()) {
        location.m_problem = ConnectionTr::tr("No database is named.");
    } else if (uri.match(text).hasMatch()) {
        // Taken as a path, this would quietly create a local file named like a server.
        location.m_problem = ConnectionTr::tr("Write the server connection as keyword=value pairs, for "
                                              "example \"host=db.clinic dbname=telma user=anna\"; the "
                                              "postgresql:// form is not supported.");
    } else if (!isConnectionString(text)) {
        location.m_kind = Kind::File;
    } else {
        ConnectionInfo info;
        QString error;
        if (!info.parse(text, &error)) {
            location.m_problem = error;
        } else if (text.contains(QLatin1Char(';'))) {
            // Qt's PostgreSQL driver turns every ";" of its options into a space.
            location.m_problem = ConnectionTr::tr("The server connection cannot contain \";\".");
        } else {
            location.m_kind = Kind::Server;
        }
    }
    return location;
}

DatabaseLocation DatabaseLocation::current(const QString &defaultFile)
{
    const QString fromEnvironment = qEnvironmentVariable("TELMA_DATABASE");
    if (!fromEnvironment.isEmpty())
        return fromText(fromEnvironment);
    DatabaseSettings settings;
    settings.load();
    if (settings.useServer())
        return fromText(settings.connectionString());
    return file(defaultFile);
}

QString DatabaseLocation::description() const
{
    switch (m_kind) {
    case Kind::File:
        return ConnectionTr::tr("the file %1").arg(m_text);
    case Kind::Server: {
        ConnectionInfo info;
        info.parse(m_text);
        return ConnectionTr::tr("the clinic server (%1)")
            .arg(info.toDisplayString());
    }
    case Kind::Invalid:
        break;
    }
    return ConnectionTr::tr("an unusable database setting");
}
