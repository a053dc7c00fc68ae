#include "databasesettings.h"

#include "connectioninfo.h"

#include <QSettings>

namespace {
const QString group = QStringLiteral("database");
}

QString DatabaseSettings::connectionString() const
{
    ConnectionInfo info;
    if (!service.trimmed().isEmpty()) {
        info.set(QStringLiteral("service"), service.trimmed());
    } else {
        info.set(QStringLiteral("host"), host.trimmed());
        if (port != 5432)
            info.set(QStringLiteral("port"), QString::number(port));
        info.set(QStringLiteral("dbname"), database.trimmed());
    }
    // A service may name the user too; one typed here overrides it.
    info.set(QStringLiteral("user"), user.trimmed());
    return info.toString();
}

void DatabaseSettings::load()
{
    QSettings settings;
    settings.beginGroup(group);
    m_useServer = settings.value(QStringLiteral("server"), false).toBool();
    host = settings.value(QStringLiteral("host")).toString();
    bool ok = false;
    const int storedPort = settings.value(QStringLiteral("port"), 5432).toInt(&ok);
    port = ok && storedPort > 0 && storedPort < 65536 ? storedPort : 5432;
    database = settings.value(QStringLiteral("dbname")).toString();
    user = settings.value(QStringLiteral("user")).toString();
    service = settings.value(QStringLiteral("service")).toString();
}

void DatabaseSettings::save() const
{
    QSettings settings;
    settings.beginGroup(group);
    settings.setValue(QStringLiteral("server"), m_useServer);
    settings.setValue(QStringLiteral("host"), host);
    settings.setValue(QStringLiteral("port"), port);
    settings.setValue(QStringLiteral("dbname"), database);
    settings.setValue(QStringLiteral("user"), user);
    settings.setValue(QStringLiteral("service"), service);
}
