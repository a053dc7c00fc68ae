#include "caseschema.h"

#include "casestr.h"
#include "caseauditchain.h"
#include "calibrationstore.h"
#include "casefields.h"
#include "caseserverfunctions.h"
#include "casestoredialect.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSet>
#include <QSqlQuery>

// Version 1: cases, their questionnaire answers, and the audit trail.
static QStringList firstVersion(const CaseStoreDialect &dialect)
{
    QStringList valueColumns;
    for (int p = 0; p < PredictorCount; ++p) {
        const QString column = CaseFields::predictorColumn(p);
        valueColumns << column + QStringLiteral(" {real} NOT NULL")
                     << column + QStringLiteral("_source TEXT NOT NULL");
    }
    for (int month = 1; month <= CourseMonths; ++month)
        valueColumns << CaseFields::monthColumn(month) + QStringLiteral(" {real} NOT NULL");

    QStringList statements = {
        QStringLiteral("CREATE TABLE telma_schema (version INTEGER NOT NULL)"),
        QStringLiteral("INSERT INTO telma_schema (version) VALUES (0)"),
        // The code's UNIQUE constraint is also the index the case list filters and sorts by.
        QStringLiteral("CREATE TABLE cases ("
                       "id {id}, "
                       "code TEXT NOT NULL UNIQUE, "
                       "baseline_date TEXT NOT NULL, "
                       "height_m {real}, "
                       "%1, "
                       "model_version TEXT NOT NULL, "
                       "created_by TEXT NOT NULL, "
                       "created_at TEXT NOT NULL, "
                       "changed_by TEXT NOT NULL, "
                       "changed_at TEXT NOT NULL, "
                       "row_version {bigint} NOT NULL DEFAULT 1)")
            .arg(valueColumns.join(QStringLiteral(", "))),
        // Item by item, for the values that came from a questionnaire; answer NULL when the
        // item was left unanswered.
        QStringLiteral("CREATE TABLE case_answers ("
                       "case_id {bigint} NOT NULL REFERENCES cases (id) ON DELETE CASCADE, "
                       "predictor INTEGER NOT NULL, "
                       "item INTEGER NOT NULL, "
                       "answer INTEGER, "
                       "PRIMARY KEY (case_id, predictor, item))"),
        // Who did what when: kept for ever, even after the case is deleted. case_id has no
        // foreign key for that reason.
        QStringLiteral("CREATE TABLE case_audit ("
                       "id {id}, "
                       "case_id {bigint} NOT NULL, "
                       "action TEXT NOT NULL, "
                       "changed_by TEXT NOT NULL, "
                       "changed_at TEXT NOT NULL)"),
        // The old and new values of an entry: clinical data, so erased with the case.
        QStringLiteral("CREATE TABLE case_audit_values ("
                       "audit_id {bigint} NOT NULL REFERENCES case_audit (id), "
                       "case_id {bigint} NOT NULL, "
                       "field TEXT NOT NULL, "
                       "old_value TEXT, "
                       "new_value TEXT)"),
        QStringLiteral("CREATE INDEX case_audit_case ON case_audit (case_id)"),
        QStringLiteral("CREATE INDEX case_audit_values_case ON case_audit_values (case_id)"),
    };
    for (QString &statement : statements)
        statement = dialect.ddl(statement);
    // The database itself keeps the trail append-only, whatever program writes to it. The
    // values may go only once their case is gone.
    statements << dialect.refusingTrigger(QStringLiteral("case_audit_no_update"),
                                          QStringLiteral("case_audit"), QStringLiteral("UPDATE"))
               << dialect.refusingTrigger(QStringLiteral("case_audit_no_delete"),
                                          QStringLiteral("case_audit"), QStringLiteral("DELETE"))
               << dialect.refusingTrigger(QStringLiteral("case_audit_values_no_update"),
                                          QStringLiteral("case_audit_values"),
                                          QStringLiteral("UPDATE"))
               << dialect.refusingTrigger(
                      QStringLiteral("case_audit_values_no_delete"),
                      QStringLiteral("case_audit_values"), QStringLiteral("DELETE"),
                      QStringLiteral("EXISTS (SELECT 1 FROM cases WHERE cases.id = OLD.case_id)"));
    // On a server, which account wrote each entry, filled in by the server itself.
    statements << dialect.databaseUserColumn(QStringLiteral("case_audit"));
    return statements;
}

// Version 2: the follow-up visits. One visit per case and date; the unique key is also the
// index a case's visits are read by. Clinical data: deleted with the case.
static QStringList visitsVersion(const CaseStoreDialect &dialect)
{
    return {dialect.ddl(QStringLiteral(
        "CREATE TABLE case_visits ("
        "id {id}, "
        "case_id {bigint} NOT NULL REFERENCES cases (id) ON DELETE CASCADE, "
        "visit_date TEXT NOT NULL, "
        "bmi {real} NOT NULL, "
        "weight_kg {real}, "
        "note TEXT NOT NULL, "
        "UNIQUE (case_id, visit_date))"))};
}

// Version 3: each code's fold (see CaseFields::foldedCode), so that the database itself
// refuses a code that differs from one in use only in capitals or Unicode form. A book may
// already hold such codes: they stay as they are, and all but the first of each group are
// marked as its twins (code_twin holds their own id), so that the unique index can be built
// and holds for every other code.
static QStringList foldedCodeColumns(const CaseStoreDialect &dialect)
{
    return {dialect.ddl(QStringLiteral(
                "ALTER TABLE cases ADD COLUMN code_folded TEXT NOT NULL DEFAULT ''")),
            dialect.ddl(QStringLiteral(
                "ALTER TABLE cases ADD COLUMN code_twin {bigint} NOT NULL DEFAULT 0"))};
}

static bool fillFoldedCodes(QSqlDatabase &db, QSqlError *error)
{
    QSqlQuery read(db);
    read.setForwardOnly(true);
    if (!read.exec(QStringLiteral("SELECT id, code FROM cases ORDER BY id"))) {
        *error = read.lastError();
        return false;
    }
    QVector<QPair<qint64, QString>> rows;
    while (read.next())
        rows.append({read.value(0).toLongLong(), read.value(1).toString()});
    QSqlQuery write(db);
    write.prepare(QStringLiteral("UPDATE cases SET code_folded = ?, code_twin = ? WHERE id = ?"));
    QSet<QString> seen;
    for (const auto &row : std::as_const(rows)) {
        const QString folded = CaseFields::foldedCode(row.second);
        write.addBindValue(folded);
        write.addBindValue(seen.contains(folded) ? row.first : qint64(0));
        write.addBindValue(row.first);
        seen.insert(folded);
        if (!write.exec()) {
            *error = write.lastError();
            return false;
        }
    }
    if (!write.exec(QStringLiteral(
            "CREATE UNIQUE INDEX cases_code_folded ON cases (code_folded, code_twin)"))) {
        *error = write.lastError();
        return false;
    }
    return true;
}

// Version 5: on the clinic server, workstations write through functions that keep the trail
// themselves (CaseServerFunctions); a SQLite file has nothing to add.
static QStringList serverWritesVersion(const CaseStoreDialect &dialect)
{
    return dialect.isServer() ? CaseServerFunctions::installStatements(dialect.schema())
                              : QStringList();
}

// Version 7: the audit trail shows tampering (CaseAuditChain): each entry's hashes, given to
// the entries already there in order, with the guard against updates lifted for that alone;
// on the server, the functions chain what they write. The values are found by their entry, as
// the check on opening reads the last entries'.
static QStringList chainedTrailVersion(const CaseStoreDialect &dialect)
{
    // On the server a book set back to an earlier version by hand may have the columns.
    const QString column = dialect.isServer() ? QStringLiteral("ADD COLUMN IF NOT EXISTS")
                                              : QStringLiteral("ADD COLUMN");
    QStringList statements = {
        QStringLiteral("ALTER TABLE case_audit %1 values_hash TEXT").arg(column),
        QStringLiteral("ALTER TABLE case_audit %1 entry_hash TEXT").arg(column),
        QStringLiteral("CREATE INDEX IF NOT EXISTS case_audit_values_entry ON case_audit_values (audit_id)"),
        dialect.isServer() ? QStringLiteral("ALTER TABLE case_audit DISABLE TRIGGER case_audit_no_update")
                           : QStringLiteral("DROP TRIGGER case_audit_no_update"),
    };
    // The functions again, chaining what they write, with their rights.
    if (dialect.isServer())
        statements << CaseServerFunctions::installStatements(dialect.schema());
    return statements;
}

static bool chainTrail(QSqlDatabase &db, QSqlError *error)
{
    if (!CaseAuditChain::chainExisting(db, error))
        return false;
    const bool server = db.driverName() == QLatin1String("QPSQL");
    const QStringList guard =
        server ? QStringList{QStringLiteral("ALTER TABLE case_audit ENABLE TRIGGER case_audit_no_update")}
               : CaseStoreDialect::forLocation(QString())
                     .refusingTrigger(QStringLiteral("case_audit_no_update"),
                                      QStringLiteral("case_audit"), QStringLiteral("UPDATE"));
    QSqlQuery query(db);
    for (const QString &statement : guard) {
        if (!query.exec(statement)) {
            *error = query.lastError();
            return false;
        }
    }
    return true;
}

// Version 8: the case list's filter finds the typed text in the code's fold, in the code's
// order; with both in one index a step of the search reads no row of the table but those of
// its matches.
static QStringList codeSearchIndex(const CaseStoreDialect &dialect)
{
    return {dialect.ddl(QStringLiteral(
        "CREATE INDEX IF NOT EXISTS cases_code_search ON cases (code, code_folded)"))};
}

const QList<CaseSchema::Migration> &CaseSchema::migrations()
{
    // Append new versions here; never change a step that has shipped.
    static const QList<Migration> steps = {
        {1, firstVersion},
        {2, visitsVersion},
        {3, foldedCodeColumns, fillFoldedCodes},
        {4, CalibrationStore::schemaStatements},
        {5, serverWritesVersion},
        // The functions again, with batches written as sets, visits of stored cases and the
        // calibrations: a role granted before loses its writes to the calibration tables.
        {6, serverWritesVersion},
        {7, chainedTrailVersion, chainTrail},
        {8, codeSearchIndex},
    };
    return steps;
}

int CaseSchema::latestVersion()
{
    return migrations().constLast().version;
}

bool CaseSchema::readVersion(QSqlDatabase &db, const CaseStoreDialect &dialect, int *version,
                             CaseStoreError *error)
{
    QStringList tables;
    if (!dialect.tables(db, &tables, error))
        return false;
    const CaseStoreError notOurs{
        CaseStoreError::NotCaseBook,
        dialect.isServer()
            ? CasesTr::tr("The database on the clinic server holds other tables and is not a case book of "
                          "this program. It was left as it is.")
            : CasesTr::tr("The file %1 is not a case book of this program. It was left as it is.")
                  .arg(db.databaseName())};
    if (tables.isEmpty()) {
        *version = 0;
        return true;
    }
    if (!tables.contains(QLatin1String("telma_schema"), Qt::CaseInsensitive)) {
        *error = notOurs;
        return false;
    }
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT version FROM telma_schema"))) {
        *error = dialect.describe(query.lastError(), CasesTr::tr("open"));
        return false;
    }
    bool ok = false;
    *version = query.next() ? query.value(0).toInt(&ok) : 0;
    if (!ok || query.next() || *version < 1) {
        *error = notOurs;
        return false;
    }
    if (*version > latestVersion()) {
        *error = {CaseStoreError::NewerSchema,
                  CasesTr::tr("The case book was written by a newer version of this program (format %1; "
                              "this version reads up to %2). It was left as it is; please use the newer "
                              "version.")
                      .arg(*version)
                      .arg(latestVersion())};
        return false;
    }
    return true;
}

bool CaseSchema::migrate(QSqlDatabase &db, const CaseStoreDialect &dialect, int from,
                         CaseStoreError *error)
{
    for (const Migration &step : migrations()) {
        if (step.version <= from)
            continue;
        QSqlQuery query(db);
        const auto fail = [&] {
            *error = dialect.describe(query.lastError(), CasesTr::tr("be prepared"));
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            return false;
        };
        if (!query.exec(dialect.beginWrite()))
            return fail();
        // Two workstations opening a new server database at once: one creates, one waits.
        if (!dialect.lockSchema().isEmpty() && !query.exec(dialect.lockSchema()))
            return fail();
        // Another copy of the program may have taken this step while this one waited.
        int now = 0;
        if (!readVersion(db, dialect, &now, error)) {
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            return false;
        }
        if (now >= step.version) {
            QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
            continue;
        }
        for (const QString &statement : step.statements(dialect)) {
            if (query.exec(statement))
                continue;
            // A workstation meets a case book that only the owner can bring up to date.
            if (dialect.isServer() && now > 0
                && dialect.describe(query.lastError(), QString()).kind == CaseStoreError::NoPermission) {
                *error = {CaseStoreError::NoPermission,
                          CasesTr::tr("The case book on the clinic server is of an earlier version of this "
                                      "program (format %1; this version needs %2). It was left as it is; "
                                      "please ask whoever looks after the server to run "
                                      "telma-server-setup again.")
                              .arg(now)
                              .arg(latestVersion())};
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                return false;
            }
            return fail();
        }
        if (step.fill) {
            QSqlError fillError;
            if (!step.fill(db, &fillError)) {
                *error = dialect.describe(fillError, CasesTr::tr("be prepared"));
                QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
                return false;
            }
        }
        query.prepare(QStringLiteral("UPDATE telma_schema SET version = ?"));
        query.addBindValue(step.version);
        if (!query.exec() || !query.exec(QStringLiteral("COMMIT")))
            return fail();
    }
    return true;
}

QStringList CaseSchema::grantStatements(const QString &schema, const QString &role)
{
    // Quoted as identifiers: names are never SQL.
    const auto identifier = [](QString name) {
        name.replace(QLatin1Char('"'), QLatin1String("\"\""));
        return QLatin1Char('"') + name + QLatin1Char('"');
    };
    QStringList statements = {
        QStringLiteral("GRANT USAGE ON SCHEMA {schema} TO {role}"),
        // Reading stays; every change goes through the functions, which write the trail.
        QStringLiteral("GRANT SELECT ON ALL TABLES IN SCHEMA {schema} TO {role}"),
        QStringLiteral("REVOKE INSERT, UPDATE, DELETE, TRUNCATE, REFERENCES, TRIGGER ON ALL "
                       "TABLES IN SCHEMA {schema} FROM {role}"),
        QStringLiteral("GRANT EXECUTE ON FUNCTION {functions} TO {role}"),
        QStringLiteral("GRANT USAGE, SELECT ON ALL SEQUENCES IN SCHEMA {schema} TO {role}"),
        // No temporary tables, with which a session could stand in for one of ours.
        QStringLiteral("DO $do$ BEGIN EXECUTE format('REVOKE TEMPORARY ON DATABASE %I FROM "
                       "PUBLIC', current_database()); EXECUTE format('REVOKE TEMPORARY ON "
                       "DATABASE %I FROM %s', current_database(), '{roleText}'); END $do$"),
    };
    const QString quotedSchema = identifier(schema);
    QString roleText = identifier(role);
    roleText.replace(QLatin1Char('\''), QLatin1String("''"));
    for (QString &statement : statements) {
        statement.replace(QLatin1String("{functions}"),
                          CaseServerFunctions::entryPoints(quotedSchema).join(QStringLiteral(", ")));
        statement.replace(QLatin1String("{schema}"), quotedSchema);
        statement.replace(QLatin1String("{roleText}"), roleText);
        statement.replace(QLatin1String("{role}"), identifier(role));
    }
    return statements;
}
