#include "mainwindow.h"
#include "modaldriver.h"

#include <QtTest>
#include <QAbstractButton>
#include <QLineEdit>

// Passes per dialog. Many pay off where the leak checker watches them; a plain build sees all
// it can (a crash, a dialog left behind) in a few.
static constexpr int cycles = TELMA_SANITIZED ? 200 : 20;

// Opens and closes every dialog of the program many times through the main window's own
// buttons. Run in the sanitizer build, the leak checker then sees every construction and
// destruction path of the dialogs, their forms and the chart.
class TestLifetime : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyDialogOpensAndClosesRepeatedly_data();
    void everyDialogOpensAndClosesRepeatedly();

};

void TestLifetime::initTestCase()
{
    Q_INIT_RESOURCE(telma);
}

static void fillFields(MainWindow &window, const QStringList &texts)
{
    const char *names[] = {"lineEdit",   "lineEdit_2", "lineEdit_3", "lineEdit_4",
                           "lineEdit_5", "lineEdit_6", "lineEdit_7", "lineEdit_8"};
    for (int i = 0; i < 8; ++i)
        window.findChild<QLineEdit *>(names[i])->setText(texts.value(i));
}

void TestLifetime::everyDialogOpensAndClosesRepeatedly_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("dialogClass");
    QTest::addColumn<QStringList>("fields");
    const QStringList valid = {"3", "3", "3", "21", "39", "28", "70", "35"};
    for (const char *b : {"pushButton_RES", "pushButton_EM", "pushButton_EXT"})
        QTest::newRow(b) << b << "Dialog" << QStringList();
    for (const char *b : {"pushButton_PS", "pushButton_MD"})
        QTest::newRow(b) << b << "Dialog_mps" << QStringList();
    QTest::newRow("pushButton_BOD") << "pushButton_BOD" << "Dialog_bod" << QStringList();
    QTest::newRow("pushButton_ALEX") << "pushButton_ALEX" << "Dialog_alex" << QStringList();
    QTest::newRow("warning") << "btnSimulation" << "QMessageBox" << QStringList();
    QTest::newRow("result") << "btnSimulation" << "graph" << valid;
}

void TestLifetime::everyDialogOpensAndClosesRepeatedly()
{
    QFETCH(QString, button);
    QFETCH(QString, dialogClass);
    QFETCH(QStringList, fields);

    MainWindow window;
    window.show();
    fillFields(window, fields);
    auto *launcher = window.findChild<QAbstractButton *>(button);
    QVERIFY(launcher);
    const int topLevels = QApplication::topLevelWidgets().size();

    for (int i = 0; i < cycles; ++i) {
        QString opened;
        bool seen = false;
        onNextModal([&opened](QWidget *modal) {
            opened = QString::fromLatin1(modal->metaObject()->className());
            modal->close();
        }, &seen);
        launcher->click();
        QVERIFY2(seen, qPrintable(QStringLiteral("pass %1 opened nothing").arg(i)));
        QCOMPARE(opened, dialogClass);
        // The dialog is gone once its launcher returns.
        QCOMPARE(QApplication::topLevelWidgets().size(), topLevels);
    }
    QCOMPARE(window.findChild<QLineEdit *>("lineEdit_8")->text(), fields.value(7));
}

QTEST_MAIN(TestLifetime)
#include "tst_lifetime.moc"
