// "Database…" in the case book as a clinician uses it: from the case book on this computer
// to the clinic server and back, the choice kept for the next start.
#include "postgresfixture.h"

#include "databasesettings.h"
#include "mainwindow.h"

#include <QApplication>
#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>

#include <functional>

class TestCaseBookServer : public QObject
{
    Q_OBJECT

    // Runs action on the first modal window that fits, from inside its exec() loop; gives up
    // after about five seconds so that a missing window fails instead of hanging.
    static void onModal(const std::function<bool(QWidget *)> &fits,
                        const std::function<void(QWidget *)> &action, bool *done, int attempt = 0)
    {
        QTimer::singleShot(10, [=] {
            QWidget *modal = QApplication::activeModalWidget();
            if (modal && modal->isVisible() && fits(modal)) {
                *done = true;
                action(modal);
            } else if (attempt < 500) {
                onModal(fits, action, done, attempt + 1);
            }
        });
    }
    static bool isCaseBookOn(QWidget *modal, const QString &where)
    {
        if (modal->objectName() != QLatin1String("caseBook"))
            return false;
        for (const QLabel *label : modal->findChildren<QLabel *>())
            if (label->text().startsWith(QLatin1String("Case book: ")) && label->text().contains(where))
                return true;
        return false;
    }

private slots:
    void initTestCase()
    {
        if (!PostgresScratch::available())
            QSKIP("TELMA_TEST_POSTGRES is not set: run through ctest, which starts the server");
        QStandardPaths::setTestModeEnabled(true);
        QCoreApplication::setOrganizationName(QStringLiteral("telma-tests"));
        QCoreApplication::setApplicationName(QStringLiteral("tst_casebookserver"));
        qunsetenv("TELMA_DATABASE");
        DatabaseSettings().save();
    }
    void cleanupTestCase() { DatabaseSettings().save(); }

    void switchesToTheServerAndBack()
    {
        PostgresScratch scratch;
        MainWindow w;
        w.show();
        bool chose = false, filled = false, onServer = false, backHome = false;
        // The case book on this computer: "Database…", "Clinic server", the server's fields, OK.
        onModal([](QWidget *m) { return isCaseBookOn(m, "cases.sqlite"); },
                [&](QWidget *caseBook) {
                    chose = true;
                    onModal([](QWidget *m) { return m->objectName() == "databaseDialog"; },
                            [&](QWidget *dialog) {
                                dialog->findChild<QRadioButton *>("clinicServerButton")->click();
                                dialog->findChild<QLineEdit *>("hostEdit")->setText(scratch.socketFolder());
                                dialog->findChild<QLineEdit *>("databaseEdit")->setText(scratch.name());
                                dialog->findChild<QLineEdit *>("userEdit")->setText("postgres");
                                // The case book opens again, on the server.
                                onModal([](QWidget *m) { return isCaseBookOn(m, "clinic server"); },
                                        [&](QWidget *serverBook) {
                                            onServer = true;
                                            serverBook->close();
                                        },
                                        &onServer);
                                QMetaObject::invokeMethod(dialog, "accept");
                            },
                            &filled);
                    caseBook->findChild<QPushButton *>("databaseButton")->click();
                },
                &chose);
        w.findChild<QCommandLinkButton *>("casesButton")->click();
        QVERIFY(chose);
        QVERIFY(filled);
        QVERIFY(onServer);

        // Kept for the next start; and the server's case book now holds the schema.
        DatabaseSettings kept;
        kept.load();
        QVERIFY(kept.useServer());
        QVERIFY(scratch.exec("SELECT version FROM telma_schema"));

        // And back: "This computer" opens the file again.
        onModal([](QWidget *m) { return isCaseBookOn(m, "clinic server"); },
                [&](QWidget *caseBook) {
                    onModal([](QWidget *m) { return m->objectName() == "databaseDialog"; },
                            [&](QWidget *dialog) {
                                dialog->findChild<QRadioButton *>("thisComputerButton")->click();
                                onModal([](QWidget *m) { return isCaseBookOn(m, "cases.sqlite"); },
                                        [&](QWidget *local) {
                                            backHome = true;
                                            local->close();
                                        },
                                        &backHome);
                                QMetaObject::invokeMethod(dialog, "accept");
                            },
                            &filled);
                    caseBook->findChild<QPushButton *>("databaseButton")->click();
                },
                &chose);
        w.findChild<QCommandLinkButton *>("casesButton")->click();
        QVERIFY(backHome);
        kept.load();
        QVERIFY(!kept.useServer());
    }
};

QTEST_MAIN(TestCaseBookServer)
#include "tst_casebookserver.moc"
