#ifndef CASESTOREFIXTURE_H
#define CASESTOREFIXTURE_H

#include "bmicourse.h"
#include "caserecord.h"

#include "postgresfixture.h"

#include <QDate>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// On the throw-away PostgreSQL server (TELMA_TEST_POSTGRES, set by CTest for the *_postgres
// runs): each fresh case book is a schema of its own in one database of this test process,
// reached through the search path of its connection string.
inline bool caseBooksOnServer()
{
    return !qEnvironmentVariableIsEmpty("TELMA_TEST_POSTGRES");
}

inline QString freshServerCaseBook()
{
    static PostgresScratch *scratch = [] {
        auto *made = new PostgresScratch;
        // Dropped while Qt SQL still works, before the application object goes.
        qAddPostRoutine([] { delete scratch; });
        return made;
    }();
    static int count = 0;
    const QString schema = QStringLiteral("casebook_%1").arg(++count);
    if (!scratch->exec(QStringLiteral("CREATE SCHEMA %1").arg(schema)))
        qFatal("cannot create the schema %s", qPrintable(schema));
    ConnectionInfo info;
    info.parse(scratch->connectionString());
    info.set(QStringLiteral("options"), QStringLiteral("-c search_path=%1").arg(schema));
    return info.toString();
}

// Every store test gets its database from freshCaseBook(), so that the same test cases can
// run against any database engine the store supports: only this file knows where the
// databases are.
inline QString freshCaseBook()
{
    if (caseBooksOnServer())
        return freshServerCaseBook();
    static QTemporaryDir folder;
    static int count = 0;
    return folder.filePath(QStringLiteral("casebook-%1/cases.sqlite").arg(++count));
}

// Takes an open case book back to the version before its audit trail was chained (6): the
// trail's entries without their hashes.
inline bool unchainTrail(QSqlDatabase db)
{
    QSqlQuery query(db);
    for (const char *statement :
         {"DROP INDEX case_audit_values_entry", "ALTER TABLE case_audit DROP COLUMN values_hash",
          "ALTER TABLE case_audit DROP COLUMN entry_hash", "UPDATE telma_schema SET version = 6"}) {
        if (!query.exec(QString::fromLatin1(statement)))
            return false;
    }
    return true;
}

// Takes an open case book back to the version before calibrations (3), as a book written
// before them is: their tables and, on the server, their trigger functions are dropped.
inline bool dropCalibrations(QSqlDatabase db)
{
    if (!unchainTrail(db))
        return false;
    QSqlQuery query(db);
    if (caseBooksOnServer()
        && !query.exec(QStringLiteral(
            "DO $$ DECLARE f regprocedure; BEGIN FOR f IN SELECT oid::regprocedure FROM pg_proc "
            "WHERE proname LIKE 'calibration%' AND pronamespace = current_schema()::regnamespace "
            "LOOP EXECUTE 'DROP FUNCTION ' || f || ' CASCADE'; END LOOP; END $$")))
        return false;
    for (const char *table : {"calibration_audit", "calibration_months", "calibrations"})
        if (!query.exec(QStringLiteral("DROP TABLE %1").arg(QLatin1String(table))))
            return false;
    return query.exec(QStringLiteral("UPDATE telma_schema SET version = 3"));
}

// A typical person saved under code, with values that differ from case to case so that a
// mixed-up row shows; the restrained-eating value came from the questionnaire.
inline CaseRecord sampleCase(const QString &code, int variant = 0)
{
    CaseRecord record;
    record.code = code;
    record.baselineDate = QDate(2026, 1, 1).addDays(variant % 300);
    record.heightMetres = 1.5 + (variant % 50) / 100.0;
    record.predictors = {3.1, 2.0 + (variant % 30) / 10.0, 3.0, 21, 39, 28, 70,
                         30.0 + (variant % 300) / 10.0};
    record.sources[0] = QStringLiteral("DEBQ, “Restrained eating” scale");
    record.answers[0] = {0, 1, 2, 3, 4, -1, 0, 1, 2, 3};
    record.course = predictBmiCourse(record.predictors);
    record.modelVersion = QStringLiteral("1.0.0");
    return record;
}

// The values a case holds, compared field by field so that a failure names the field.
inline void compareCaseValues(const CaseRecord &actual, const CaseRecord &expected)
{
    QCOMPARE(actual.code, expected.code);
    QCOMPARE(actual.baselineDate, expected.baselineDate);
    QCOMPARE(actual.heightMetres.has_value(), expected.heightMetres.has_value());
    if (expected.heightMetres)
        QCOMPARE(*actual.heightMetres, *expected.heightMetres);
    for (int p = 0; p < PredictorCount; ++p) {
        QCOMPARE(actual.predictors[p], expected.predictors[p]);
        QCOMPARE(actual.sources[p], expected.sources[p]);
        QCOMPARE(actual.answers[p], expected.answers[p]);
    }
    for (int m = 0; m < CourseMonths; ++m)
        QCOMPARE(actual.course[m], expected.course[m]);
    QCOMPARE(actual.modelVersion, expected.modelVersion);
}

// Takes an open case book back to version 2, before the codes' folds were kept, so that a
// test can give it what a book of that version may hold and open it again.
inline bool rewindToVersionTwo(const QSqlDatabase &db)
{
    if (!dropCalibrations(db))
        return false;
    QSqlQuery query(db);
    for (const char *statement :
         {"DROP INDEX IF EXISTS cases_code_search", "DROP INDEX cases_code_folded",
          "ALTER TABLE cases DROP COLUMN code_folded",
          "ALTER TABLE cases DROP COLUMN code_twin", "UPDATE telma_schema SET version = 2"}) {
        if (!query.exec(QString::fromLatin1(statement)))
            return false;
    }
    return true;
}

#endif // CASESTOREFIXTURE_H
