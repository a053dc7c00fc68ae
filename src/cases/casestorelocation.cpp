#include "casestorelocation.h"

#include "casestr.h"
#include "databaselocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {

// What a file that is not a regular one is, in words; empty for a regular file.
QString kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return CasesTr::tr("a folder");
    if (S_ISFIFO(mode))
        return CasesTr::tr("a named pipe (FIFO)");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return CasesTr::tr("a device");
    if (S_ISSOCK(mode))
        return CasesTr::tr("a socket");
    return CasesTr::tr("no regular file");
}

QString ownerName(uid_t uid)
{
    if (const passwd *entry = getpwuid(uid))
        return QString::fromLocal8Bit(entry->pw_name);
    return QString::number(uid);
}

// Checks the existing file at path (the case book or a file SQLite keeps beside it) as
// described for prepareFile; exists tells whether there is one.
bool checkExisting(const QString &path, bool *exists, QString *error)
{
    const QByteArray name = QFile::encodeName(path);
    const QString shown = QDir::toNativeSeparators(path);
    struct stat link;
    *exists = lstat(name.constData(), &link) == 0;
    if (!*exists)
        return true;
    struct stat file;
    if (stat(name.constData(), &file) != 0) {
        *error = errno == ENOENT
                     ? CasesTr::tr("%1 is a symbolic link to a file that does not exist. Nothing was "
                                   "changed.").arg(shown)
                     : CasesTr::tr("%1 cannot be reached: %2.").arg(shown, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const QString kind = kindOf(file.st_mode);
    if (!kind.isEmpty()) {
        *error = S_ISLNK(link.st_mode)
                     ? CasesTr::tr("%1 is a symbolic link to %2, not a case book file. Nothing was "
                                   "changed.").arg(shown, kind)
                     : CasesTr::tr("%1 is %2, not a case book file. Nothing was changed.").arg(shown, kind);
        return false;
    }
    if ((file.st_mode & 077) == 0)
        return true;
    // People's data is for its owner's eyes only.
    if (file.st_uid == geteuid()) {
        if (chmod(name.constData(), S_IRUSR | S_IWUSR) == 0)
            return true;
        *error = CasesTr::tr("%1 can be read by other users and its rights cannot be narrowed to you "
                             "alone: %2.").arg(shown, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    *error = CasesTr::tr("%1 can be read by other users, and it belongs to the account %2, so this "
                         "program may not narrow its rights. Nothing was changed; its owner can make it "
                         "readable by themselves alone (chmod 600).")
                 .arg(shown, ownerName(file.st_uid));
    return false;
}

} // namespace

bool CaseStoreLocation::prepareFile(const QString &path, bool *readOnly, QString *error)
{
    *readOnly = false;
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
            *error = CasesTr::tr("The folder %1 cannot be created.").arg(QDir::toNativeSeparators(dir));
            return false;
        }
    }
    if (!QFileInfo(folder).isDir()) {
        *error = CasesTr::tr("%1 is not a folder.").arg(QDir::toNativeSeparators(folder));
        return false;
    }
    bool exists = false;
    if (!checkExisting(path, &exists, error))
        return false;
    for (const char *suffix : {"-wal", "-shm", "-journal"}) {
        bool beside = false;
        if (!checkExisting(path + QLatin1String(suffix), &beside, error))
            return false;
    }
    if (exists) {
        const QByteArray name = QFile::encodeName(path);
        if (access(name.constData(), R_OK) != 0) {
            *error = CasesTr::tr("You have no right to read the case book %1 (%2). Nothing was changed.")
                         .arg(QDir::toNativeSeparators(path), QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        *readOnly = access(name.constData(), W_OK) != 0;
        return true;
    }
    QFile created(path);
    if (!created.open(QIODevice::WriteOnly | QIODevice::NewOnly,
                      QFile::ReadOwner | QFile::WriteOwner)) {
        *error = CasesTr::tr("The case book cannot be created in the folder %1: %2")
                     .arg(QDir::toNativeSeparators(folder), created.errorString());
        return false;
    }
    return true;
}
