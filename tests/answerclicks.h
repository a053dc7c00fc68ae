#ifndef ANSWERCLICKS_H
#define ANSWERCLICKS_H

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTest>

#include <QList>

// Finds and clicks a questionnaire's answer boxes by their object names, the way a user
// would: with the mouse, in the middle of the box. Rows and options count from 0;
// rows 10 to 13 carry the keys A to D.

inline QString answerRowKey(int row)
{
    return row < 9 ? QString::number(row + 1) : QString(QChar('A' + row - 9));
}

inline QCheckBox *answerBox(const QWidget *form, int row, int option)
{
    return form->findChild<QCheckBox *>(
        QStringLiteral("checkBox_%1%2").arg(answerRowKey(row)).arg(option + 1));
}

inline void clickAnswer(QWidget *form, int row, int option)
{
    QCheckBox *box = answerBox(form, row, option);
    QVERIFY2(box, qPrintable(QStringLiteral("no box for row %1 option %2").arg(row).arg(option)));
    QTest::mouseClick(box, Qt::LeftButton);
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

#endif // ANSWERCLICKS_H
