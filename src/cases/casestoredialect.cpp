#include "casestoredialect.h"
#include "casestorelocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

static QString tr(const char *text)
{
    return QCoreApplication::translate("CaseStore", text);
}

CaseStoreDialect CaseStoreDialect::forLocation(const QString &)
{
    return CaseStoreDialect();
}

// A SQLite file starts with this; an empty file is a database yet to be initialised.
static bool looksLikeSqlite(const QString &path, QString *why)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *why = file.errorString();
        return false;
    }
    const QByteArray head = file.read(16);
    return head.isEmpty() || head == QByteArrayLiteral("SQLite format 3\0");
}

bool CaseStoreDialect::open(QSqlDatabase *db, const QString &location,
                            const QString &connectionName, int busyTimeoutMs,
                            CaseStoreError *error) const
{
    QString why;
    if (!CaseStoreLocation::prepareFile(location, &why)) {
        *error = {CaseStoreError::CannotCreate, why};
        return false;
    }
    if (!looksLikeSqlite(location, &why)) {
        *error = {CaseStoreError::NotCaseBook,
                  why.isEmpty()
                      ? tr("The file %1 is not a case book of this program. It was left as it is.")
                            .arg(QDir::toNativeSeparators(location))
                      : tr("The case book %1 cannot be read: %2")
                            .arg(QDir::toNativeSeparators(location), why)};
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        *error = {CaseStoreError::Failed,
                  tr("The SQLite driver of Qt is not installed (Debian: libqt6sql6-sqlite).")};
        return false;
    }
    *db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    db->setDatabaseName(location);
    // Another copy of the program writing at the same moment: wait for it, then report.
    db->setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!db->open()) {
        *error = describe(db->lastError(), tr("open"));
        return false;
    }
    QSqlQuery query(*db);
    if (!query.exec(QStringLiteral("PRAGMA foreign_keys = ON"))) {
        *error = describe(query.lastError(), tr("open"));
        return false;
    }
    return true;
}

bool CaseStoreDialect::configure(QSqlDatabase &db, CaseStoreError *error) const
{
    // WAL: readers never wait for the writer, and a write cut short leaves the file whole.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next()
        || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        *error = query.lastError().isValid()
                     ? describe(query.lastError(), tr("open"))
                     : CaseStoreError{CaseStoreError::CannotCreate,
                                      tr("The case book cannot keep its journal next to the "
                                         "file; is the folder writable?")};
        return false;
    }
    // Full durability: a save that returned survives a power cut, not only a crash.
    return query.exec(QStringLiteral("PRAGMA synchronous = FULL"));
}

bool CaseStoreDialect::tables(QSqlDatabase &db, QStringList *names, CaseStoreError *error) const
{
    // Asked directly rather than through QSqlDatabase::tables(), which hides read errors.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"))) {
        *error = describe(query.lastError(), tr("open"));
        return false;
    }
    while (query.next())
        names->append(query.value(0).toString());
    return true;
}

QString CaseStoreDialect::ddl(QString statement) const
{
    statement.replace(QLatin1String("{id}"), QLatin1String("INTEGER PRIMARY KEY AUTOINCREMENT"));
    statement.replace(QLatin1String("{real}"), QLatin1String("REAL"));
    statement.replace(QLatin1String("{bigint}"), QLatin1String("INTEGER"));
    return statement;
}

QStringList CaseStoreDialect::refusingTrigger(const QString &name, const QString &table,
                                              const QString &event,
                                              const QString &condition) const
{
    const QString when = condition.isEmpty() ? QString() : QStringLiteral(" WHEN ") + condition;
    return {QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW%4 BEGIN "
                           "SELECT RAISE(ABORT, '%3 is append-only'); END")
                .arg(name, event, table, when)};
}

QString CaseStoreDialect::beginWrite() const
{
    return QStringLiteral("BEGIN IMMEDIATE");
}

qint64 CaseStoreDialect::insertedId(const QSqlQuery &query) const
{
    return query.lastInsertId().toLongLong();
}

CaseStoreError CaseStoreDialect::describe(const QSqlError &error, const QString &doing) const
{
    // SQLite's primary result codes, as the driver reports them.
    const int code = error.nativeErrorCode().toInt();
    switch (code) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return {CaseStoreError::Busy,
                tr("Another copy of the program is using the case book. Nothing was changed; "
                   "please try again in a moment.")};
    case 13: // SQLITE_FULL
        return {CaseStoreError::DiskFull,
                tr("The disk holding the case book is full. Nothing was changed; free some "
                   "space and try again.")};
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
        return {CaseStoreError::CannotCreate,
                tr("The case book cannot be written (%1). Nothing was changed.")
                    .arg(error.databaseText())};
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return {CaseStoreError::Damaged,
                tr("The case book is damaged or is not a database of this program, so it "
                   "was left as it is.")};
    default:
        return {CaseStoreError::Failed,
                tr("The case book could not %1: %2").arg(doing, error.text())};
    }
}

bool CaseStoreDialect::backup(QSqlDatabase &db, const QString &fileName,
                              CaseStoreError *error) const
{
    // VACUUM INTO creates its file with the usual mode (0644); made inside a folder only
    // the owner can enter, the copy is never readable by others, not even for a moment.
    const QFileInfo target(fileName);
    QDir folder(target.absolutePath());
    const QString privateName = QStringLiteral(".%1.part").arg(target.fileName());
    folder.rmdir(privateName);
    const auto fail = [&](const CaseStoreError &reason) {
        QFile::remove(folder.filePath(privateName + QStringLiteral("/copy")));
        folder.rmdir(privateName);
        *error = reason;
        return false;
    };
    const CaseStoreError cannotWrite{CaseStoreError::CannotCreate,
                                     tr("The backup cannot be written to %1.")
                                         .arg(QDir::toNativeSeparators(fileName))};
    if (!folder.mkdir(privateName)
        || !QFile::setPermissions(folder.filePath(privateName),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return fail(cannotWrite);
    const QString copy = folder.filePath(privateName + QStringLiteral("/copy"));
    QSqlQuery query(db);
    query.prepare(QStringLiteral("VACUUM INTO ?"));
    query.addBindValue(copy);
    if (!query.exec())
        return fail(describe(query.lastError(), tr("be backed up")));
    if (!QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner))
        return fail(cannotWrite);
    // The user has already agreed to replace an existing file of that name.
    if (QFileInfo::exists(fileName) && !QFile::remove(fileName))
        return fail(cannotWrite);
    if (!QFile::rename(copy, fileName))
        return fail(cannotWrite);
    folder.rmdir(privateName);
    return true;
}
