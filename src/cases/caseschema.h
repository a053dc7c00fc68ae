#ifndef CASESCHEMA_H
#define CASESCHEMA_H

#include "casestoreerror.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

class CaseStoreDialect;

// The case book's tables and their history. The version lives in the one-row table
// telma_schema(version); each migration takes the database one version forward in a single
// transaction, so a database is always at one version or the next, never between.
class CaseSchema
{
public:
    // A step forward: the statements that take version - 1 to version, then, where the
    // program itself must work out values from the rows, fill (in the same transaction).
    struct Migration {
        int version;
        QStringList (*statements)(const CaseStoreDialect &dialect);
        bool (*fill)(QSqlDatabase &db, QSqlError *error) = nullptr;
    };

    static const QList<Migration> &migrations();
    static int latestVersion();

    // Reads the version of an open database: 0 for an empty one. Refuses (returning false)
    // a database of another program and one written by a newer version, changing nothing.
    static bool readVersion(QSqlDatabase &db, const CaseStoreDialect &dialect, int *version,
                            CaseStoreError *error);
    // Brings a database of version `from` to the latest version.
    static bool migrate(QSqlDatabase &db, const CaseStoreDialect &dialect, int from,
                        CaseStoreError *error);

    // On the clinic server: what a workstation account (role) needs and no more. It reads and
    // writes cases, adds to the audit trail and erases a deleted case's values, but cannot
    // change the trail or the schema (it does not own the tables, so it cannot drop their
    // triggers either).
    static QStringList grantStatements(const QString &schema, const QString &role);
};

#endif // CASESCHEMA_H
