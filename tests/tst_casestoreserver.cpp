// What only the clinic server has: accounts, workstations racing for the same row, the
// connection going away, and what a workstation's role may do. Runs against the throw-away
// PostgreSQL server; the engine-neutral behaviour is in tst_casestore (run on both engines).
#include "casestorefixture.h"

#include "calibrationstore.h"
#include "caseschema.h"
#include "casestore.h"

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
        // A client that claims to be someone else is overruled by the server.
        QSqlQuery query(store.database());
        QVERIFY(query.exec(QStringLiteral("INSERT INTO case_audit (case_id, action, changed_by, changed_at, "
                                          "database_user) VALUES (%1, 'note', 'anna', '2026-01-01', 'postgres')")
                               .arg(record.id)));
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
