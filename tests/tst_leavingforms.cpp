#include "dialog.h"
#include "dialog_alex.h"
#include "dialog_bod.h"
#include "dialog_mps.h"
#include "fixture.h"

#include <QtTest>

#include <memory>

namespace {

std::unique_ptr<QDialog> makeForm(const QString &which)
{
    if (which == "eating") {
        auto d = std::make_unique<Dialog>();
        d->setScale(Dialog::EmotionalEating, QStringLiteral("eating"));
        return d;
    }
    if (which == "perfectionism") {
        auto d = std::make_unique<Dialog_mps>();
        d->setScale(Dialog_mps::PersonalStandards, QStringLiteral("perfectionism"));
        return d;
    }
    if (which == "body image")
        return std::make_unique<Dialog_bod>();
    return std::make_unique<Dialog_alex>();
}

void leave(QDialog *form, const QString &how)
{
    if (how == "escape" || how == "return") {
        QWidget *target = form->focusWidget() ? form->focusWidget() : form;
        QTest::keyClick(target, how == "escape" ? Qt::Key_Escape : Qt::Key_Return);
    } else if (how == "cancel") {
        clickStandardButton(form, QDialogButtonBox::Cancel);
    } else if (how == "close button") {
        clickStandardButton(form, QDialogButtonBox::Close);
    } else {
        form->close(); // the window's close button
    }
}

struct Asked {
    bool asked = false;
    QString text;
    QString defaultButton;
};

} // namespace

class TestLeavingForms : public QObject
{
    Q_OBJECT

private slots:
    void leavingWithAnswersAsksFirst_data();
    void leavingWithAnswersAsksFirst();
};

void TestLeavingForms::leavingWithAnswersAsksFirst_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("reply"); // to the question; empty when none may come
    QTest::addColumn<bool>("closed");

    struct Way {
        const char *which;
        const char *how;
        int items;
    };
    // Every way out that rejects each form: Return only where the default button rejects
    // (the perfectionism form shows Close until complete).
    const Way ways[] = {
        {"eating", "escape", 13},          {"eating", "cancel", 13},
        {"eating", "window", 13},          {"perfectionism", "escape", 7},
        {"perfectionism", "close button", 7}, {"perfectionism", "return", 7},
        {"perfectionism", "window", 7},    {"body image", "escape", 20},
        {"body image", "window", 20},      {"alexithymia", "escape", 26},
        {"alexithymia", "window", 26},
    };
    for (const Way &way : ways) {
        QTest::addRow("%s, %s, nothing answered", way.which, way.how)
            << way.which << QList<int>() << way.how << "" << true;
        QTest::addRow("%s, %s, half answered, go back", way.which, way.how)
            << way.which << sameAnswer(way.items / 2, 1) << way.how << "Go back" << false;
        QTest::addRow("%s, %s, half answered, escape goes back", way.which, way.how)
            << way.which << sameAnswer(way.items / 2, 1) << way.how << "escape" << false;
        QTest::addRow("%s, %s, half answered, discard", way.which, way.how)
            << way.which << sameAnswer(way.items / 2, 1) << way.how << "Discard" << true;
    }
    // Complete forms open every way out, and still ask.
    QTest::newRow("eating, escape, complete, go back")
        << "eating" << sameAnswer(13, 4) << "escape" << "Go back" << false;
    QTest::newRow("perfectionism, escape, complete, go back")
        << "perfectionism" << sameAnswer(7, 4) << "escape" << "Go back" << false;
    QTest::newRow("body image, cancel, complete, go back")
        << "body image" << sameAnswer(20, 2) << "cancel" << "Go back" << false;
    QTest::newRow("alexithymia, cancel, complete, discard")
        << "alexithymia" << sameAnswer(26, 0) << "cancel" << "Discard" << true;
}

void TestLeavingForms::leavingWithAnswersAsksFirst()
{
    QFETCH(QString, which);
    QFETCH(QList<int>, answers);
    QFETCH(QString, how);
    QFETCH(QString, reply);
    QFETCH(bool, closed);
    std::unique_ptr<QDialog> form = makeForm(which);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    answerRows(form.get(), answers);
    const int options = which == "body image" ? 4 : 5;
    const QList<int> ticked = tickedOptions(form.get(), answers.size(), options);

    const auto seen = std::make_shared<Asked>();
    QObject guard; // a question where none may come is noted and turned away
    if (reply.isEmpty()) {
        QTimer::singleShot(2000, &guard, [seen] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                seen->asked = true;
                modal->close();
            }
        });
    } else {
        onNextModal([seen, reply](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            seen->asked = box != nullptr;
            if (box) {
                seen->text = box->text();
                seen->defaultButton = box->defaultButton() ? box->defaultButton()->text()
                                                           : QString();
                if (reply == "escape")
                    QTest::keyClick(box, Qt::Key_Escape);
                for (QAbstractButton *button : box->buttons())
                    if (button->text() == reply)
                        button->click();
            }
            if (modal->isVisible())
                modal->close();
        });
    }
    leave(form.get(), how);

    QCOMPARE(seen->asked, !reply.isEmpty());
    if (seen->asked) {
        QCOMPARE(seen->text, QStringLiteral("Discard the answers?"));
        QCOMPARE(seen->defaultButton, QStringLiteral("Go back"));
    }
    QCOMPARE(form->isVisible(), !closed);
    if (closed)
        QCOMPARE(form->result(), int(QDialog::Rejected));
    // Going back keeps every answer.
    QCOMPARE(tickedOptions(form.get(), answers.size(), options), ticked);
}

QTEST_MAIN(TestLeavingForms)
#include "tst_leavingforms.moc"
