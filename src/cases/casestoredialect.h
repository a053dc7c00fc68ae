#ifndef CASESTOREDIALECT_H
#define CASESTOREDIALECT_H

#include "casestoreerror.h"

#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

class QSqlError;
class QSqlQuery;

// Everything that depends on the database engine, in one place: how a location is opened,
// the column types, how a write transaction begins, the trigger that keeps a table
// append-only, how engine errors read, and how a backup is made. The rest of the store
// speaks portable SQL. Two engines: a SQLite file on this computer, or the clinic's
// PostgreSQL server named by a libpq connection string (see DatabaseLocation).
class CaseStoreDialect
{
public:
    enum class Engine { Sqlite, PostgreSql };

    static CaseStoreDialect forLocation(const QString &location);
    Engine engine() const { return m_engine; }
    bool isServer() const { return m_engine == Engine::PostgreSql; }
    // The SQLite file may only be read (its mode, or its owner): opened so, writing nothing.
    bool isReadOnly() const { return m_readOnly; }

    // Opens (creating when missing, see CaseStoreLocation) the database at location on the
    // named connection, without writing to it: the caller first checks that it is ours.
    bool open(QSqlDatabase *db, const QString &location, const QString &connectionName,
              int busyTimeoutMs, CaseStoreError *error);
    // The settings that may write, applied once the database is known to be ours.
    bool configure(QSqlDatabase &db, CaseStoreError *error) const;
    // The names of the tables in the database; false with an error when it cannot be read.
    bool tables(QSqlDatabase &db, QStringList *names, CaseStoreError *error) const;

    // Replaces the type words in portable DDL: {id} (an integer key the database assigns),
    // {real} (a double), {bigint} (a 64-bit integer).
    QString ddl(QString statement) const;
    // Statements for a trigger that refuses event ("UPDATE" or "DELETE") on table, optionally
    // only WHEN condition (in terms of OLD) holds.
    QStringList refusingTrigger(const QString &name, const QString &table, const QString &event,
                                const QString &condition = QString()) const;

    // Starts a transaction that holds the write lock from its first statement, so that two
    // writers queue instead of failing halfway.
    QString beginWrite() const;
    // Run first in a schema change, so that two of them never run side by side; may be empty.
    QString lockSchema() const;

    // A subquery giving each text of the JSON array bound to its one placeholder, in a column
    // named value: many values in one statement, however many there are.
    QString textsOfJsonArray() const;
    // The same for the ids of jsonArrayOf(ids), as numbers.
    QString idsOfJsonArray() const;
    static QString jsonArrayOf(const QVector<qint64> &ids);
    // The days from the date (text yyyy-MM-dd) from to the date to, as a number.
    QString daysBetween(const QString &from, const QString &to) const;

    // Appended to an INSERT whose new key insertedId() reads afterwards.
    QString returningId() const;
    // The key the database gave the row that query just inserted.
    qint64 insertedId(QSqlQuery &query) const;

    // Statements that make table's column database_user hold the database account that
    // inserted each row, whatever the client sends (the server knows who is connected).
    // SQLite has no accounts: there the column stays empty.
    QStringList databaseUserColumn(const QString &table) const;

    // On the clinic server, the case book's schema (the first of the connection's search
    // path) as a quoted identifier, read when the connection opened; empty for a SQLite file.
    QString schema() const { return m_schema; }

    // Opens a connection that was lost (the server restarted, the network dropped) again;
    // true when it is open. A SQLite file is never lost.
    bool reconnect(QSqlDatabase &db, CaseStoreError *error);

    // Turns an engine error into a kind with a message for the user.
    CaseStoreError describe(const QSqlError &error, const QString &doing) const;

    // A consistent copy of the whole database, in use or not, written 0600.
    bool backup(QSqlDatabase &db, const QString &fileName, CaseStoreError *error) const;

private:
    CaseStoreDialect() = default;
    bool openServer(QSqlDatabase *db, const QString &location, const QString &connectionName,
                    int busyTimeoutMs, CaseStoreError *error);
    CaseStoreError describeServer(const QSqlError &error, const QString &doing) const;

    bool applySessionSettings(QSqlDatabase &db);

    Engine m_engine = Engine::Sqlite;
    bool m_readOnly = false;
    QString m_schema;
    QString m_connectionName;
    QString m_location;
    int m_busyTimeoutMs = 5000;
};

#endif // CASESTOREDIALECT_H
