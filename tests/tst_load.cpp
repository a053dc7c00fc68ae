// Several workstations at once on one case book, checked afterwards against what each was
// told: 8 client processes on a PostgreSQL server (once quietly, once with the server
// stopped and started in the middle) and 4 on one SQLite file. Every acknowledged write must
// be there, every lost update refused as a conflict, and the audit trail must hold exactly
// one entry per acknowledged change. Prints throughput and the median (p50) and 95th
// percentile latency of each operation (docs/performance.md), also with the server 20 ms
// away through a delaying proxy. Label "load"; its own throw-away server.
#include "casestore.h"
#include "casestorefixture.h"
#include "roundtripproxy.h"
#include "visitstore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <map>
#include <set>

class TestLoad : public QObject
{
    Q_OBJECT

    QString m_serverDir;
    QString m_server; // connection string of the load test's own server
    QTemporaryDir m_files;

    static bool script(const QStringList &args)
    {
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process.start(QStringLiteral(TELMA_PG_SERVER_SCRIPT), args);
        return process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit
               && process.exitCode() == 0;
    }

    struct Outcome
    {
        int acknowledged = 0;
        int conflicts = 0;
        int lost = 0;
        QStringList errors;
        std::map<QString, QVector<qint64>> latencies; // microseconds per operation
        double seconds = 0;
    };

    // Starts the clients, optionally restarts the server once a quarter of the work is done,
    // and checks the case book against the journals.
    void run(const QString &location, int clients, int operations, bool restartServer, Outcome *outcome)
    {
        // The shared cases everyone edits.
        QVector<CaseRecord> shared;
        {
            CaseStore store;
            store.setUser(QStringLiteral("setup"));
            QVERIFY2(store.open(location), qPrintable(store.lastError().message));
            for (int i = 0; i < 10; ++i) {
                shared.append(sampleCase(QStringLiteral("shared-%1").arg(i), i));
                QVERIFY(store.addCase(&shared.last()));
            }
        }

        const QString tag = QString::number(QDateTime::currentMSecsSinceEpoch());
        QVector<QProcess *> processes;
        QStringList journals;
        QElapsedTimer wall;
        wall.start();
        for (int c = 0; c < clients; ++c) {
            journals << m_files.filePath(QStringLiteral("journal-%1-%2").arg(tag).arg(c));
            auto *process = new QProcess(this);
            process->setProcessChannelMode(QProcess::ForwardedChannels);
            process->start(QStringLiteral(TELMA_LOAD_CLIENT),
                           {location, QString::number(c), QString::number(operations),
                            QString::number(1000 + c), journals.last()});
            processes << process;
        }
        if (restartServer) {
            // Once a quarter of the operations are done, the server goes away and comes back.
            const auto progress = [&] {
                qint64 lines = 0;
                for (const QString &name : journals) {
                    QFile file(name);
                    if (file.open(QIODevice::ReadOnly))
                        lines += file.readAll().count("lat ");
                }
                return lines;
            };
            QElapsedTimer waiting;
            waiting.start();
            while (progress() < clients * operations / 4 && waiting.elapsed() < 120000)
                QTest::qWait(50);
            QVERIFY(script({QStringLiteral("restart"), m_serverDir}));
        }
        for (QProcess *process : processes) {
            QVERIFY2(process->waitForFinished(600000), "a client did not finish in 10 minutes");
            QCOMPARE(process->exitCode(), 0);
        }
        outcome->seconds = wall.elapsed() / 1000.0;

        // What the clients were told.
        std::set<qint64> added, deleted;
        std::map<qint64, std::set<qint64>> versions; // shared case -> versions acknowledged
        std::map<qint64, std::pair<qint64, double>> lastUpdate;
        QVector<std::tuple<qint64, qint64, double>> visits;
        for (const QString &name : journals) {
            QFile file(name);
            QVERIFY(file.open(QIODevice::ReadOnly));
            bool done = false;
            for (const QByteArray &raw : file.readAll().split('\n')) {
                const QStringList f = QString::fromUtf8(raw).split(QLatin1Char(' '));
                if (f[0] == "done")
                    done = true;
                else if (f[0] == "lat")
                    outcome->latencies[f[1]].append(f[2].toLongLong());
                else if (f[0] == "conflict")
                    ++outcome->conflicts;
                else if (f[0] == "lost")
                    ++outcome->lost;
                else if (f[0] == "error")
                    outcome->errors << QString::fromUtf8(raw);
                if (f[0] != "ack" || f[1] == "read")
                    continue;
                ++outcome->acknowledged;
                const qint64 id = f[2].toLongLong();
                if (f[1] == "add") {
                    added.insert(id);
                } else if (f[1] == "delete") {
                    deleted.insert(id);
                } else if (f[1] == "update") {
                    const qint64 version = f[3].toLongLong();
                    // Two writers told they made the same version: one overwrote the other.
                    QVERIFY2(versions[id].insert(version).second,
                             qPrintable(QStringLiteral("case %1 version %2 acknowledged twice").arg(id).arg(version)));
                    if (version > lastUpdate[id].first)
                        lastUpdate[id] = {version, f[4].toDouble()};
                } else if (f[1] == "visit") {
                    visits.append({id, f[3].toLongLong(), f[5].toDouble()});
                }
            }
            QVERIFY2(done, qPrintable(name + " has no end"));
        }
        QVERIFY2(outcome->errors.isEmpty(), qPrintable(outcome->errors.join('\n')));

        // What the case book holds.
        CaseStore store;
        QVERIFY(store.open(location));
        VisitStore visitStore(store);
        for (qint64 id : added) {
            CaseRecord record;
            const bool there = store.readCase(id, &record);
            QVERIFY2(there != deleted.count(id), qPrintable(QStringLiteral("case %1").arg(id)));
        }
        for (const CaseRecord &original : shared) {
            CaseRecord now;
            QVERIFY(store.readCase(original.id, &now));
            // Versions 2, 3, ... each acknowledged once and none missing.
            const std::set<qint64> &made = versions[original.id];
            QCOMPARE(now.rowVersion, qint64(1 + made.size()));
            if (!made.empty()) {
                QCOMPARE(*made.rbegin(), now.rowVersion);
                QCOMPARE(now.predictors[7], lastUpdate[original.id].second);
            }
        }
        for (const auto &[caseId, visitId, bmi] : visits) {
            if (deleted.count(caseId))
                continue;
            QList<Visit> stored;
            QVERIFY(visitStore.visits(caseId, &stored));
            const auto found = std::find_if(stored.begin(), stored.end(),
                                            [&](const Visit &v) { return v.id == visitId; });
            QVERIFY2(found != stored.end(), qPrintable(QStringLiteral("visit %1").arg(visitId)));
            QCOMPARE(found->bmi, bmi);
        }
        // One audit entry per acknowledged change, and none for anything else.
        QSqlQuery query(store.database());
        QVERIFY(query.exec(QStringLiteral("SELECT COUNT(*) FROM case_audit WHERE changed_by LIKE 'client-%'")));
        QVERIFY(query.next());
        QCOMPARE(query.value(0).toInt(), outcome->acknowledged);
        if (restartServer)
            QVERIFY2(outcome->lost > 0, "no client noticed the server going away");
        QVERIFY2(outcome->conflicts > 0, "the mix never made two clients edit the same version");
    }

    void report(const char *title, int clients, int operations, const Outcome &outcome)
    {
        QString text = QStringLiteral("%1: %2 clients x %3 operations in %4 s, %5 operations/s; "
                                      "%6 conflicts reported, %7 lost-connection reports\n")
                           .arg(QLatin1String(title)).arg(clients).arg(operations)
                           .arg(outcome.seconds, 0, 'f', 1)
                           .arg(clients * operations / outcome.seconds, 0, 'f', 0)
                           .arg(outcome.conflicts).arg(outcome.lost);
        for (auto [op, micros] : outcome.latencies) {
            std::sort(micros.begin(), micros.end());
            const qint64 p95 = micros[qMin(micros.size() - 1, qsizetype(micros.size() * 0.95))];
            text += QStringLiteral("  %1: %2 times, p50 %3 ms, p95 %4 ms\n")
                        .arg(op, -6).arg(micros.size())
                        .arg(micros[micros.size() / 2] / 1000.0, 0, 'f', 1)
                        .arg(p95 / 1000.0, 0, 'f', 1);
        }
        qInfo().noquote() << text;
    }

    QString inSchema(const QString &schema)
    {
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("setup"));
            db.setConnectOptions(m_server);
            if (!db.open() || !QSqlQuery(db).exec(QStringLiteral("CREATE SCHEMA ") + schema))
                qFatal("cannot create the schema %s", qPrintable(schema));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("setup"));
        return m_server + QStringLiteral(" options='-c search_path=%1'").arg(schema);
    }

private slots:
    void initTestCase()
    {
        if (QDir(QStringLiteral("/usr/lib/postgresql")).isEmpty())
            QSKIP("the PostgreSQL server programs are not installed (Debian package postgresql)");
        m_serverDir = QStringLiteral("/tmp/telma-load-%1").arg(QCoreApplication::applicationPid());
        QVERIFY(script({QStringLiteral("start"), m_serverDir, QStringLiteral("telma_load")}));
        m_server = QStringLiteral("host=%1/sock dbname=telma_load user=postgres").arg(m_serverDir);
    }
    void cleanupTestCase()
    {
        if (!m_serverDir.isEmpty())
            script({QStringLiteral("stop"), m_serverDir});
    }

    void serverUnderLoad()
    {
        Outcome outcome;
        run(inSchema(QStringLiteral("quiet")), 8, 500, false, &outcome);
        report("PostgreSQL", 8, 500, outcome);
    }

    void serverRestartedMidRun()
    {
        Outcome outcome;
        run(inSchema(QStringLiteral("restarted")), 8, 500, true, &outcome);
        report("PostgreSQL, stopped and started mid-run", 8, 500, outcome);
    }

    // The same mix with the server 20 ms away (10 ms each way, as over a VPN): what each
    // action costs a clinician there, as median (p50) and p95.
    void serverAtTwentyMilliseconds()
    {
        RoundTripProxy proxy(m_serverDir + QStringLiteral("/sock/.s.PGSQL.5432"),
                             std::chrono::milliseconds(10));
        QVERIFY(proxy.isListening());
        Outcome outcome;
        run(proxy.through(inSchema(QStringLiteral("distant"))), 4, 100, false, &outcome);
        report("PostgreSQL at a 20 ms round trip", 4, 100, outcome);
    }

    void sqliteFileUnderLoad()
    {
        Outcome outcome;
        run(m_files.filePath(QStringLiteral("load/cases.sqlite")), 4, 500, false, &outcome);
        report("SQLite file", 4, 500, outcome);
    }
};

QTEST_GUILESS_MAIN(TestLoad)
#include "tst_load.moc"
