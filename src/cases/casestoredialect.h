#ifndef CASESTOREDIALECT_H
#define CASESTOREDIALECT_H

#include "casestoreerror.h"

#include <QSqlDatabase>
#include <QStringList>

class QSqlError;
class QSqlQuery;

// Everything that depends on the database engine, in one place: how a location is opened,
// the column types, how a write transaction begins, the trigger that keeps a table
// append-only, how engine errors read, and how a backup is made. The rest of the store
// speaks portable SQL.
class CaseStoreDialect
{
public:
    // Today every location is a SQLite file.
    static CaseStoreDialect forLocation(const QString &location);

    // Opens (creating when missing, see CaseStoreLocation) the database at location on the
    // named connection, without writing to it: the caller first checks that it is ours.
    bool open(QSqlDatabase *db, const QString &location, const QString &connectionName,
              int busyTimeoutMs, CaseStoreError *error) const;
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

    // The key the database gave the row that query just inserted.
    qint64 insertedId(const QSqlQuery &query) const;

    // Turns an engine error into a kind with a message for the user.
    CaseStoreError describe(const QSqlError &error, const QString &doing) const;

    // A consistent copy of the whole database, in use or not, written 0600.
    bool backup(QSqlDatabase &db, const QString &fileName, CaseStoreError *error) const;

private:
    CaseStoreDialect() = default;
};

#endif // CASESTOREDIALECT_H
