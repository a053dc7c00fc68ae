#include "casestorelocation.h"

#include "databaselocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString CaseStoreLocation::defaultLocation()
{
    // An unusable text is passed on too: opening it says what is wrong with it.
    return DatabaseLocation::current(localFile()).text();
}

QString CaseStoreLocation::localFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)
           + QStringLiteral("/cases.sqlite");
}

static QString tr(const char *text)
{
    return QCoreApplication::translate("CaseStoreLocation", text);
}

bool CaseStoreLocation::prepareFile(const QString &path, QString *error)
{
    const QFileInfo file(path);
    const QString folder = file.absolutePath();
    // Only the folders made here get the owner-only mode; an existing folder chosen by the
    // user keeps its own.
    QStringList missing;
    for (QString dir = folder; !QFileInfo::exists(dir);) {
        missing.prepend(dir);
        const QString parent = QFileInfo(dir).absolutePath();
        if (parent == dir)
            break;
        dir = parent;
    }
    for (const QString &dir : std::as_const(missing)) {
        if (!QDir().mkdir(dir)
            || !QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner)) {
            *error = tr("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(dir));
            return false;
        }
    }
    if (!QFileInfo(folder).isDir()) {
        *error = tr("%1 is not a folder.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    if (file.exists())
        return true;
    QFile created(path);
    if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                      QFile::ReadOwner | QFile::WriteOwner)) {
        *error = tr("The case book cannot be created in the folder %1: %2")
                     .arg(QDir::toNativeSeparators(folder), created.errorString());
        return false;
    }
    return true;
}
