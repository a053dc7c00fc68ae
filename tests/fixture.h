#ifndef FIXTURE_H
#define FIXTURE_H

#include "answergrid.h"
#include "modaldriver.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

#include <QList>

// What the tests share: the main window's eight predictor fields, a typical person's
// values for them, and answering a questionnaire the way a user does. Rows and options
// count from 0.

// The fields in predictor order: restrained, emotional, external eating, personal
// standards, concern over mistakes and doubts, body image, alexithymia, BMI.
inline const QStringList predictorFieldNames = {"lineEdit",   "lineEdit_2", "lineEdit_3",
                                                "lineEdit_4", "lineEdit_5", "lineEdit_6",
                                                "lineEdit_7", "lineEdit_8"};

// A typical person: every value inside its range.
inline const QStringList typicalPerson = {"3", "3", "3", "21", "39", "28", "70", "35"};

inline QLineEdit *predictorField(const QWidget &window, int index)
{
    return window.findChild<QLineEdit *>(predictorFieldNames.at(index));
}

inline void enterTypicalPerson(const QWidget &window)
{
    for (int i = 0; i < typicalPerson.size(); ++i)
        predictorField(window, i)->setText(typicalPerson.at(i));
}

// The eating behaviour and perfectionism forms key rows 10 to 13 by letters.
inline RowKeys rowKeysOf(const QWidget *form)
{
    return form->findChild<QCheckBox *>(QStringLiteral("checkBox_A1")) ? RowKeys::LettersAfterNine
                                                                        : RowKeys::Digits;
}

inline QCheckBox *answerBox(const QWidget *form, int row, int option)
{
    return form->findChild<QCheckBox *>(AnswerGrid::boxName(row, option, rowKeysOf(form)));
}

// Scrolls the box into view and clicks its middle.
inline void clickAnswer(QWidget *form, int row, int option)
{
    QCheckBox *box = answerBox(form, row, option);
    QVERIFY2(box, qPrintable(QStringLiteral("no box for row %1 option %2").arg(row).arg(option)));
    if (auto *area = form->findChild<QScrollArea *>(QStringLiteral("scrollArea")))
        area->ensureWidgetVisible(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, box->rect().center());
}

// Clicks options[row] in each row; -1 leaves the row alone.
inline void answerRows(QWidget *form, const QList<int> &options)
{
    for (int row = 0; row < options.size(); ++row)
        if (options.at(row) >= 0)
            clickAnswer(form, row, options.at(row));
}

// The ticked option of each of the first rows rows, -1 for none, -2 for more than one.
inline QList<int> tickedOptions(const QWidget *form, int rows, int optionCount = 5)
{
    QList<int> ticked;
    for (int row = 0; row < rows; ++row) {
        int found = -1;
        for (int option = 0; option < optionCount; ++option)
            if (answerBox(form, row, option)->isChecked())
                found = found == -1 ? option : -2;
        ticked << found;
    }
    return ticked;
}

inline QList<int> sameAnswer(int rows, int option)
{
    return QList<int>(rows, option);
}

inline void clickStandardButton(QWidget *dialog, QDialogButtonBox::StandardButton which)
{
    auto *box = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QVERIFY(box);
    QPushButton *button = box->button(which);
    QVERIFY2(button, "the standard button is not shown");
    QTest::mouseClick(button, Qt::LeftButton);
}

inline bool holdsAnswers(const QWidget *form)
{
    for (const QCheckBox *box : form->findChildren<QCheckBox *>())
        if (box->isChecked())
            return true;
    return false;
}

// Leaving a form that holds answers asks first; this answers "Discard" once it does.
inline void discardWhenAsked(const QWidget *form)
{
    if (!holdsAnswers(form))
        return;
    onNextModal([](QWidget *question) {
        if (auto *box = qobject_cast<QMessageBox *>(question))
            for (QAbstractButton *button : box->buttons())
                if (button->text() == QStringLiteral("Discard"))
                    button->click();
    });
}

// Leaves the dialog the way a user would: "escape" presses Escape on whatever has focus,
// anything else closes the window. Discards the answers when asked.
inline void leaveDialog(QWidget *dialog, const QString &how)
{
    discardWhenAsked(dialog);
    if (how == "escape") {
        QWidget *target = dialog->focusWidget() ? dialog->focusWidget() : dialog;
        QTest::keyClick(target, Qt::Key_Escape);
    } else {
        dialog->close();
    }
}

#endif // FIXTURE_H
