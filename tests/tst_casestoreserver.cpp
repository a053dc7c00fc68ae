// What only the clinic server has: accounts, workstations racing for the same row, the
// connection going away, and what a workstation's role may do. Runs against the throw-away
// PostgreSQL server; the engine-neutral behaviour is in tst_casestore (run on both engines).
#include "casestorefixture.h"

#include "calibrationstore.h"
#include "caseschema.h"
#include "casestore.h"
#include "visitstore.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTest>
#include <QThread>

#include <atomic>
#include <thread>

#define OPEN_FRESH(store, location)                                                           \
    const QString location = freshCaseBook();                                                 \
    CaseStore store;                                                                          \
    QVERIFY2(store.open(location), qPrintable(store.lastError().message))

class TestCaseStoreServer : public QObject
{
    Q_OBJECT

    const QString suffix = QString::number(QCoreApplication::applicationPid());
    QString workstation() const { return QStringLiteral("workstation_") + suffix; }

    // A case book made by the owner (postgres here) with a workstation role granted.
    QString preparedCaseBook()
    {
        const QString location = freshCaseBook();
        CaseStore owner;
        if (!owner.open(location))
            qFatal("%s", qPrintable(owner.lastError().message));
        QSqlQuery query(owner.database());
        if (!query.exec("SELECT current_schema()") || !query.next())
            qFatal("no schema");
        for (const QString &statement : CaseSchema::grantStatements(query.value(0).toString(), workstation()))
            if (!query.exec(statement))
                qFatal("%s: %s", qPrintable(statement), qPrintable(query.lastError().text()));
        return location;
    }
    QString as(const QString &location, const QString &user) const
    {
        ConnectionInfo info;
        info.parse(location);
        info.set(QStringLiteral("user"), user);
        return info.toString();
    }

private slots:
    void initTestCase()
    {
        if (!caseBooksOnServer())
            QSKIP("TELMA_TEST_POSTGRES is not set: run through ctest, which starts the server");
        PostgresScratch::adminExec(QStringLiteral("CREATE ROLE %1 LOGIN").arg(workstation()));
    }
    void cleanupTestCase()
    {
        if (!caseBooksOnServer())
            return;
        // Roles are shared by every database of the server: drop what this one owns first.
        PostgresScratch::adminExec(QStringLiteral("DROP OWNED BY %1").arg(workstation()));
    }

    void trailNamesTheDatabaseAccount()
    {
        const QString location = preparedCaseBook();
        CaseStore store;
        QVERIFY2(store.open(as(location, workstation())), qPrintable(store.lastError().message));
        store.setUser(QStringLiteral("anna"));
        CaseRecord record = sampleCase(QStringLiteral("U-1"));
        QVERIFY2(store.addCase(&record), qPrintable(store.lastError().message));
        // A client that claims to be someone else cannot even write the trail itself.
        QSqlQuery query(store.database());
        QVERIFY(!query.exec(QStringLiteral("INSERT INTO case_audit (case_id, action, changed_by, changed_at, "
                                           "database_user) VALUES (%1, 'note', 'anna', '2026-01-01', 'postgres')")
                                .arg(record.id)));
        record.predictors[7] = 34;
        QVERIFY2(store.updateCase(&record), qPrintable(store.lastError().message));
        QVector<CaseAuditEntry> trail;
        QVERIFY(store.auditTrail(record.id, &trail));
        QCOMPARE(trail.size(), 2);
        for (const CaseAuditEntry &entry : trail)
            QCOMPARE(entry.databaseUser, workstation());
        QCOMPARE(trail[0].user, QStringLiteral("anna"));
    }

    void workstationCannotRewriteHistory_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("change an entry") << "UPDATE case_audit SET changed_by = 'x'";
        QTest::newRow("delete entries") << "DELETE FROM case_audit";
        QTest::newRow("truncate the trail") << "TRUNCATE case_audit_values, case_audit";
        QTest::newRow("switch the trigger off") << "ALTER TABLE case_audit DISABLE TRIGGER ALL";
        QTest::newRow("drop the trigger") << "DROP TRIGGER case_audit_no_update ON case_audit";
        QTest::newRow("change the version") << "UPDATE telma_schema SET version = 99";
        QTest::newRow("drop the cases") << "DROP TABLE cases CASCADE";
        QTest::newRow("truncate the calibrations' trail") << "TRUNCATE calibration_audit";
        QTest::newRow("change a calibration's figures") << "UPDATE calibration_months SET high = 9";
        QTest::newRow("switch a calibration's trigger off")
            << "ALTER TABLE calibration_months DISABLE TRIGGER ALL";
    }
    void workstationCannotRewriteHistory()
    {
        QFETCH(QString, statement);
        const QString location = preparedCaseBook();
        CaseStore store;
        QVERIFY(store.open(as(location, workstation())));
        CaseRecord record = sampleCase(QStringLiteral("H-1"));
        QVERIFY(store.addCase(&record));
        record.predictors[7] = 33;
        QVERIFY(store.updateCase(&record));
        QSqlQuery query(store.database());
        QVERIFY(!query.exec(statement));
        QVector<CaseAuditEntry> trail;
        QVERIFY(store.auditTrail(record.id, &trail));
        QCOMPARE(trail.size(), 2);
        QVERIFY(!trail[1].changes.isEmpty());
        QCOMPARE(store.schemaVersion(), CaseSchema::latestVersion());
    }

    // The ways round the trail that plain table rights allowed: each is refused for a
    // workstation role, and the case and its trail stay as they were.
    void bypassesRefused_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("change a case under another name")
            << "UPDATE cases SET changed_by = 'someone else', predicted_month_6 = 20";
        QTest::newRow("delete a case") << "DELETE FROM cases";
        QTest::newRow("add a visit unrecorded")
            << "INSERT INTO case_visits (case_id, visit_date, bmi, note) SELECT id, '2026-02-01', 30, '' FROM cases";
        QTest::newRow("a temporary table standing in for cases") << "CREATE TEMP TABLE cases (id bigint)";
        QTest::newRow("erase the trail's values") << "DELETE FROM case_audit_values";
        QTest::newRow("switch the trail's triggers off")
            << "ALTER TABLE case_audit_values DISABLE TRIGGER ALL";
        QTest::newRow("write a trail entry directly")
            << "SELECT telma_audit(1, 'insert', 'someone else', '2026-01-01', '{}', '{}', '{}')";
        QTest::newRow("change the stored values through a helper") << "SELECT telma_write_answers(1, '{}')";
        QTest::newRow("make a calibration unrecorded")
            << "INSERT INTO calibrations (made_at, made_by, model_version, source_file, source_sha256, "
               "people, in_use) VALUES ('2026-01-01', 'someone else', '1.0.0', '', '', 20, 0)";
        QTest::newRow("put a calibration in use unrecorded") << "UPDATE calibrations SET in_use = 1";
        QTest::newRow("give a calibration figures")
            << "INSERT INTO calibration_months (calibration_id, month, n) SELECT id, 7, 20 FROM calibrations";
        QTest::newRow("write a calibration's trail directly")
            << "INSERT INTO calibration_audit (calibration_id, action, changed_by, changed_at) "
               "VALUES (1, 'use', 'someone else', '2026-01-01')";
        QTest::newRow("drop the calibration in use through a helper")
            << "SELECT telma_drop_calibration('someone else', '2026-01-01')";
    }
    void bypassesRefused()
    {
        QFETCH(QString, statement);
        const QString location = preparedCaseBook();
        CaseStore store;
        QVERIFY2(store.open(as(location, workstation())), qPrintable(store.lastError().message));
        CaseRecord record = sampleCase(QStringLiteral("B-1"));
        QVERIFY(store.addCase(&record));
        record.predictors[7] = 33;
        QVERIFY(store.updateCase(&record));
        Calibration calibration;
        calibration.modelVersion = QStringLiteral("1.0.0");
        QVERIFY2(CalibrationStore(store).add(&calibration, true), qPrintable(store.lastError().message));
        QSqlQuery query(store.database());
        QVERIFY(!query.exec(statement));
        CaseRecord read;
        QVERIFY(store.readCase(record.id, &read));
        compareCaseValues(read, record);
        QCOMPARE(read.changedBy, record.changedBy);
        QVector<CaseAuditEntry> trail;
        QVERIFY(store.auditTrail(record.id, &trail));
        QCOMPARE(trail.size(), 2);
        QVERIFY(!trail[0].changes.isEmpty());
        QVERIFY(!trail[1].changes.isEmpty());
        QList<Visit> visits;
        QVERIFY(VisitStore(store).visits(record.id, &visits));
        QVERIFY(visits.isEmpty());
        QVERIFY(query.exec("SELECT (SELECT count(*) FROM calibration_audit), "
                           "(SELECT count(*) FROM calibrations WHERE in_use = 1)") && query.next());
        QCOMPARE(query.value(0).toInt(), 2);
        QCOMPARE(query.value(1).toInt(), 1);
    }

    // A clinic that installs this version: until the owner runs the set-up again, a
    // workstation says what to do; afterwards the role granted by the earlier version has
    // lost its table writes and works through the functions.
    void earlierServerBookUpgradedByTheOwner()
    {
        const QString location = preparedCaseBook();
        QString schema;
        {
            CaseStore owner;
            QVERIFY(owner.open(location));
            QSqlQuery query(owner.database());
            QVERIFY(query.exec("SELECT current_schema()") && query.next());
            schema = query.value(0).toString();
            QVERIFY(query.exec(QStringLiteral("GRANT INSERT, UPDATE, DELETE ON ALL TABLES IN SCHEMA %1 TO %2")
                                   .arg(schema, workstation())));
            // The version before the functions came.
            QVERIFY(query.exec(QStringLiteral("UPDATE telma_schema SET version = 4")));
        }
        {
            CaseStore early;
            QVERIFY(!early.open(as(location, workstation())));
            QVERIFY2(early.lastError().message.contains("telma-server-setup again"),
                     qPrintable(early.lastError().message));
        }
        {
            CaseStore owner;
            QVERIFY(owner.open(location));
            QCOMPARE(owner.schemaVersion(), CaseSchema::latestVersion());
        }
        CaseStore store;
        QVERIFY2(store.open(as(location, workstation())), qPrintable(store.lastError().message));
        CaseRecord record = sampleCase(QStringLiteral("E-1"));
        QVERIFY2(store.addCase(&record), qPrintable(store.lastError().message));
        QSqlQuery query(store.database());
        QVERIFY(!query.exec("UPDATE cases SET changed_by = 'someone else'"));
    }

    // A workstation makes a calibration and puts it in use; the trail knows its account.
    void workstationCalibrates()
    {
        const QString location = preparedCaseBook();
        CaseStore store;
        QVERIFY(store.open(as(location, workstation())));
        Calibration calibration;
        for (CalibrationMonth &month : calibration.months)
            month = {25, 0.1, 0.4, -0.7, 0.9};
        calibration.modelVersion = QStringLiteral("1.0.0");
        CalibrationStore calibrations(store);
        QVERIFY2(calibrations.add(&calibration, true), qPrintable(store.lastError().message));
        QVERIFY2(calibrations.useNone(), qPrintable(store.lastError().message));
        QSqlQuery query(store.database());
        QVERIFY(query.exec(QStringLiteral("SELECT DISTINCT database_user FROM calibration_audit")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toString(), workstation());
        QVERIFY(!query.next());
    }

    // A workstation adds a batch larger than one call of the server, then a visit to a case
    // already in the book: each case keeps its own id and visits, and the trail its account.
    void workstationImports()
    {
        const QString location = preparedCaseBook();
        CaseStore store;
        QVERIFY(store.open(as(location, workstation())));
        QVector<CaseRecord> records;
        QVector<QList<Visit>> visits;
        for (int i = 0; i <= CaseStore::ServerChunk; ++i) {
            records.append(sampleCase(QStringLiteral("W-%1").arg(i), i));
            Visit visit;
            visit.date = records.last().baselineDate.addDays(1 + i % 20);
            visit.bmi = 20 + i % 50;
            visits.append({visit});
        }
        QVERIFY2(store.addCases(&records, visits), qPrintable(store.lastError().message));
        Visit later;
        later.date = records.last().baselineDate.addDays(40);
        later.bmi = 25;
        QVector<CaseRecord> none;
        QVERIFY2(store.addCases(&none, {}, {{records.last().id, {later}, std::nullopt}}),
                 qPrintable(store.lastError().message));

        QVector<CaseRecord> read;
        QVERIFY(store.readCases({}, &read));
        QCOMPARE(read.size(), records.size());
        QHash<qint64, QString> codes;
        for (const CaseRecord &record : std::as_const(read))
            codes.insert(record.id, record.code);
        QHash<qint64, QList<Visit>> stored;
        QVERIFY(VisitStore(store).allVisits(&stored));
        for (int i = 0; i < records.size(); ++i) {
            QCOMPARE(codes.value(records[i].id), records[i].code);
            const QList<Visit> its = stored.value(records[i].id);
            QCOMPARE(its.size(), i + 1 == records.size() ? 2 : 1);
            QCOMPARE(its.first().bmi, visits[i].first().bmi);
        }
        QSqlQuery query(store.database());
        QVERIFY(query.exec("SELECT DISTINCT database_user FROM case_audit") && query.next());
        QCOMPARE(query.value(0).toString(), workstation());
        QVERIFY(!query.next());
    }

    void backupRefused()
    {
        // The server is backed up on the server; no workstation gets a copy of every case.
        OPEN_FRESH(store, location);
        const QString target = QDir::temp().filePath(QStringLiteral("never-written.sqlite"));
        QVERIFY(!store.backup(target));
        QVERIFY(store.lastError().message.contains(QStringLiteral("pg_dump")));
        QVERIFY(!QFile::exists(target));
    }

    void truncateRefusedEvenForTheOwner()
    {
        OPEN_FRESH(store, location);
        CaseRecord record = sampleCase(QStringLiteral("T-1"));
        QVERIFY(store.addCase(&record));
        QSqlQuery query(store.database());
        QVERIFY(!query.exec(QStringLiteral("TRUNCATE case_audit_values")));
        QVERIFY(!query.exec(QStringLiteral("TRUNCATE case_audit CASCADE")));
        QVector<CaseAuditEntry> trail;
        QVERIFY(store.auditTrail(record.id, &trail));
        QCOMPARE(trail.size(), 1);
        QVERIFY(!trail[0].changes.isEmpty());
    }

    // Another workstation writes between our read and our write: the database holds its
    // change until it commits, and ours must then be refused, not written over it.
    void raceWithAnotherWorkstation_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("refusal");
        QTest::newRow("same case edited") << "update" << int(CaseStoreError::Conflict);
        QTest::newRow("same code added") << "add" << int(CaseStoreError::DuplicateCode);
    }
    void raceWithAnotherWorkstation()
    {
        QFETCH(QString, action);
        QFETCH(int, refusal);
        OPEN_FRESH(store, location);
        CaseRecord record = sampleCase(QStringLiteral("R-1"));
        QVERIFY(store.addCase(&record));

        CaseStore other;
        QVERIFY(other.open(location));
        other.setUser(QStringLiteral("ben"));
        QSqlDatabase otherDb = other.database();
        QVERIFY(otherDb.transaction());
        QSqlQuery held(otherDb);
        if (action == "update")
            QVERIFY(held.exec(QStringLiteral("UPDATE cases SET row_version = row_version + 1, changed_by = 'ben' "
                                             "WHERE id = %1").arg(record.id)));
        else
            QVERIFY(held.exec(QStringLiteral("UPDATE cases SET code = 'R-2' WHERE id = %1").arg(record.id)));

        std::atomic<bool> finished = false;
        bool saved = true;
        CaseStoreError error;
        std::thread writer([&] {
            CaseStore mine;
            if (mine.open(location)) {
                CaseRecord edit = record;
                if (action == "update") {
                    edit.predictors[7] = 31;
                    saved = mine.updateCase(&edit);
                } else {
                    edit = sampleCase(QStringLiteral("R-2"), 3);
                    saved = mine.addCase(&edit);
                }
                error = mine.lastError();
            }
            finished = true;
        });
        // The writer has read the row (or looked for the code) and now waits for our lock.
        QTest::qWait(400);
        QVERIFY(!finished);
        QVERIFY(otherDb.commit());
        writer.join();
        QVERIFY(!saved);
        QCOMPARE(int(error.kind), refusal);
        if (action == "update")
            QVERIFY2(error.message.contains("changed by ben"), qPrintable(error.message));
    }

    void connectionLostKeepsTheEdit()
    {
        OPEN_FRESH(store, location);
        CaseRecord first = sampleCase(QStringLiteral("L-1"));
        QVERIFY(store.addCase(&first));
        QSqlQuery pid(store.database());
        QVERIFY(pid.exec("SELECT pg_backend_pid()") && pid.next());
        const QString backend = pid.value(0).toString();
        // The server ends the session, as on a restart; the client notices on its next call.
        QVERIFY(PostgresScratch::adminExec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(backend)));

        CaseRecord edit = sampleCase(QStringLiteral("L-2"), 5);
        const CaseRecord before = edit;
        QVERIFY(!store.addCase(&edit));
        QCOMPARE(store.lastError().kind, CaseStoreError::ConnectionLost);
        QVERIFY(store.lastError().message.contains("Nothing you entered is lost"));
        compareCaseValues(edit, before);
        QCOMPARE(edit.id, 0);
        // Trying again reconnects and saves it, once.
        QVERIFY2(store.addCase(&edit), qPrintable(store.lastError().message));
        QCOMPARE(store.caseCount(), 2);
        QVector<CaseAuditEntry> trail;
        QVERIFY(store.auditTrail(edit.id, &trail));
        QCOMPARE(trail.size(), 1);
    }

    void refusalsInPlainWords_data()
    {
        QTest::addColumn<QString>("change");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("saying");
        QTest::newRow("server not reachable") << "host=/nonexistent" << int(CaseStoreError::ServerUnavailable)
                                              << "cannot be reached";
        QTest::newRow("database missing") << "dbname=no_such_casebook" << int(CaseStoreError::ServerUnavailable)
                                          << "does not exist";
        QTest::newRow("account without rights") << "user=" + workstation() << int(CaseStoreError::NoPermission)
                                                << "no permission";
        QTest::newRow("uri form") << "postgresql://db/telma" << int(CaseStoreError::ServerUnavailable)
                                  << "keyword=value";
    }
    void refusalsInPlainWords()
    {
        QFETCH(QString, change);
        QFETCH(int, kind);
        QFETCH(QString, saying);
        // A case book the workstation role was never granted.
        const QString location = freshCaseBook();
        {
            CaseStore owner;
            QVERIFY(owner.open(location));
        }
        QString target = change;
        if (!change.contains("://")) {
            ConnectionInfo info;
            info.parse(location);
            ConnectionInfo extra;
            extra.parse(change);
            for (const char *key : {"host", "dbname", "user"})
                if (extra.contains(key))
                    info.set(key, extra.value(key));
            target = info.toString();
        }
        CaseStore store;
        QVERIFY(!store.open(target));
        QCOMPARE(int(store.lastError().kind), kind);
        QVERIFY2(store.lastError().message.contains(saying), qPrintable(store.lastError().message));
        QVERIFY(!store.isOpen());
    }
};

QTEST_GUILESS_MAIN(TestCaseStoreServer)
#include "tst_casestoreserver.moc"
