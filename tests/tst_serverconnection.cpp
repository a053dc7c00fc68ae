#include "postgresfixture.h"

#include "connectionfailure.h"
#include "passwordkeeper.h"
#include "serverconnection.h"

#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

// Opening the clinic server through a libpq connection string, against the real throw-away
// server: each way it can fail is told in plain words, a typed password is asked for once and
// kept in memory, and a connection lost in the middle is recognised and opened again.
class TestServerConnection : public QObject
{
    Q_OBJECT

    const QString suffix = QString::number(QCoreApplication::applicationPid());
    QString role(const QString &base) const { return base + QLatin1Char('_') + suffix; }
    PostgresScratch *scratch = nullptr;
    QTemporaryDir home;

    QString connectionTo(const QString &user, const QString &extra = QString()) const
    {
        return QStringLiteral("host=%1 dbname=%2 user=%3 %4")
            .arg(scratch->socketFolder(), scratch->name(), user, extra)
            .trimmed();
    }

private slots:
    void initTestCase()
    {
        if (!PostgresScratch::available())
            QSKIP("TELMA_TEST_POSTGRES is not set: run through ctest, which starts the server");
        // No password or service file of the person running the tests may take part.
        qputenv("PGPASSFILE", QFile::encodeName(home.filePath("no-pgpass")));
        qputenv("PGSERVICEFILE", QFile::encodeName(home.filePath("no-service-file")));
        scratch = new PostgresScratch;
        QVERIFY(scratch->exec(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'secret' IN ROLE password_required")
                                  .arg(role("pw"))));
        QVERIFY(scratch->exec(QStringLiteral("CREATE ROLE %1 LOGIN").arg(role("noconnect"))));
        QVERIFY(scratch->exec(QStringLiteral("CREATE ROLE %1 NOLOGIN").arg(role("nologin"))));
        QVERIFY(scratch->exec(QStringLiteral("REVOKE CONNECT ON DATABASE %1 FROM PUBLIC").arg(scratch->name())));
        QVERIFY(scratch->exec(QStringLiteral("GRANT CONNECT ON DATABASE %1 TO %2").arg(scratch->name(), role("pw"))));
        QVERIFY(scratch->exec(QStringLiteral("CREATE TABLE private_notes (note text)")));
    }

    void cleanupTestCase()
    {
        if (!scratch)
            return;
        delete scratch;
        for (const char *base : {"pw", "noconnect", "nologin"})
            PostgresScratch::adminExec(QStringLiteral("DROP ROLE IF EXISTS %1").arg(role(base)));
    }

    void cleanup()
    {
        PasswordKeeper::instance().setAsker({});
        QSqlDatabase::removeDatabase("t");
    }

    void failures_data()
    {
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("extra");
        QTest::addColumn<int>("passwordFileMode"); // -1: no password file
        QTest::addColumn<QString>("typed");        // what the user types when asked; null: nobody asks
        QTest::addColumn<int>("reason");
        QTest::addColumn<QString>("saying");
        using R = ConnectionFailure::Reason;
        QTest::newRow("trusted user connects") << "postgres" << "" << -1 << QString() << int(R::None) << "";
        QTest::newRow("server not reachable")
            << "postgres" << "host=/nonexistent/telma-socket" << -1 << QString() << int(R::ServerUnreachable)
            << "cannot be reached";
        QTest::newRow("database missing") << "postgres" << "dbname=no_such_casebook" << -1 << QString()
                                          << int(R::DatabaseMissing) << "\"no_such_casebook\" does not exist";
        QTest::newRow("unknown user") << "nobody_here" << "" << -1 << QString() << int(R::UnknownUser)
                                      << "no user \"nobody_here\"";
        QTest::newRow("password needed, nobody to ask")
            << "pw" << "" << -1 << QString() << int(R::PasswordNeeded) << "asks for a password";
        QTest::newRow("password typed") << "pw" << "" << -1 << "secret" << int(R::None) << "";
        QTest::newRow("wrong password typed")
            << "pw" << "" << -1 << "guess" << int(R::WrongPassword) << "refused the password";
        QTest::newRow("password file private") << "pw" << "" << 0600 << QString() << int(R::None) << "";
        QTest::newRow("password file readable by others")
            << "pw" << "" << 0644 << QString() << int(R::PasswordFileIgnored) << "chmod 600";
        QTest::newRow("password file readable by group")
            << "pw" << "" << 0640 << QString() << int(R::PasswordFileIgnored) << "other users can read it";
        QTest::newRow("no connect privilege")
            << "noconnect" << "" << -1 << QString() << int(R::NoPrivileges) << "no permission";
        QTest::newRow("role may not log in")
            << "nologin" << "" << -1 << QString() << int(R::NoPrivileges) << "no permission";
        QTest::newRow("unknown service") << "postgres" << "service=no_such_service" << -1 << QString()
                                         << int(R::ServiceUnknown) << "\"no_such_service\" is not defined";
    }
    void failures()
    {
        QFETCH(QString, user);
        QFETCH(QString, extra);
        QFETCH(int, passwordFileMode);
        QFETCH(QString, typed);
        QFETCH(int, reason);
        QFETCH(QString, saying);
        const QString login = user == "pw" || user == "noconnect" || user == "nologin" ? role(user) : user;
        const QString connection = connectionTo(login, extra);

        if (passwordFileMode >= 0) {
            QFile file(home.filePath("pgpass"));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(QStringLiteral("*:*:*:%1:secret\n").arg(login).toUtf8());
            file.close();
            QVERIFY(file.setPermissions(QFile::Permissions(QFileDevice::Permission(0))
                                        | QFile::ReadOwner | QFile::WriteOwner
                                        | ((passwordFileMode & 040) ? QFile::ReadGroup : QFile::Permissions())
                                        | ((passwordFileMode & 004) ? QFile::ReadOther : QFile::Permissions())));
            qputenv("PGPASSFILE", QFile::encodeName(file.fileName()));
        } else {
            qputenv("PGPASSFILE", QFile::encodeName(home.filePath("no-pgpass")));
        }
        if (!typed.isNull())
            PasswordKeeper::instance().setAsker([typed](const QString &) { return std::optional<QString>(typed); });

        const ConnectionFailure failure = ServerConnection::open("t", connection);
        QCOMPARE(int(failure.reason()), reason);
        QVERIFY2(failure.message().contains(saying), qPrintable(failure.message()));
        QCOMPARE(QSqlDatabase::database("t", false).isOpen(), !failure.isFailure());
        // Only a password that worked is kept.
        QCOMPARE(PasswordKeeper::instance().password(connection).isEmpty(), typed.isEmpty() || failure.isFailure());
        PasswordKeeper::instance().forget(connection);
    }

    void passwordAskedOncePerRun()
    {
        const QString connection = connectionTo(role("pw"));
        qputenv("PGPASSFILE", QFile::encodeName(home.filePath("no-pgpass")));
        QStringList answers = {"guess", "secret", "never asked"};
        int asked = 0;
        PasswordKeeper::instance().setAsker([&](const QString &) {
            ++asked;
            return std::optional<QString>(answers.takeFirst());
        });
        // A wrong password is not kept: the next attempt asks again.
        QCOMPARE(int(ServerConnection::open("t", connection).reason()), int(ConnectionFailure::Reason::WrongPassword));
        QCOMPARE(asked, 1);
        QVERIFY(!ServerConnection::open("t", connection).isFailure());
        QCOMPARE(asked, 2);
        // From then on this run connects without asking.
        for (int i = 0; i < 3; ++i) {
            QSqlDatabase::database("t", false).close();
            QVERIFY(!ServerConnection::reopen("t").isFailure());
        }
        QVERIFY(!ServerConnection::open("t", connection).isFailure());
        QCOMPARE(asked, 2);
        PasswordKeeper::instance().forget(connection);
    }

    void userCancelsThePasswordQuestion()
    {
        PasswordKeeper::instance().setAsker([](const QString &) { return std::optional<QString>(); });
        const ConnectionFailure failure = ServerConnection::open("t", connectionTo(role("pw")));
        QCOMPARE(int(failure.reason()), int(ConnectionFailure::Reason::PasswordNeeded));
    }

    void statementWithoutPrivilege()
    {
        PasswordKeeper::instance().setAsker([](const QString &) { return std::optional<QString>("secret"); });
        const QString connection = connectionTo(role("pw"));
        QVERIFY(!ServerConnection::open("t", connection).isFailure());
        QSqlDatabase db = QSqlDatabase::database("t", false);
        QSqlQuery query(db);
        QVERIFY(!query.exec("SELECT note FROM private_notes"));
        const ConnectionFailure failure = ConnectionFailure::fromStatement(query.lastError(), db.isOpen());
        QCOMPARE(int(failure.reason()), int(ConnectionFailure::Reason::NoPrivileges));
        QVERIFY(!failure.isTransient());
        PasswordKeeper::instance().forget(connection);
    }

    void connectionLostInTheMiddle()
    {
        QVERIFY(!ServerConnection::open("t", connectionTo("postgres", "application_name=lost_in_the_middle")).isFailure());
        QSqlDatabase db = QSqlDatabase::database("t", false);
        QSqlQuery query(db);
        QVERIFY(query.exec("SELECT 1"));
        // The server ends this connection, as it does when it is shut down or restarted.
        QVERIFY(scratch->exec("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                              "WHERE application_name = 'lost_in_the_middle'"));
        QVERIFY(!query.exec("SELECT 1"));
        const ConnectionFailure failure = ConnectionFailure::fromStatement(query.lastError(), db.isOpen());
        QCOMPARE(int(failure.reason()), int(ConnectionFailure::Reason::ConnectionLost));
        QVERIFY(failure.isTransient());
        QVERIFY(failure.message().contains("Nothing you entered is lost"));
        // Retrying opens the same connection again.
        QVERIFY(!ServerConnection::reopen("t").isFailure());
        QVERIFY(query.exec("SELECT 1"));
    }
};

QTEST_GUILESS_MAIN(TestServerConnection)
#include "tst_serverconnection.moc"
