#include "dialog.h"
#include "dialog_alex.h"
#include "dialog_bod.h"
#include "dialog_mps.h"
#include "mainwindow.h"

#include <QtTest>
#include <QAccessible>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>

#include <functional>
#include <memory>

namespace {

QString accessibleName(QWidget *widget)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
    return iface ? iface->text(QAccessible::Name) : QString();
}

bool showActive(QWidget *window)
{
    window->show();
    QApplication::setActiveWindow(window);
    return QTest::qWaitForWindowActive(window);
}

// Presses Tab until the focus reaches the widget; false if it never does.
bool tabTo(QWidget *window, const QWidget *target)
{
    for (int i = 0; i < 400; ++i) {
        if (QApplication::focusWidget() == target)
            return true;
        // To the focused widget, as a real key press goes: it may keep the Tab for itself.
        QWidget *focus = QApplication::focusWidget();
        QTest::keyClick(focus ? focus : window, Qt::Key_Tab);
    }
    return false;
}

struct Questionnaire {
    std::unique_ptr<QDialog> dialog;
    std::function<int()> score;
    int rows;
    int options;
    bool lettersAfterNine;
};

template <typename D>
Questionnaire questionnaire(std::unique_ptr<D> dialog, int rows, int options, bool letters)
{
    D *d = dialog.get();
    return {std::move(dialog), [d] { return d->score(); }, rows, options, letters};
}

Questionnaire makeQuestionnaire(const QString &which)
{
    if (which == "Dialog")
        return questionnaire(std::make_unique<Dialog>(), 10, 5, true);
    if (which == "Dialog_mps") {
        auto dialog = std::make_unique<Dialog_mps>();
        dialog->setScale(1, "personal standards");
        return questionnaire(std::move(dialog), 7, 5, true);
    }
    if (which == "Dialog_bod")
        return questionnaire(std::make_unique<Dialog_bod>(), 20, 4, false);
    return questionnaire(std::make_unique<Dialog_alex>(), 26, 5, false);
}

QString boxName(const Questionnaire &q, int row, int option)
{
    const QString key = q.lettersAfterNine && row >= 9 ? QString(QChar('A' + row - 9))
                                                       : QString::number(row + 1);
    return QStringLiteral("checkBox_%1%2").arg(key).arg(option + 1);
}

} // namespace

class TestAccessibility : public QObject
{
    Q_OBJECT

private slots:
    void mainWindowTabOrderFollowsRows();
    void questionnaireButtonsNamed_data();
    void questionnaireButtonsNamed();
    void answerBoxesNamed_data();
    void answerBoxesNamed();
    void answeredWithKeyboardAlone_data();
    void answeredWithKeyboardAlone();
};

void TestAccessibility::mainWindowTabOrderFollowsRows()
{
    MainWindow w;
    QVERIFY(showActive(&w));
    w.findChild<QWidget *>("lineEdit")->setFocus();
    const QStringList expected = {
        "lineEdit",   "pushButton_RES", "lineEdit_2", "pushButton_EM",   "lineEdit_3",
        "pushButton_EXT", "lineEdit_4", "pushButton_PS", "lineEdit_5", "pushButton_MD",
        "lineEdit_6", "pushButton_BOD", "lineEdit_7", "pushButton_ALEX", "lineEdit_8",
        "btnSimulation", "btnClose"};
    QStringList walked;
    for (int i = 0; i < expected.size(); ++i) {
        walked << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(walked, expected);
}

void TestAccessibility::questionnaireButtonsNamed_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("mentions");
    QTest::newRow("RES") << "pushButton_RES" << QStringList{"DEBQ", "Restrained eating"};
    QTest::newRow("EM") << "pushButton_EM" << QStringList{"DEBQ", "Emotional eating"};
    QTest::newRow("EXT") << "pushButton_EXT" << QStringList{"DEBQ", "External eating"};
    QTest::newRow("PS") << "pushButton_PS" << QStringList{"MPS", "Personal standards"};
    QTest::newRow("MD") << "pushButton_MD" << QStringList{"MPS", "Concern over mistakes"};
    QTest::newRow("BOD") << "pushButton_BOD" << QStringList{"Body image"};
    QTest::newRow("ALEX") << "pushButton_ALEX" << QStringList{"TAS-26", "Alexithymia"};
}

void TestAccessibility::questionnaireButtonsNamed()
{
    QFETCH(QString, button);
    QFETCH(QStringList, mentions);
    MainWindow w;
    auto *b = w.findChild<QPushButton *>(button);
    QVERIFY(b);
    QVERIFY(b->text().isEmpty()); // nothing visible changes
    const QString name = accessibleName(b);
    for (const QString &m : mentions) {
        QVERIFY2(name.contains(m), qPrintable(name));
        QVERIFY2(b->toolTip().contains(m), qPrintable(b->toolTip()));
    }
}

void TestAccessibility::answerBoxesNamed_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QStringList>("answers");
    QTest::newRow("eating") << "Dialog"
                            << QStringList{"Never", "Seldom", "Sometimes", "Often", "Very often"};
    QTest::newRow("perfectionism")
        << "Dialog_mps"
        << QStringList{"Strongly disagree", "Disagree", "Neutral", "Agree", "Strongly agree"};
    QTest::newRow("body image")
        << "Dialog_bod" << QStringList{"Never", "Occasionally", "Often", "Always"};
    QTest::newRow("alexithymia")
        << "Dialog_alex"
        << QStringList{"Strongly disagree", "Moderately disagree", "Neither disagree or agree",
                       "Moderately agree", "Strongly agree"};
}

void TestAccessibility::answerBoxesNamed()
{
    QFETCH(QString, which);
    QFETCH(QStringList, answers);
    const Questionnaire q = makeQuestionnaire(which);
    for (int row = 0; row < q.rows; ++row) {
        for (int option = 0; option < q.options; ++option) {
            auto *box = q.dialog->findChild<QCheckBox *>(boxName(q, row, option));
            QVERIFY(box);
            QVERIFY(box->text().isEmpty());
            QCOMPARE(accessibleName(box),
                     QStringLiteral("Item %1: %2").arg(row + 1).arg(answers.at(option)));
        }
    }
}

void TestAccessibility::answeredWithKeyboardAlone_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("expectedScore");
    // The first answer everywhere, reached with Tab and ticked with Space.
    QTest::newRow("eating") << "Dialog" << 10;
    QTest::newRow("perfectionism") << "Dialog_mps" << 7;
    QTest::newRow("body image") << "Dialog_bod" << 0;
    QTest::newRow("alexithymia") << "Dialog_alex" << 16 * 1 + 10 * 5;
}

void TestAccessibility::answeredWithKeyboardAlone()
{
    QFETCH(QString, which);
    QFETCH(int, expectedScore);
    const Questionnaire q = makeQuestionnaire(which);
    QDialog *dialog = q.dialog.get();
    QVERIFY(showActive(dialog));
    // Start where a reader starts: in the intro text, which must hand Tab on.
    dialog->findChild<QWidget *>("textEdit")->setFocus();

    for (int row = 0; row < q.rows; ++row) {
        auto *box = dialog->findChild<QCheckBox *>(boxName(q, row, 0));
        QVERIFY2(tabTo(dialog, box), qPrintable(box->objectName()));
        QTest::keyClick(box, Qt::Key_Space);
        QVERIFY(box->isChecked());
    }

    auto *buttons = dialog->findChild<QDialogButtonBox *>("buttonBox");
    QPushButton *ok = buttons->button(QDialogButtonBox::Ok);
    QVERIFY(ok && ok->isEnabled() && buttons->isEnabled());
    QVERIFY(tabTo(dialog, ok));
    QTest::keyClick(ok, Qt::Key_Space);
    QCOMPARE(dialog->result(), int(QDialog::Accepted));
    QCOMPARE(q.score(), expectedScore);
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
