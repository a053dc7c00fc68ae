#include "postgresfixture.h"

#include "databasedialog.h"
#include "databasesettings.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTest>

// The "Database…" dialog as a user drives it: the choice is kept for the next start, and
// "Test connection" says plainly what the real server answered.
class TestDatabaseDialog : public QObject
{
    Q_OBJECT

    template<typename T>
    static T *child(const QDialog &dialog, const char *name)
    {
        T *widget = dialog.findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no %s in the dialog", name);
        return widget;
    }

    static void type(QLineEdit *edit, const QString &text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }

private slots:
    void initTestCase()
    {
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("telma-tests"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_databasedialog"));
        qunsetenv("TELMA_DATABASE");
    }

    void init() { DatabaseSettings().save(); }

    void choiceIsKeptOnlyOnOk_data()
    {
        QTest::addColumn<bool>("ok");
        QTest::newRow("ok keeps it") << true;
        QTest::newRow("cancel forgets it") << false;
    }
    void choiceIsKeptOnlyOnOk()
    {
        QFETCH(bool, ok);
        {
            DatabaseDialog dialog("/home/anna/cases.sqlite");
            QVERIFY(child<QRadioButton>(dialog, "thisComputerButton")->isChecked());
            QTest::mouseClick(child<QRadioButton>(dialog, "clinicServerButton"), Qt::LeftButton);
            type(child<QLineEdit>(dialog, "hostEdit"), "db.clinic.example");
            child<QSpinBox>(dialog, "portSpinBox")->setValue(6432);
            type(child<QLineEdit>(dialog, "databaseEdit"), "telma");
            type(child<QLineEdit>(dialog, "userEdit"), "anna");
            QCOMPARE(dialog.chosenLocation().connectionString(),
                     QString("host=db.clinic.example port=6432 dbname=telma user=anna"));
            ok ? dialog.accept() : dialog.reject();
        }
        DatabaseSettings kept;
        kept.load();
        QCOMPARE(kept.useServer(), ok);
        QCOMPARE(kept.host, ok ? QString("db.clinic.example") : QString());

        // Opened again, the dialog shows what was kept.
        DatabaseDialog again("/home/anna/cases.sqlite");
        QCOMPARE(child<QRadioButton>(again, "clinicServerButton")->isChecked(), ok);
        QCOMPARE(child<QLineEdit>(again, "hostEdit")->text(), kept.host);
        QCOMPARE(child<QSpinBox>(again, "portSpinBox")->value(), ok ? 6432 : 5432);
    }

    void serviceReplacesHostFields()
    {
        DatabaseDialog dialog("/tmp/cases.sqlite");
        QTest::mouseClick(child<QRadioButton>(dialog, "clinicServerButton"), Qt::LeftButton);
        QVERIFY(child<QLineEdit>(dialog, "hostEdit")->isEnabled());
        type(child<QLineEdit>(dialog, "serviceEdit"), "clinic");
        QVERIFY(!child<QLineEdit>(dialog, "hostEdit")->isEnabled());
        QCOMPARE(dialog.chosenLocation().connectionString(), QString("service=clinic"));
    }

    void testConnection_data()
    {
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("user");
        QTest::addColumn<QString>("saying");
        QTest::newRow("connects") << "" << "postgres" << "Connected to the database";
        QTest::newRow("database missing") << "no_such_casebook" << "postgres" << "does not exist";
        QTest::newRow("unknown user") << "" << "nobody_here" << "no user \"nobody_here\"";
    }
    void testConnection()
    {
        if (!PostgresScratch::available())
            QSKIP("TELMA_TEST_POSTGRES is not set: run through ctest, which starts the server");
        QFETCH(QString, database);
        QFETCH(QString, user);
        QFETCH(QString, saying);
        PostgresScratch scratch;
        DatabaseDialog dialog("/tmp/cases.sqlite");
        QTest::mouseClick(child<QRadioButton>(dialog, "clinicServerButton"), Qt::LeftButton);
        type(child<QLineEdit>(dialog, "hostEdit"), scratch.socketFolder());
        type(child<QLineEdit>(dialog, "databaseEdit"), database.isEmpty() ? scratch.name() : database);
        type(child<QLineEdit>(dialog, "userEdit"), user);
        QTest::mouseClick(child<QPushButton>(dialog, "testConnectionButton"), Qt::LeftButton);
        const QString said = child<QLabel>(dialog, "testResultLabel")->text();
        QVERIFY2(said.contains(saying), qPrintable(said));
    }

    void environmentOverrideIsShown()
    {
        qputenv("TELMA_DATABASE", "host=db.clinic dbname=telma password=hidden");
        DatabaseDialog dialog("/tmp/cases.sqlite");
        qunsetenv("TELMA_DATABASE");
        const QString notice = child<QLabel>(dialog, "environmentNotice")->text();
        QVERIFY(notice.contains("host=db.clinic"));
        QVERIFY(!notice.contains("hidden"));
    }
};

QTEST_MAIN(TestDatabaseDialog)
#include "tst_databasedialog.moc"
