#include "answergrid.h"

#include "questionnairestr.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLayout>

#include <algorithm>

QStringList AnswerGrid::rowKeys(int count, RowKeys style)
{
    QStringList keys;
    for (int row = 1; row <= count; ++row) {
        if (style == RowKeys::LettersAfterNine && row > 9)
            keys << QString(QChar('A' + row - 10));
        else
            keys << QString::number(row);
    }
    return keys;
}

QString AnswerGrid::boxName(int row, int option, RowKeys style)
{
    return QStringLiteral("checkBox_%1%2").arg(rowKeys(row + 1, style).constLast()).arg(option + 1);
}

namespace {

// The layout, among layout and those nested in it, that holds widget itself.
const QLayout *layoutHolding(const QLayout *layout, const QWidget *widget)
{
    if (!layout || layout->indexOf(widget) >= 0)
        return layout;
    for (int i = 0; i < layout->count(); ++i)
        if (const QLayout *found = layoutHolding(layout->itemAt(i)->layout(), widget))
            return found;
    return nullptr;
}

} // namespace

// The forms name their header labels in no useful order, but lay them out left to right.
QList<QLabel *> AnswerGrid::headerLabels(const QWidget *form)
{
    QList<QLabel *> labels;
    const auto *number = form->findChild<QLabel *>(QStringLiteral("label"));
    const QLayout *row = number ? layoutHolding(number->parentWidget()->layout(), number) : nullptr;
    for (int i = 0; row && i < row->count(); ++i)
        if (auto *label = qobject_cast<QLabel *>(row->itemAt(i)->widget()))
            labels << label;
    return labels;
}

AnswerGrid::AnswerGrid(const QWidget *form, const QuestionnaireTable &table)
    : m_table(table)
{
    for (int r = 0; r < table.rowCount; ++r) {
        QVector<QCheckBox *> row;
        for (int option = 0; option < table.optionCount; ++option) {
            const QString name = boxName(r, option, table.rowKeys);
            QCheckBox *box = form->findChild<QCheckBox *>(name);
            Q_ASSERT_X(box, "AnswerGrid", qPrintable(name));
            row << box;
        }
        m_boxes << row;
        if (table.scales.front().items)
            m_itemLabels << form->findChild<QLabel *>(QStringLiteral("q%1").arg(r));
    }
    nameBoxes(form);
    showScale(0);
}

int AnswerGrid::weight(int row, int option) const
{
    const auto &reversed = m_table.reverseKeyed;
    const bool reverse = std::find(reversed.begin(), reversed.end(), row + 1) != reversed.end();
    return m_table.lowestWeight + (reverse ? optionCount() - 1 - option : option);
}

int AnswerGrid::tickedOption(int row) const
{
    for (int o = 0; o < optionCount(); ++o)
        if (box(row, o)->isChecked())
            return o;
    return -1;
}

QList<int> AnswerGrid::unansweredRows() const
{
    QList<int> rows;
    for (int r = 0; r < shownItemCount(); ++r)
        if (tickedOption(r) < 0)
            rows << r;
    return rows;
}

int AnswerGrid::score() const
{
    int sum = 0;
    for (int r = 0; r < rowCount(); ++r)
        if (const int option = tickedOption(r); option >= 0)
            sum += weight(r, option);
    return sum;
}

bool AnswerGrid::showScale(int scale)
{
    if (scale < 0 || scale >= int(m_table.scales.size()))
        return false;
    m_scale = scale;
    const QuestionnaireScale &shown = m_table.scales.at(scale);
    // A single-scale form keeps its own texts and shows every row.
    if (!shown.items)
        return true;
    for (int row = 0; row < rowCount(); ++row) {
        if (row < shown.itemCount)
            m_itemLabels.at(row)->setText(
                QCoreApplication::translate(m_table.context, shown.items[row]));
        // The row's group box is the parent of its answer boxes.
        box(row, 0)->parentWidget()->setVisible(row < shown.itemCount);
    }
    return true;
}

void AnswerGrid::applyGate(QDialogButtonBox *buttons) const
{
    switch (m_table.gate) {
    case AnswerGate::None:
        break;
    case AnswerGate::CloseUntilComplete: {
        const QDialogButtonBox::StandardButtons wanted =
            isComplete() ? QDialogButtonBox::Ok : QDialogButtonBox::Close;
        // Rebuilding the buttons on every click would needlessly drop keyboard focus.
        if (buttons->standardButtons() != wanted)
            buttons->setStandardButtons(wanted);
        break;
    }
    case AnswerGate::WholeButtonBox:
        buttons->setEnabled(isComplete());
        break;
    }
}

// Gives every box, which shows no text of its own, an accessible name that says its
// item and its answer, e.g. "Item 3: Often", from the answer headings.
void AnswerGrid::nameBoxes(const QWidget *form) const
{
    const QList<QLabel *> headers = headerLabels(form).mid(2);
    const QString pattern = QuestionnairesTr::tr("Item %1: %2");
    for (int r = 0; r < rowCount(); ++r)
        for (int o = 0; o < optionCount() && o < headers.size(); ++o)
            box(r, o)->setAccessibleName(pattern.arg(r + 1).arg(headers.at(o)->text()));
}
