// Each dialog that takes typed input asks before Escape, Cancel or its close button throw
// away what was typed, and closes at once when nothing was.
#include "bmidialog.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "databasedialog.h"
#include "modaldriver.h"
#include "observationdialog.h"
#include "savecasedialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QtTest>

#include <memory>

class TestUnsavedInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void asksBeforeDiscarding_data();
    void asksBeforeDiscarding();

private:
    std::unique_ptr<QDialog> make(const QString &which);

    CaseStore m_store;
};

void TestUnsavedInput::initTestCase()
{
    QVERIFY(m_store.open(freshCaseBook()));
}

std::unique_ptr<QDialog> TestUnsavedInput::make(const QString &which)
{
    if (which == "visit")
        return std::make_unique<ObservationDialog>(QDate::currentDate().addDays(-30), 1.70);
    if (which == "save to case")
        return std::make_unique<SaveCaseDialog>(m_store, sampleCase(QString()));
    if (which == "weight and height") {
        // Filled in by the program beforehand: not typed, so not asked about alone.
        auto dialog = std::make_unique<BmiDialog>();
        dialog->setHeightMetres(1.72);
        return dialog;
    }
    return std::make_unique<DatabaseDialog>(QStringLiteral("/tmp/cases.sqlite"));
}

void TestUnsavedInput::asksBeforeDiscarding_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("field"); // typed into; empty: nothing is typed
    QTest::addColumn<QString>("leaving");
    QTest::addColumn<QString>("answer");
    const QList<QPair<const char *, const char *>> dialogs = {
        {"visit", "observationNoteEdit"},
        {"save to case", "caseCodeEdit"},
        {"weight and height", "bmiWeightEdit"},
        {"database", "the other place"},
    };
    for (const auto &dialog : dialogs) {
        for (const char *leaving : {"Escape", "Cancel", "close button"}) {
            const QString name = QStringLiteral("%1, %2").arg(dialog.first, leaving);
            QTest::newRow(qPrintable(name + ", unchanged")) << dialog.first << "" << leaving << "";
            QTest::newRow(qPrintable(name + ", go back"))
                << dialog.first << dialog.second << leaving << "Go back";
            QTest::newRow(qPrintable(name + ", discard"))
                << dialog.first << dialog.second << leaving << "Discard";
        }
    }
}

void TestUnsavedInput::asksBeforeDiscarding()
{
    QFETCH(QString, dialog);
    QFETCH(QString, field);
    QFETCH(QString, leaving);
    QFETCH(QString, answer);
    std::unique_ptr<QDialog> shown = make(dialog);
    shown->show();
    QVERIFY(QTest::qWaitForWindowActive(shown.get()));
    QWidget *typedInto = field.isEmpty() ? nullptr : shown->findChild<QWidget *>(field);
    if (field == "the other place") {
        auto *here = shown->findChild<QAbstractButton *>("thisComputerButton");
        typedInto = here->isChecked() ? shown->findChild<QAbstractButton *>("clinicServerButton")
                                      : here;
    }
    if (!field.isEmpty()) {
        QVERIFY(typedInto);
        if (qobject_cast<QLineEdit *>(typedInto))
            QTest::keyClicks(typedInto, "7");
        else // on the button's circle: a radio button is pressed only there or on its text
            QTest::mouseClick(typedInto, Qt::LeftButton, {}, QPoint(6, typedInto->height() / 2));
    }

    // The question is answered if it comes; after this row it must not touch another.
    const auto asked = std::make_shared<QString>();
    const auto armed = std::make_shared<bool>(true);
    const QString press = answer.isEmpty() ? QStringLiteral("Discard") : answer;
    onNextModal([asked, armed, press](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!*armed || !box)
            return;
        *asked = box->text();
        for (QAbstractButton *button : box->buttons()) {
            if (button->text() == press)
                button->click();
        }
    });
    if (leaving == "Escape")
        QTest::keyClick(shown->focusWidget() ? shown->focusWidget() : shown.get(), Qt::Key_Escape);
    else if (leaving == "Cancel")
        shown->findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Cancel)->click();
    else
        shown->close();
    *armed = false;

    QCOMPARE(*asked, field.isEmpty() ? QString() : QStringLiteral("Discard the changes?"));
    QCOMPARE(shown->isVisible(), answer == "Go back");
    if (answer == "Go back" && qobject_cast<QLineEdit *>(typedInto))
        QVERIFY(qobject_cast<QLineEdit *>(typedInto)->text().endsWith("7"));
}

QTEST_MAIN(TestUnsavedInput)
#include "tst_unsavedinput.moc"
