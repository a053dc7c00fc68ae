#include "casestoredialect.h"

#include "casestr.h"
#include "casestorelocation.h"

#include "connectionfailure.h"
#include "databaselocation.h"
#include "serverconnection.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

CaseStoreDialect CaseStoreDialect::forLocation(const QString &location)
{
    CaseStoreDialect dialect;
    // A location that is not a plain path goes to the server side, which refuses it with
    // DatabaseLocation's reason when it is not a usable connection string either.
    if (DatabaseLocation::fromText(location).kind() != DatabaseLocation::Kind::File
        && !location.trimmed().isEmpty())
        dialect.m_engine = Engine::PostgreSql;
    return dialect;
}

// Per connection, in one round trip: a write waits for a row another workstation is writing
// at most as long as a SQLite writer waits for the file, then reports instead of hanging; and
// the schema the case book lives in, which every call of its functions names.
bool CaseStoreDialect::applySessionSettings(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT set_config('lock_timeout', '%1', false), "
                                   "quote_ident(current_schema())")
                        .arg(m_busyTimeoutMs))
        || !query.next())
        return false;
    m_schema = query.value(1).toString();
    return true;
}

bool CaseStoreDialect::openServer(QSqlDatabase *db, const QString &location,
                                  const QString &connectionName, int busyTimeoutMs,
                                  CaseStoreError *error)
{
    const DatabaseLocation where = DatabaseLocation::fromText(location);
    if (!where.isServer()) {
        *error = {CaseStoreError::ServerUnavailable, where.problem()};
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        *error = {CaseStoreError::Failed,
                  CasesTr::tr("The PostgreSQL driver of Qt is not installed (Debian: libqt6sql6-psql).")};
        return false;
    }
    const ConnectionFailure failure = ServerConnection::open(connectionName, where.connectionString());
    *db = QSqlDatabase::database(connectionName, false);
    if (failure.isFailure()) {
        *error = {failure.reason() == ConnectionFailure::Reason::NoPrivileges
                      ? CaseStoreError::NoPermission
                      : CaseStoreError::ServerUnavailable,
                  failure.message()};
        return false;
    }
    Q_UNUSED(busyTimeoutMs) // kept by open()
    if (!applySessionSettings(*db)) {
        *error = describe(db->lastError(), CasesTr::tr("open"));
        return false;
    }
    return true;
}

bool CaseStoreDialect::reconnect(QSqlDatabase &db, CaseStoreError *error)
{
    if (db.isOpen() || m_engine == Engine::Sqlite)
        return db.isOpen();
    const ConnectionFailure failure = ServerConnection::reopen(m_connectionName);
    if (failure.isFailure()) {
        *error = {failure.isTransient() ? CaseStoreError::ConnectionLost : CaseStoreError::ServerUnavailable,
                  failure.message()};
        return false;
    }
    if (!applySessionSettings(db)) {
        *error = describe(db.lastError(), CasesTr::tr("open"));
        return false;
    }
    return true;
}

// Why the case book file at path cannot be written, in words: the file, its folder, or
// neither of them as far as their modes tell.
static QString whyNotWritable(const QString &path)
{
    const QFileInfo file(path);
    const QString folder = QDir::toNativeSeparators(file.absolutePath());
    if (file.exists() && !file.isWritable())
        return CasesTr::tr("The case book %1 is read-only for you, so nothing can be saved in it.")
            .arg(QDir::toNativeSeparators(path));
    if (!QFileInfo(file.absolutePath()).isWritable())
        return CasesTr::tr("The folder %1 is read-only for you, so the case book cannot keep its journal "
                           "there.").arg(folder);
    return CasesTr::tr("You have no right to write the case book %1 or the files beside it in %2.")
        .arg(QDir::toNativeSeparators(path), folder);
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
                            CaseStoreError *error)
{
    m_connectionName = connectionName;
    m_busyTimeoutMs = busyTimeoutMs;
    m_location = location;
    if (m_engine == Engine::PostgreSql)
        return openServer(db, location, connectionName, busyTimeoutMs, error);
    QString why;
    if (!CaseStoreLocation::prepareFile(location, &m_readOnly, &why)) {
        *error = {CaseStoreError::CannotCreate, why};
        return false;
    }
    // A book we may only read is opened so that SQLite writes nothing beside it: a -wal or
    // -shm made now would take the file's read-only mode and stop every later write. That
    // needs the journal to be empty, as the owner's program leaves it on closing.
    const QFileInfo journal(location + QStringLiteral("-wal"));
    if (m_readOnly && journal.exists() && journal.size() > 0) {
        *error = {CaseStoreError::CannotCreate,
                  CasesTr::tr("The case book %1 can only be read, and its latest changes are still in "
                              "%2, which only a program that may write the book can fold in. It was left "
                              "as it is; open it once with the right to write, or ask its owner to.")
                      .arg(QDir::toNativeSeparators(location),
                           QDir::toNativeSeparators(journal.filePath()))};
        return false;
    }
    if (!looksLikeSqlite(location, &why)) {
        *error = {CaseStoreError::NotCaseBook,
                  why.isEmpty()
                      ? CasesTr::tr("The file %1 is not a case book of this program. It was left as it is.")
                            .arg(QDir::toNativeSeparators(location))
                      : CasesTr::tr("The case book %1 cannot be read: %2")
                            .arg(QDir::toNativeSeparators(location), why)};
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QSQLITE"))) {
        *error = {CaseStoreError::Failed,
                  CasesTr::tr("The SQLite driver of Qt is not installed (Debian: libqt6sql6-sqlite).")};
        return false;
    }
    *db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
    // Another copy of the program writing at the same moment: wait for it, then report.
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
    if (m_readOnly) {
        db->setDatabaseName(QStringLiteral("file:%1?immutable=1")
                                .arg(QString::fromLatin1(QUrl::toPercentEncoding(
                                    QFileInfo(location).absoluteFilePath(), "/"))));
        options += QStringLiteral(";QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI");
    } else {
        db->setDatabaseName(location);
    }
    db->setConnectOptions(options);
    if (!db->open()) {
        *error = describe(db->lastError(), CasesTr::tr("open"));
        return false;
    }
    QSqlQuery query(*db);
    if (!query.exec(QStringLiteral("PRAGMA foreign_keys = ON"))) {
        *error = describe(query.lastError(), CasesTr::tr("open"));
        return false;
    }
    return true;
}

bool CaseStoreDialect::configure(QSqlDatabase &db, CaseStoreError *error) const
{
    // The server keeps its own journal and durability settings; a book we may only read
    // keeps the journal it has.
    if (m_engine == Engine::PostgreSql || m_readOnly)
        return true;
    // WAL: readers never wait for the writer, and a write cut short leaves the file whole.
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA journal_mode = WAL")) || !query.next()
        || query.value(0).toString().compare(QLatin1String("wal"), Qt::CaseInsensitive) != 0) {
        *error = query.lastError().isValid()
                     ? describe(query.lastError(), CasesTr::tr("open"))
                     : CaseStoreError{CaseStoreError::CannotCreate,
                                      CasesTr::tr("The case book cannot keep its journal next to the "
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
    // On the server, the tables of the schema in use, whatever this account may read.
    const QString sql =
        m_engine == Engine::PostgreSql
            ? QStringLiteral("SELECT c.relname FROM pg_catalog.pg_class c JOIN pg_catalog.pg_namespace n "
                             "ON n.oid = c.relnamespace WHERE n.nspname = current_schema() "
                             "AND c.relkind IN ('r', 'p')")
            : QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'");
    if (!query.exec(sql)) {
        *error = describe(query.lastError(), CasesTr::tr("open"));
        return false;
    }
    while (query.next())
        names->append(query.value(0).toString());
    return true;
}

QString CaseStoreDialect::ddl(QString statement) const
{
    if (m_engine == Engine::PostgreSql) {
        statement.replace(QLatin1String("{id}"),
                          QLatin1String("BIGINT GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
        statement.replace(QLatin1String("{real}"), QLatin1String("DOUBLE PRECISION"));
        statement.replace(QLatin1String("{bigint}"), QLatin1String("BIGINT"));
        return statement;
    }
    statement.replace(QLatin1String("{id}"), QLatin1String("INTEGER PRIMARY KEY AUTOINCREMENT"));
    statement.replace(QLatin1String("{real}"), QLatin1String("REAL"));
    statement.replace(QLatin1String("{bigint}"), QLatin1String("INTEGER"));
    return statement;
}

QStringList CaseStoreDialect::refusingTrigger(const QString &name, const QString &table,
                                              const QString &event,
                                              const QString &condition) const
{
    if (m_engine == Engine::PostgreSql) {
        // PL/pgSQL; the condition goes into the function, as a trigger's WHEN may not hold a
        // subquery. TRUNCATE skips row triggers, so a table that refuses DELETE refuses it too.
        const QString refuse =
            QStringLiteral("RAISE EXCEPTION '%1 is append-only' USING ERRCODE = 'P0001';").arg(table);
        const QString body = condition.isEmpty()
                                 ? refuse
                                 : QStringLiteral("IF %1 THEN %2 END IF;").arg(condition, refuse);
        // A row let through goes on unchanged: an update as asked, a delete as asked.
        const QString row = event == QLatin1String("UPDATE") ? QStringLiteral("NEW") : QStringLiteral("OLD");
        QStringList statements = {
            QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $body$ "
                           "BEGIN %2 RETURN %3; END $body$")
                .arg(name, body, row),
            QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW EXECUTE FUNCTION %1()")
                .arg(name, event, table)};
        if (event == QLatin1String("DELETE"))
            statements << QStringLiteral("CREATE FUNCTION %1_truncate() RETURNS trigger LANGUAGE plpgsql "
                                         "AS $body$ BEGIN %2 RETURN NULL; END $body$")
                              .arg(name, refuse)
                       << QStringLiteral("CREATE TRIGGER %1_truncate BEFORE TRUNCATE ON %2 "
                                         "FOR EACH STATEMENT EXECUTE FUNCTION %1_truncate()")
                              .arg(name, table);
        return statements;
    }
    const QString when = condition.isEmpty() ? QString() : QStringLiteral(" WHEN ") + condition;
    return {QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW%4 BEGIN "
                           "SELECT RAISE(ABORT, '%3 is append-only'); END")
                .arg(name, event, table, when)};
}

QString CaseStoreDialect::beginWrite() const
{
    // On the server two writers touch different rows side by side; a change of the same row
    // is caught by its row version (the UPDATE names the version it read).
    return m_engine == Engine::PostgreSql ? QStringLiteral("BEGIN") : QStringLiteral("BEGIN IMMEDIATE");
}

QString CaseStoreDialect::lockSchema() const
{
    // SQLite's BEGIN IMMEDIATE already holds the whole file; on the server, an advisory lock
    // (any fixed number of our own) held until the transaction ends.
    return m_engine == Engine::PostgreSql ? QStringLiteral("SELECT pg_advisory_xact_lock(717301)")
                                          : QString();
}

QString CaseStoreDialect::textsOfJsonArray() const
{
    return m_engine == Engine::PostgreSql
               ? QStringLiteral("SELECT value FROM jsonb_array_elements_text(CAST(? AS jsonb)) AS t(value)")
               : QStringLiteral("SELECT value FROM json_each(?)");
}

QString CaseStoreDialect::idsOfJsonArray() const
{
    return QStringLiteral("SELECT CAST(t.value AS BIGINT) FROM (%1) t").arg(textsOfJsonArray());
}

QString CaseStoreDialect::jsonArrayOf(const QVector<qint64> &ids)
{
    QStringList numbers;
    numbers.reserve(ids.size());
    for (qint64 id : ids)
        numbers << QString::number(id);
    return QLatin1Char('[') + numbers.join(QLatin1Char(',')) + QLatin1Char(']');
}

QString CaseStoreDialect::daysBetween(const QString &from, const QString &to) const
{
    return m_engine == Engine::PostgreSql
               ? QStringLiteral("(CAST(%2 AS date) - CAST(%1 AS date))").arg(from, to)
               : QStringLiteral("(julianday(%2) - julianday(%1))").arg(from, to);
}

QString CaseStoreDialect::returningId() const
{
    return m_engine == Engine::PostgreSql ? QStringLiteral(" RETURNING id") : QString();
}

qint64 CaseStoreDialect::insertedId(QSqlQuery &query) const
{
    // Qt's PostgreSQL driver reports an OID, not the key, as the last insert id.
    if (m_engine == Engine::PostgreSql)
        return query.next() ? query.value(0).toLongLong() : 0;
    return query.lastInsertId().toLongLong();
}

QStringList CaseStoreDialect::databaseUserColumn(const QString &table) const
{
    QStringList statements = {QStringLiteral("ALTER TABLE %1 ADD COLUMN database_user TEXT").arg(table)};
    if (m_engine == Engine::PostgreSql)
        statements << QStringLiteral("CREATE FUNCTION %1_database_user() RETURNS trigger LANGUAGE plpgsql "
                                     "AS $body$ BEGIN NEW.database_user := session_user; RETURN NEW; END $body$")
                          .arg(table)
                   << QStringLiteral("CREATE TRIGGER %1_database_user BEFORE INSERT ON %1 "
                                     "FOR EACH ROW EXECUTE FUNCTION %1_database_user()")
                          .arg(table);
    return statements;
}

CaseStoreError CaseStoreDialect::describeServer(const QSqlError &error, const QString &doing) const
{
    const QString state = error.nativeErrorCode();
    const bool open = QSqlDatabase::database(m_connectionName, false).isOpen();
    const ConnectionFailure failure = ConnectionFailure::fromStatement(error, open);
    const CaseStoreError noPermission{
        CaseStoreError::NoPermission,
        CasesTr::tr("Your account on the clinic server has no permission to %1 (%2). Nothing was "
                    "changed; please ask whoever looks after the server to grant it.")
            .arg(doing, error.databaseText().trimmed())};
    // No schema of the search path may be used: the account was never granted the case book.
    if (state == QLatin1String("3F000"))
        return {CaseStoreError::NoPermission,
                CasesTr::tr("Your account on the clinic server has no permission to use a schema for the "
                            "case book (none on its search path exists or may be used), so the case book "
                            "could not %1. Nothing was changed; please ask whoever looks after the server "
                            "to set it up with telma-server-setup and grant your account its rights "
                            "(details: %2).")
                    .arg(doing, error.databaseText().trimmed())};
    switch (failure.reason()) {
    case ConnectionFailure::Reason::ConnectionLost:
        return {CaseStoreError::ConnectionLost, failure.message()};
    case ConnectionFailure::Reason::NoPrivileges:
        return noPermission;
    case ConnectionFailure::Reason::ServerBusy:
        return {CaseStoreError::Busy, failure.message()};
    default:
        break;
    }
    // The server has the tables but not the functions this version writes through.
    if (state == QLatin1String("42883"))
        return {CaseStoreError::Failed,
                CasesTr::tr("The case book on the clinic server has not been brought up to date for this "
                            "version of the program, so it cannot %1. Nothing was changed; please ask "
                            "whoever looks after the server to run telma-server-setup again.")
                    .arg(doing)};
    if (state == QLatin1String("23505"))
        return {CaseStoreError::DuplicateCode,
                CasesTr::tr("The code is already used by another case. Please choose another code.")};
    // Serialization failure, deadlock, a lock waited for too long.
    if (state == QLatin1String("40001") || state == QLatin1String("40P01") || state == QLatin1String("55P03"))
        return {CaseStoreError::Busy,
                CasesTr::tr("Another workstation is changing the case book at this moment. Nothing was "
                            "changed; please try again in a moment.")};
    if (state == QLatin1String("25006"))
        return {CaseStoreError::ReadOnly,
                CasesTr::tr("The clinic server takes no changes at the moment (it is read-only), so the "
                            "case book could not %1. Nothing was changed; please tell whoever looks after "
                            "the server.")
                    .arg(doing)};
    if (state == QLatin1String("53100"))
        return {CaseStoreError::DiskFull,
                CasesTr::tr("The clinic server's disk is full. Nothing was changed; please tell whoever "
                            "looks after the server.")};
    return {CaseStoreError::Failed, CasesTr::tr("The case book could not %1: %2").arg(doing, error.text())};
}

CaseStoreError CaseStoreDialect::describe(const QSqlError &error, const QString &doing) const
{
    if (m_engine == Engine::PostgreSql)
        return describeServer(error, doing);
    // SQLite's primary result codes, as the driver reports them.
    const int code = error.nativeErrorCode().toInt();
    switch (code) {
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
        return {CaseStoreError::Busy,
                CasesTr::tr("Another copy of the program is using the case book. Nothing was changed; "
                            "please try again in a moment.")};
    case 13: // SQLITE_FULL
        return {CaseStoreError::DiskFull,
                CasesTr::tr("The disk holding the case book is full. Nothing was changed; free some "
                            "space and try again.")};
    case 8:  // SQLITE_READONLY
    case 14: // SQLITE_CANTOPEN
    case 3:  // SQLITE_PERM
    case 23: // SQLITE_AUTH
        return {code == 8 ? CaseStoreError::ReadOnly : CaseStoreError::CannotCreate,
                CasesTr::tr("%1 Nothing was changed (SQLite: %2).")
                    .arg(whyNotWritable(m_location), error.databaseText())};
    case 10: // SQLITE_IOERR
        return {CaseStoreError::Failed,
                CasesTr::tr("The disk holding the case book failed to read or write it, so the case book "
                            "could not %1. Nothing was changed; check the disk (SQLite: %2).")
                    .arg(doing, error.databaseText())};
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return {CaseStoreError::Damaged,
                CasesTr::tr("The case book is damaged or is not a database of this program, so it "
                            "was left as it is.")};
    default:
        return {CaseStoreError::Failed,
                CasesTr::tr("The case book could not %1: %2").arg(doing, error.text())};
    }
}

bool CaseStoreDialect::backup(QSqlDatabase &db, const QString &fileName,
                              CaseStoreError *error) const
{
    if (m_engine == Engine::PostgreSql) {
        // A copy of everyone's cases on one workstation is not a backup but a leak; the
        // server's own tools back it up whole (see the README).
        *error = {CaseStoreError::Failed,
                  CasesTr::tr("The case book on the clinic server is backed up on the server itself (for "
                              "example with pg_dump); please ask whoever looks after the server.")};
        return false;
    }
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
                                     CasesTr::tr("The backup cannot be written to %1.")
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
        return fail(describe(query.lastError(), CasesTr::tr("be backed up")));
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
