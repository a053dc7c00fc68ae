#include "mainwindow.h"
#include "fixture.h"
#include "modaldriver.h"

#include "dialog.h"
#include "dialog_alex.h"
#include "dialog_bod.h"

#include <QtTest>
#include <QCommandLinkButton>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

// The seven questionnaire buttons, driven through the real main window and the real modal
// dialogs.

namespace {

struct Launch {
    QString title;
    QString className;
    bool blank = false;
    bool askedAboutUnanswered = false;
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
        // An incomplete eating-behaviour form asks first; these launches accept it anyway.
        auto *eating = qobject_cast<Dialog *>(modal);
        if (ending == Ending::Ok && eating && !eating->unansweredItems().isEmpty()) {
            onNextModal([&seenLaunch](QWidget *question) {
                seenLaunch.askedAboutUnanswered = qobject_cast<QMessageBox *>(question);
                for (QAbstractButton *button : question->findChildren<QAbstractButton *>())
                    if (button->text() == QStringLiteral("Accept anyway"))
                        button->click();
                // An empty form offers no way to accept it: go back.
                if (question->isVisible())
                    question->close();
            });
        }
        if (ending != Ending::Ok)
            discardWhenAsked(modal);
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

// Presses a launcher button and has handle deal with the dialog it opens; false if none opened.
bool pressLauncher(MainWindow &w, const QString &button,
                   const std::function<void(QWidget *)> &handle)
{
    bool opened = false;
    onNextModal(handle, &opened);
    QTest::mouseClick(w.findChild<QPushButton *>(button), Qt::LeftButton);
    return opened;
}

} // namespace

Q_DECLARE_METATYPE(Ending)

class TestLaunchers : public QObject
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
    void launcherWritesScore_data();
    void launcherWritesScore();
    void launcherRejectedKeepsField_data();
    void launcherRejectedKeepsField();
};

void TestLaunchers::initTestCase()
{
    Q_INIT_RESOURCE(telma);
}

void TestLaunchers::acceptedScoreFillsField_data()
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
        << "Calculating the score on “External eating” scale..." << QList<int>()
        << "typed before";
    // The mean still divides by all ten items, after the question said so.
    QTest::newRow("restrained, five of ten often")
        << "pushButton_RES" << "lineEdit" << "Dialog"
        << "Calculating the score on “Restrained eating” scale..."
        << QList<int>{3, -1, 3, -1, 3, -1, 3, -1, 3, -1} << "2.00";
    QTest::newRow("personal standards, all strongly agree")
        << "pushButton_PS" << "lineEdit_4" << "Dialog_mps"
        << "Calculating the score on “Personal standards” scale..." << sameAnswer(7, 4) << "35.00";
    QTest::newRow("concern and doubts, all neutral")
        << "pushButton_MD" << "lineEdit_5" << "Dialog_mps"
        << "Calculating the score on “Concern over mistakes, doubts about actions” scale..."
        << sameAnswer(13, 2) << "39.00";
}

void TestLaunchers::acceptedScoreFillsField()
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
    // Only an eating-behaviour form with items unanswered asks before it is accepted.
    const int items = button == "pushButton_EM" ? 13 : 10;
    const int answered = int(answers.size() - answers.count(-1));
    QCOMPARE(l.askedAboutUnanswered, dialogClass == "Dialog" && answered < items);
    QCOMPARE(edit->text(), expected);
    // No other field is touched.
    for (QLineEdit *other : w.findChildren<QLineEdit *>())
        if (other != edit)
            QVERIFY2(other->text().isEmpty(), qPrintable(other->objectName()));
}

void TestLaunchers::rejectedDialogKeepsField_data()
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

void TestLaunchers::rejectedDialogKeepsField()
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

void TestLaunchers::everyLaunchStartsBlank_data()
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

void TestLaunchers::everyLaunchStartsBlank()
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

void TestLaunchers::launcherWritesScore_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("refusal"); // empty: the value is in range

    const QString bodMessage = "The 'Body image dissatisfaction' value out of range!";
    const QString alexMessage = "The 'Alexithymia' value out of range!";
    QTest::newRow("body image 30") << "pushButton_BOD" << 5
                                   << (sameAnswer(10, 1) << sameAnswer(10, 2)) << "30.00" << "";
    QTest::newRow("body image 0") << "pushButton_BOD" << 5 << sameAnswer(20, 0) << "0.00"
                                  << bodMessage;
    QTest::newRow("body image 60") << "pushButton_BOD" << 5 << sameAnswer(20, 3) << "60.00"
                                   << bodMessage;
    QTest::newRow("alexithymia 78") << "pushButton_ALEX" << 6 << sameAnswer(26, 2) << "78.00"
                                    << "";
    QTest::newRow("alexithymia 90") << "pushButton_ALEX" << 6 << sameAnswer(26, 4) << "90.00"
                                    << "";
    // Strongly agree only on statements 1, 5, 6, 9, 11, 12, 13, 15, 21 and 24.
    QList<int> lowest = sameAnswer(26, 0);
    for (int s : {1, 5, 6, 9, 11, 12, 13, 15, 21, 24})
        lowest[s - 1] = 4;
    QTest::newRow("alexithymia 26") << "pushButton_ALEX" << 6 << lowest << "26.00" << alexMessage;
}

void TestLaunchers::launcherWritesScore()
{
    QFETCH(QString, button);
    QFETCH(int, fieldIndex);
    QFETCH(QList<int>, answers);
    QFETCH(QString, text);
    QFETCH(QString, refusal);
    MainWindow w;
    w.show();
    enterTypicalPerson(w);

    bool questionnaire = false;
    const bool opened = pressLauncher(w, button, [&](QWidget *modal) {
        questionnaire = qobject_cast<Dialog_bod *>(modal) || qobject_cast<Dialog_alex *>(modal);
        if (questionnaire) {
            answerRows(modal, answers);
            clickStandardButton(modal, QDialogButtonBox::Ok);
        }
        // A failed step must not leave the test hanging in exec().
        if (modal->isVisible())
            modal->close();
    });
    QVERIFY(opened);
    QVERIFY(questionnaire);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(predictorField(w, fieldIndex)->text(), text);

    if (refusal.isEmpty())
        return;
    QString warning;
    bool warned = false;
    onNextModal([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            warning = box->text();
        modal->close();
    }, &warned);
    QTest::mouseClick(w.findChild<QCommandLinkButton *>("btnSimulation"), Qt::LeftButton);
    QVERIFY(warned);
    QCOMPARE(warning, refusal);
}

void TestLaunchers::launcherRejectedKeepsField_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("fieldIndex");
    QTest::addColumn<QString>("how");
    for (const char *how : {"escape", "close"}) {
        QTest::addRow("body image, %s", how) << "pushButton_BOD" << 5 << how;
        QTest::addRow("alexithymia, %s", how) << "pushButton_ALEX" << 6 << how;
    }
}

void TestLaunchers::launcherRejectedKeepsField()
{
    QFETCH(QString, button);
    QFETCH(int, fieldIndex);
    QFETCH(QString, how);
    MainWindow w;
    w.show();
    predictorField(w, fieldIndex)->setText("12.5 typed");

    const bool opened = pressLauncher(w, button, [&](QWidget *modal) {
        answerRows(modal, {1, 1, 1});
        leaveDialog(modal, how);
        if (modal->isVisible())
            static_cast<QDialog *>(modal)->accept();
    });
    QVERIFY(opened);
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(predictorField(w, fieldIndex)->text(), QStringLiteral("12.5 typed"));
}

QTEST_MAIN(TestLaunchers)
#include "tst_launchers.moc"
