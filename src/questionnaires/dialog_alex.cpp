#include "dialog_alex.h"
#include "ui_dialog_alex.h"

#include "discardanswersquestion.h"

namespace {

// "Strongly disagree" 1 ... "Strongly agree" 5, the other way round for the statements
// where agreeing speaks against alexithymia.
const QuestionnaireTable table = {
    "Dialog_alex", 26, 5, RowKeys::Digits, 1, {1, 5, 6, 9, 11, 12, 13, 15, 21, 24}, AnswerGate::WholeButtonBox,
    {{nullptr, 26}},
};

} // namespace

Dialog_alex::Dialog_alex(QWidget *parent)
    : QDialog(parent)
    , m_form(this, table, &Dialog_alex::on_checkBox_11_clicked)
{
    on_checkBox_11_clicked();
}

Dialog_alex::~Dialog_alex() = default;

int Dialog_alex::score() const
{
    return m_form.answers->score();
}

bool Dialog_alex::isComplete() const
{
    return m_form.answers->isComplete();
}

void Dialog_alex::on_checkBox_11_clicked()
{
    m_form.answers->applyGate(m_form.ui->buttonBox);
}

void Dialog_alex::on_buttonBox_accepted()
{
}

void Dialog_alex::reject()
{
    if (DiscardAnswersQuestion::mayClose(this, *m_form.answers))
        QDialog::reject();
}
