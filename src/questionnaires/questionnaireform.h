#ifndef QUESTIONNAIREFORM_H
#define QUESTIONNAIREFORM_H

#include "answergrid.h"

#include <memory>

// The property by which a questionnaire dialog declares how its rows are keyed (a RowKeys
// value), so that whoever reads its answers never guesses it from the boxes it holds.
inline constexpr char rowKeysProperty[] = "telmaRowKeys";

// A questionnaire dialog's generated form and the answer grid over it, built on the
// dialog in that order and deleted with it.
template <typename Ui>
struct QuestionnaireForm
{
    template <typename Dialog>
    QuestionnaireForm(Dialog *dialog, const QuestionnaireTable &table, void (Dialog::*slot)())
        : ui(new Ui)
    {
        ui->setupUi(dialog);
        dialog->setProperty(rowKeysProperty, static_cast<int>(table.rowKeys));
        answers = std::make_unique<AnswerGrid>(dialog, table, slot);
    }

    std::unique_ptr<Ui> ui;
    std::unique_ptr<AnswerGrid> answers;
};

#endif // QUESTIONNAIREFORM_H
