// Prepares a database on the clinic's PostgreSQL server for the case book:
//   telma-server-setup "host=db.clinic dbname=telma user=telma_owner" [--grant ROLE]...
// Connect as the account that is to own the tables. Creates the tables, the audit trail's
// triggers, the functions workstations write through and the schema version, or brings an
// older case book up to date (each step in one transaction), then grants each ROLE what a
// workstation needs: reading, and calling those functions. Safe to run again.
#include "caseschema.h"
#include "casestore.h"
#include "databaselocation.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    QStringList roles;
    for (int i = args.indexOf(QStringLiteral("--grant")); i >= 0; i = args.indexOf(QStringLiteral("--grant"))) {
        if (i + 1 >= args.size()) {
            err << "--grant needs a role name\n";
            return 2;
        }
        roles << args.at(i + 1);
        args.remove(i, 2);
    }
    if (args.size() != 1 || !DatabaseLocation::fromText(args.first()).isServer()) {
        err << "usage: telma-server-setup \"host=HOST dbname=DATABASE user=OWNER\" [--grant ROLE]...\n";
        if (!args.isEmpty())
            err << DatabaseLocation::fromText(args.first()).problem() << '\n';
        return 2;
    }

    CaseStore store;
    if (!store.open(args.first())) {
        err << store.lastError().message << '\n';
        return 1;
    }
    QSqlDatabase db = store.database();
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT current_schema()")) || !query.next()) {
        err << query.lastError().text() << '\n';
        return 1;
    }
    const QString schema = query.value(0).toString();
    if (!roles.isEmpty()) {
        db.transaction();
        for (const QString &role : std::as_const(roles)) {
            for (const QString &statement : CaseSchema::grantStatements(schema, role)) {
                if (!query.exec(statement)) {
                    err << "granting to " << role << ": " << query.lastError().databaseText() << '\n';
                    db.rollback();
                    return 1;
                }
            }
        }
        if (!db.commit()) {
            err << db.lastError().text() << '\n';
            return 1;
        }
    }
    out << "The case book in schema " << schema << " is at version " << store.schemaVersion() << ".\n";
    int status = 0;
    for (const QString &role : std::as_const(roles)) {
        out << "Role " << role << " may now read it and change it through its functions.\n";
        // Only the database's owner or a superuser can take the right to temporary tables.
        query.prepare(QStringLiteral("SELECT has_database_privilege(?, current_database(), 'TEMP')"));
        query.addBindValue(role);
        if (query.exec() && query.next() && query.value(0).toBool()) {
            err << "Role " << role << " may still create temporary tables: run "
                << "REVOKE TEMPORARY ON DATABASE <database> FROM PUBLIC (and from " << role
                << ") as the database's owner.\n";
            status = 1;
        }
    }
    return status;
}
