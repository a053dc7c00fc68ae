#include "connectioninfo.h"
#include "databaselocation.h"
#include "databasesettings.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTest>

// Telling a server connection from a file path, libpq's quoting, and the settings that
// become a connection string. No server needed.
class TestConnectionInfo : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("telma-tests"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_connectioninfo"));
    }

    void location_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("kind");
        using K = DatabaseLocation::Kind;
        QTest::newRow("absolute path") << "/home/anna/cases.sqlite" << int(K::File);
        QTest::newRow("relative path") << "cases.sqlite" << int(K::File);
        QTest::newRow("path with = inside") << "./old=new/cases.sqlite" << int(K::File);
        QTest::newRow("path with spaces") << "/home/anna/my cases.sqlite" << int(K::File);
        QTest::newRow("host dbname user") << "host=db.clinic dbname=telma user=anna" << int(K::Server);
        QTest::newRow("service") << "service=clinic" << int(K::Server);
        QTest::newRow("spaces around =") << "  host = db dbname = telma" << int(K::Server);
        QTest::newRow("quoted value") << "dbname='case book' sslmode=verify-full" << int(K::Server);
        QTest::newRow("uri is refused, not a file") << "postgresql://anna@db/telma" << int(K::Invalid);
        QTest::newRow("uri upper case") << "POSTGRES://db/telma" << int(K::Invalid);
        QTest::newRow("unclosed quote") << "dbname='telma" << int(K::Invalid);
        QTest::newRow("keyword without =") << "host=db dbname" << int(K::Invalid);
        QTest::newRow("semicolon the driver would mangle") << "host=db application_name=a;b" << int(K::Invalid);
        QTest::newRow("empty") << "" << int(K::Invalid);
        QTest::newRow("blank") << "   " << int(K::Invalid);
    }
    void location()
    {
        QFETCH(QString, text);
        QFETCH(int, kind);
        const DatabaseLocation location = DatabaseLocation::fromText(text);
        QCOMPARE(int(location.kind()), kind);
        if (location.kind() == DatabaseLocation::Kind::Invalid)
            QVERIFY(!location.problem().isEmpty());
        if (location.kind() == DatabaseLocation::Kind::File)
            QCOMPARE(location.filePath(), text);
        if (location.kind() == DatabaseLocation::Kind::Server)
            QCOMPARE(location.connectionString(), text);
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("value");
        QTest::newRow("plain") << "host=db dbname=telma" << "dbname" << "telma";
        QTest::newRow("quoted with space") << "dbname='case book'" << "dbname" << "case book";
        QTest::newRow("escaped quote") << R"(user='o\'brien')" << "user" << "o'brien";
        QTest::newRow("escaped backslash") << R"(passfile='C:\\pg\\pass')" << "passfile" << R"(C:\pg\pass)";
        QTest::newRow("unquoted escape") << R"(dbname=a\ b)" << "dbname" << "a b";
        QTest::newRow("empty quoted") << "host='' dbname=x" << "host" << "";
        QTest::newRow("later wins") << "user=a user=b" << "user" << "b";
        QTest::newRow("spaces around =") << "port = 5433" << "port" << "5433";
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(QString, keyword);
        QFETCH(QString, value);
        ConnectionInfo info;
        QVERIFY(info.parse(text));
        QCOMPARE(info.value(keyword), value);
        // Written out and read again, every value is the same.
        ConnectionInfo again;
        QVERIFY(again.parse(info.toString()));
        QCOMPARE(again.value(keyword), value);
    }

    void displayHidesPassword()
    {
        ConnectionInfo info;
        QVERIFY(info.parse("host=db password='s3cret word' user=anna"));
        QVERIFY(!info.toDisplayString().contains("s3cret"));
        QVERIFY(info.toDisplayString().contains("user=anna"));
        QVERIFY(!DatabaseLocation::fromText(info.toString()).description().contains("s3cret"));
    }

    void settingsConnectionString_data()
    {
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("service");
        QTest::addColumn<QString>("expected");
        QTest::newRow("fields") << "db.clinic" << 5432 << "telma" << "anna" << ""
                                << "host=db.clinic dbname=telma user=anna";
        QTest::newRow("other port") << "db" << 6543 << "telma" << "" << "" << "host=db port=6543 dbname=telma";
        QTest::newRow("service wins over fields") << "db" << 6543 << "telma" << "anna" << "clinic"
                                                  << "service=clinic user=anna";
        QTest::newRow("quoted database") << " db " << 5432 << "case book" << "o'brien" << ""
                                         << R"(host=db dbname='case book' user='o\'brien')";
    }
    void settingsConnectionString()
    {
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, service);
        QFETCH(QString, expected);
        DatabaseSettings settings;
        settings.host = host;
        settings.port = port;
        settings.database = database;
        settings.user = user;
        settings.service = service;
        QCOMPARE(settings.connectionString(), expected);
        QCOMPARE(int(DatabaseLocation::fromText(expected).kind()), int(DatabaseLocation::Kind::Server));
    }

    void currentLocationOrder()
    {
        qunsetenv("TELMA_DATABASE");
        DatabaseSettings settings;
        settings.save();
        QCOMPARE(DatabaseLocation::current("/tmp/default.sqlite").filePath(), QString("/tmp/default.sqlite"));

        settings.setUseServer(true);
        settings.host = "db.clinic";
        settings.database = "telma";
        settings.save();
        DatabaseSettings loaded;
        loaded.load();
        QVERIFY(loaded.useServer());
        QCOMPARE(loaded.connectionString(), settings.connectionString());
        QCOMPARE(DatabaseLocation::current("/tmp/default.sqlite").connectionString(),
                 QString("host=db.clinic dbname=telma"));

        // The environment overrides the setting, for one run.
        qputenv("TELMA_DATABASE", "/tmp/elsewhere.sqlite");
        QCOMPARE(DatabaseLocation::current("/tmp/default.sqlite").filePath(), QString("/tmp/elsewhere.sqlite"));
        qunsetenv("TELMA_DATABASE");
        settings.setUseServer(false);
        settings.save();
    }
};

QTEST_GUILESS_MAIN(TestConnectionInfo)
#include "tst_connectioninfo.moc"
