#ifndef QUESTIONNAIREFORM_H
#define QUESTIONNAIREFORM_H

#include "answergrid.h"

#include <memory>

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
        answers = std::make_unique<AnswerGrid>(dialog, table, slot);
    }

    std::unique_ptr<Ui> ui;
    std::unique_ptr<AnswerGrid> answers;
};

#endif // QUESTIONNAIREFORM_H
