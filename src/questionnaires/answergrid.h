#ifndef ANSWERGRID_H
#define ANSWERGRID_H

#include <QCheckBox>
#include <QObject>
#include <QStringList>
#include <QVector>

#include <functional>

// The answer boxes of a questionnaire form, looked up once by object name:
// "checkBox_" + row key + option number, e.g. checkBox_11, checkBox_A3, checkBox_204.
// The boxes themselves hold the answers; this only reads them.
class AnswerGrid
{
public:
    // Row keys "1", "2", ... up to count; with lettersAfterNine, rows 10 to 13 are "A" to "D".
    static QStringList rowKeys(int count, bool lettersAfterNine = false);

    AnswerGrid(const QWidget *form, const QStringList &rowKeys, int optionCount);

    int rowCount() const { return m_boxes.size(); }
    int optionCount() const { return m_optionCount; }
    // Rows and options count from 0 here.
    QCheckBox *box(int row, int option) const { return m_boxes.at(row).at(option); }

    // The ticked option of a row, or -1 when the row is unanswered.
    int tickedOption(int row) const;
    // True when each of the first rows rows holds a tick.
    bool rowsAnswered(int rows) const;
    bool allAnswered() const { return rowsAnswered(rowCount()); }
    // Sum of weight(row, option) over every ticked box.
    int score(const std::function<int(int row, int option)> &weight) const;

    // Gives every box, which shows no text of its own, an accessible name that says its
    // item and its answer, e.g. "Item 3: Often". optionNames are the column headings.
    void nameBoxes(const QStringList &optionNames) const;

    // Connects every box but the first, which the form connects by name, to slot.
    template <typename Receiver>
    void connectClicks(Receiver *receiver, void (Receiver::*slot)()) const
    {
        for (int r = 0; r < rowCount(); ++r)
            for (int o = 0; o < m_optionCount; ++o)
                if (r != 0 || o != 0)
                    QObject::connect(box(r, o), &QCheckBox::clicked, receiver, slot);
    }

private:
    QVector<QVector<QCheckBox *>> m_boxes;
    int m_optionCount;
};

#endif // ANSWERGRID_H
