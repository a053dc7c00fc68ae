#ifndef FORMCHECKS_H
#define FORMCHECKS_H

#include "fixture.h"

#include <QGroupBox>
#include <QLabel>
#include <QMetaMethod>
#include <QSet>
#include <QTest>

// Checks shared by the tests of the forms: the slots a form declares, and the layout of
// the eating behaviour and perfectionism questionnaires, whose rows count from 0. Row r
// sits in groupBox_(r + 2), with its number in label ql<r> and its statement in q<r>.
// The checks report through QCOMPARE and QVERIFY, which return from the helper only:
// a caller that goes on afterwards asks QTest::currentTestFailed() first.

// The class's own methods are exactly these slots, in this order: the public ones
// declared first, then the private ones.
inline void compareSlots(const QMetaObject &mo, const QByteArrayList &publicSlots,
                         const QByteArrayList &privateSlots)
{
    const QByteArrayList names = publicSlots + privateSlots;
    QCOMPARE(mo.methodCount() - mo.methodOffset(), int(names.size()));
    for (int i = 0; i < names.size(); ++i) {
        const QMetaMethod m = mo.method(mo.methodOffset() + i);
        QCOMPARE(m.methodSignature(), names.at(i));
        QCOMPARE(m.access(), i < publicSlots.size() ? QMetaMethod::Public : QMetaMethod::Private);
    }
}

// The header labels left to right: the number, the statement, then the five options.
inline QList<QLabel *> headerLabels(const QWidget &form)
{
    return AnswerGrid::headerLabels(&form);
}

inline QGroupBox *rowBox(const QWidget &form, int row)
{
    return form.findChild<QGroupBox *>(QStringLiteral("groupBox_%1").arg(row + 2));
}

inline QLabel *childLabel(const QWidget &w, const QString &name)
{
    return w.findChild<QLabel *>(name);
}

inline QStringList shownItemTexts(const QWidget &form, int rows)
{
    QStringList texts;
    for (int row = 0; row < rows; ++row)
        if (rowBox(form, row)->isVisibleTo(&form))
            texts << childLabel(form, QStringLiteral("q%1").arg(row))->text();
    return texts;
}

inline void compareHeaders(const QWidget &form, const QStringList &texts)
{
    const QList<QLabel *> labels = headerLabels(form);
    QCOMPARE(labels.size(), texts.size());
    for (int i = 0; i < labels.size(); ++i)
        QCOMPARE(labels.at(i)->text(), texts.at(i));
}

// Every row as built: numbered, with five empty, exclusive, unticked boxes of its own.
inline void checkRowsAsBuilt(const QWidget &form, int rows)
{
    for (int row = 0; row < rows; ++row) {
        QCOMPARE(childLabel(form, QStringLiteral("ql%1").arg(row))->text(),
                 QString::number(row + 1));
        for (int option = 0; option < 5; ++option) {
            QCheckBox *box = answerBox(&form, row, option);
            QVERIFY(box);
            QVERIFY(box->text().isEmpty());
            QVERIFY(box->autoExclusive());
            QVERIFY(!box->isChecked());
            QCOMPARE(box->parentWidget(), rowBox(form, row));
        }
    }
}

// The first shown rows are visible and keep their numbers; their statements are distinct,
// and the one in row quotedRow reads quotedText.
inline void checkShownRows(const QWidget &form, int rows, int shown, int quotedRow,
                           const QString &quotedText)
{
    for (int row = 0; row < rows; ++row) {
        QCOMPARE(rowBox(form, row)->isVisible(), row < shown);
        QCOMPARE(childLabel(form, QStringLiteral("ql%1").arg(row))->text(),
                 QString::number(row + 1));
    }
    const QStringList texts = shownItemTexts(form, rows);
    QCOMPARE(texts.size(), shown);
    QCOMPARE(texts.at(quotedRow), quotedText);
    QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), shown);
}

// Where a widget's point lies across the scrolled rows.
inline int xInRows(const QWidget &form, const QWidget *w, const QPoint &point)
{
    return w->mapTo(form.findChild<QWidget *>("scrollAreaWidgetContents"), point).x();
}

inline int centreXInRows(const QWidget &form, const QWidget *w)
{
    return xInRows(form, w, w->rect().center());
}

// Row numbers centred under "№" within numberSlack pixels, boxes under their option
// headers within 3.
inline void checkBoxesUnderHeaders(const QWidget &form, int rows, int numberSlack)
{
    for (int row = 0; row < rows; ++row) {
        QVERIFY(qAbs(centreXInRows(form, childLabel(form, QStringLiteral("ql%1").arg(row)))
                     - centreXInRows(form, childLabel(form, "label")))
                <= numberSlack);
        for (int option = 0; option < 5; ++option) {
            const int header = centreXInRows(form, headerLabels(form).at(option + 2));
            const int box = centreXInRows(form, answerBox(&form, row, option));
            QVERIFY2(qAbs(header - box) <= 3,
                     qPrintable(QStringLiteral("row %1 option %2: box at %3, header at %4")
                                    .arg(row).arg(option).arg(box).arg(header)));
        }
    }
}

// The score of a fresh form on scale after clicking options[row] in each row.
template <class Form>
int scoreAfter(int scale, const QList<int> &options)
{
    Form form;
    form.setScale(scale, QString());
    form.show();
    answerRows(&form, options);
    return form.score();
}

// Clicks option in row, notes it in expected, then compares every row's tick and the score.
template <class Form>
void clickAndCompare(Form &form, int row, int option, QList<int> &expected, int score)
{
    clickAnswer(&form, row, option);
    expected[row] = option;
    QCOMPARE(tickedOptions(&form, int(expected.size())), expected);
    QCOMPARE(form.score(), score);
}

#endif // FORMCHECKS_H
