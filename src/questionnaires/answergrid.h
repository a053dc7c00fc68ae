#ifndef ANSWERGRID_H
#define ANSWERGRID_H

#include "questionnairetable.h"

#include <QCheckBox>
#include <QObject>
#include <QStringList>
#include <QVector>

class QDialogButtonBox;
class QLabel;

// The answer boxes of a questionnaire form, looked up once by object name:
// "checkBox_" + row key + option number, e.g. checkBox_11, checkBox_A3, checkBox_204,
// and scored, gated and relabelled as the questionnaire's table says.
// The boxes themselves hold the answers; this only reads them.
class AnswerGrid
{
public:
    // Row keys "1", "2", ... up to count; with LettersAfterNine, rows 10 to 13 are "A" to "D".
    static QStringList rowKeys(int count, RowKeys style = RowKeys::Digits);
    // The object name of a box; row and option count from 0.
    static QString boxName(int row, int option, RowKeys style);
    // The header row's labels, left to right: number, statement, then one per answer.
    static QList<QLabel *> headerLabels(const QWidget *form);

    // Finds the boxes, names them for assistive tools, shows scale 0 and connects every
    // box but the first, which the form connects by name, to slot.
    template <typename Form>
    AnswerGrid(Form *form, const QuestionnaireTable &table, void (Form::*slot)())
        : AnswerGrid(form, table)
    {
        for (int r = 0; r < rowCount(); ++r)
            for (int o = 0; o < optionCount(); ++o)
                if (r != 0 || o != 0)
                    QObject::connect(box(r, o), &QCheckBox::clicked, form, slot);
    }

    int rowCount() const { return m_boxes.size(); }
    int optionCount() const { return m_table.optionCount; }
    // Rows and options count from 0 here.
    QCheckBox *box(int row, int option) const { return m_boxes.at(row).at(option); }
    int weight(int row, int option) const;

    // The ticked option of a row, or -1 when the row is unanswered.
    int tickedOption(int row) const;
    // The rows, counted from 0, of the shown scale that hold no tick.
    QList<int> unansweredRows() const;
    bool isComplete() const { return unansweredRows().isEmpty(); }
    // Sum of the weights of every ticked box, shown or not.
    int score() const;

    // Relabels the rows with the scale's items and hides the rest; false, changing
    // nothing, for a scale the questionnaire does not have.
    bool showScale(int scale);
    int shownScale() const { return m_scale; }
    int shownItemCount() const { return m_table.scales.at(m_scale).itemCount; }

    // Lets buttons accept the form only as the table's gate allows.
    void applyGate(QDialogButtonBox *buttons) const;

private:
    AnswerGrid(const QWidget *form, const QuestionnaireTable &table);
    void nameBoxes(const QWidget *form) const;

    const QuestionnaireTable m_table;
    QVector<QVector<QCheckBox *>> m_boxes;
    QVector<QLabel *> m_itemLabels;
    int m_scale = -1;
};

#endif // ANSWERGRID_H
