#include "answergrid.h"

#include <QCoreApplication>

QStringList AnswerGrid::rowKeys(int count, bool lettersAfterNine)
{
    QStringList keys;
    for (int row = 1; row <= count; ++row) {
        if (lettersAfterNine && row > 9)
            keys << QString(QChar('A' + row - 10));
        else
            keys << QString::number(row);
    }
    return keys;
}

AnswerGrid::AnswerGrid(const QWidget *form, const QStringList &rowKeys, int optionCount)
    : m_optionCount(optionCount)
{
    for (const QString &key : rowKeys) {
        QVector<QCheckBox *> row;
        for (int option = 1; option <= optionCount; ++option) {
            const QString name = QStringLiteral("checkBox_%1%2").arg(key).arg(option);
            QCheckBox *box = form->findChild<QCheckBox *>(name);
            Q_ASSERT_X(box, "AnswerGrid", qPrintable(name));
            row << box;
        }
        m_boxes << row;
    }
}

int AnswerGrid::tickedOption(int row) const
{
    for (int o = 0; o < m_optionCount; ++o)
        if (box(row, o)->isChecked())
            return o;
    return -1;
}

bool AnswerGrid::rowsAnswered(int rows) const
{
    for (int r = 0; r < rows; ++r)
        if (tickedOption(r) < 0)
            return false;
    return true;
}

int AnswerGrid::score(const std::function<int(int, int)> &weight) const
{
    int sum = 0;
    for (int r = 0; r < rowCount(); ++r)
        for (int o = 0; o < m_optionCount; ++o)
            if (box(r, o)->isChecked())
                sum += weight(r, o);
    return sum;
}

void AnswerGrid::nameBoxes(const QStringList &optionNames) const
{
    const QString pattern = QCoreApplication::translate("AnswerGrid", "Item %1: %2");
    for (int r = 0; r < rowCount(); ++r)
        for (int o = 0; o < m_optionCount && o < optionNames.size(); ++o)
            box(r, o)->setAccessibleName(pattern.arg(r + 1).arg(optionNames.at(o)));
}
