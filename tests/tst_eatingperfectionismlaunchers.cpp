#include "mainwindow.h"
#include "answerclicks.h"
#include "modaldriver.h"

#include <QtTest>
#include <QLineEdit>
#include <QPushButton>

// The five questionnaire buttons for eating behaviour and perfectionism, driven through the
// real main window and the real modal dialogs.

namespace {

struct Launch {
    QString title;
    QString className;
    bool blank = false;
};

enum class Ending { Ok, Cancel, Close, Escape, WindowClose };

// Presses button, and from inside the dialog's exec() answers it and ends it.
Launch launch(MainWindow &w, const QString &button, const QList<int> &answers, Ending ending,
              bool *seen)
{
    Launch seenLaunch;
    onNextModal([&](QWidget *modal) {
        seenLaunch.title = modal->windowTitle();
        seenLaunch.className = modal->metaObject()->className();
        seenLaunch.blank = tickedOptions(modal, 13) == QList<int>(13, -1);
        answerRows(modal, answers);
        switch (ending) {
        case Ending::Ok: clickStandardButton(modal, QDialogButtonBox::Ok); break;
        case Ending::Cancel: clickStandardButton(modal, QDialogButtonBox::Cancel); break;
        case Ending::Close: clickStandardButton(modal, QDialogButtonBox::Close); break;
        case Ending::Escape: QTest::keyClick(modal, Qt::Key_Escape); break;
        case Ending::WindowClose: modal->close(); break;
        }
        // Whatever the ending, the dialog must be gone; otherwise do not hang the test.
        if (modal->isVisible())
            modal->close();
    }, seen);
    QTest::mouseClick(w.findChild<QPushButton *>(button), Qt::LeftButton);
    return seenLaunch;
}

} // namespace

Q_DECLARE_METATYPE(Ending)

class TestEatingPerfectionismLaunchers : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void acceptedScoreFillsField_data();
    void acceptedScoreFillsField();
    void rejectedDialogKeepsField_data();
    void rejectedDialogKeepsField();
    void everyLaunchStartsBlank_data();
    void everyLaunchStartsBlank();
};

void TestEatingPerfectionismLaunchers::initTestCase()
{
    Q_INIT_RESOURCE(telma);
}

void TestEatingPerfectionismLaunchers::acceptedScoreFillsField_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("dialogClass");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("expected");

    QTest::newRow("restrained, all very often")
        << "pushButton_RES" << "lineEdit" << "Dialog"
        << "Calculating the score on “Restrained eating” scale..." << sameAnswer(10, 4) << "5.00";
    QList<int> sum64 = sameAnswer(13, 4);
    sum64[0] = 3;
    QTest::newRow("emotional, sum 64")
        << "pushButton_EM" << "lineEdit_2" << "Dialog"
        << "Calculating the score on “Emotional eating” scale..." << sum64 << "4.92";
    QList<int> sum40 = sameAnswer(13, 2);
    sum40[12] = 3;
    QTest::newRow("emotional, sum 40")
        << "pushButton_EM" << "lineEdit_2" << "Dialog"
        << "Calculating the score on “Emotional eating” scale..." << sum40 << "3.08";
    QTest::newRow("external, three often")
        << "pushButton_EXT" << "lineEdit_3" << "Dialog"
        << "Calculating the score on “External eating” scale..."
        << QList<int>{3, -1, -1, -1, 3, -1, -1, 3} << "1.20";
    QTest::newRow("external, nothing ticked")
        << "pushButton_EXT" << "lineEdit_3" << "Dialog"
        << "Calculating the score on “External eating” scale..." << QList<int>() << "0.00";
    QTest::newRow("personal standards, all strongly agree")
        << "pushButton_PS" << "lineEdit_4" << "Dialog_mps"
        << "Calculating the score on “Personal standards” scale..." << sameAnswer(7, 4) << "35.00";
    QTest::newRow("concern and doubts, all neutral")
        << "pushButton_MD" << "lineEdit_5" << "Dialog_mps"
        << "Calculating the score on “Concern over mistakes, doubts about actions” scale..."
        << sameAnswer(13, 2) << "39.00";
}

void TestEatingPerfectionismLaunchers::acceptedScoreFillsField()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QString, dialogClass);
    QFETCH(QString, title);
    QFETCH(QList<int>, answers);
    QFETCH(QString, expected);
    MainWindow w;
    w.show();
    QLineEdit *edit = w.findChild<QLineEdit *>(field);
    edit->setText("typed before");

    bool seen = false;
    const Launch l = launch(w, button, answers, Ending::Ok, &seen);
    QVERIFY(seen);
    QCOMPARE(l.className, dialogClass);
    QCOMPARE(l.title, title);
    QVERIFY(l.blank);
    QCOMPARE(edit->text(), expected);
    // No other field is touched.
    for (QLineEdit *other : w.findChildren<QLineEdit *>())
        if (other != edit)
            QVERIFY2(other->text().isEmpty(), qPrintable(other->objectName()));
}

void TestEatingPerfectionismLaunchers::rejectedDialogKeepsField_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<Ending>("ending");
    QTest::newRow("restrained, cancel") << "pushButton_RES" << "lineEdit" << sameAnswer(10, 2)
                                        << Ending::Cancel;
    QTest::newRow("emotional, escape") << "pushButton_EM" << "lineEdit_2" << sameAnswer(13, 2)
                                       << Ending::Escape;
    QTest::newRow("external, window closed") << "pushButton_EXT" << "lineEdit_3"
                                             << sameAnswer(3, 1) << Ending::WindowClose;
    QTest::newRow("personal standards, close button") << "pushButton_PS" << "lineEdit_4"
                                                      << sameAnswer(6, 4) << Ending::Close;
    QTest::newRow("personal standards, complete, escape") << "pushButton_PS" << "lineEdit_4"
                                                          << sameAnswer(7, 4) << Ending::Escape;
    QTest::newRow("concern and doubts, window closed") << "pushButton_MD" << "lineEdit_5"
                                                       << sameAnswer(13, 0) << Ending::WindowClose;
}

void TestEatingPerfectionismLaunchers::rejectedDialogKeepsField()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(QList<int>, answers);
    QFETCH(Ending, ending);
    MainWindow w;
    w.show();
    QLineEdit *edit = w.findChild<QLineEdit *>(field);
    edit->setText("2.5 typed");

    bool seen = false;
    launch(w, button, answers, ending, &seen);
    QVERIFY(seen);
    QCOMPARE(edit->text(), QStringLiteral("2.5 typed"));
}

void TestEatingPerfectionismLaunchers::everyLaunchStartsBlank_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QString>("expected");
    QTest::newRow("restrained") << "pushButton_RES" << "lineEdit" << 10 << "1.00";
    QTest::newRow("emotional") << "pushButton_EM" << "lineEdit_2" << 13 << "1.00";
    QTest::newRow("external") << "pushButton_EXT" << "lineEdit_3" << 10 << "1.00";
    QTest::newRow("personal standards") << "pushButton_PS" << "lineEdit_4" << 7 << "7.00";
    QTest::newRow("concern and doubts") << "pushButton_MD" << "lineEdit_5" << 13 << "13.00";
}

void TestEatingPerfectionismLaunchers::everyLaunchStartsBlank()
{
    QFETCH(QString, button);
    QFETCH(QString, field);
    QFETCH(int, rows);
    QFETCH(QString, expected);
    MainWindow w;
    w.show();
    for (int i = 0; i < 2; ++i) {
        bool seen = false;
        const Launch l = launch(w, button, sameAnswer(rows, 0), Ending::Ok, &seen);
        QVERIFY(seen);
        QVERIFY2(l.blank, qPrintable(QStringLiteral("launch %1").arg(i + 1)));
        QCOMPARE(w.findChild<QLineEdit *>(field)->text(), expected);
    }
}

QTEST_MAIN(TestEatingPerfectionismLaunchers)
#include "tst_eatingperfectionismlaunchers.moc"
