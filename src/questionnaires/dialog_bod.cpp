#include "dialog_bod.h"
#include "ui_dialog_bod.h"

#include "discardanswersquestion.h"

namespace {

// "Never" 0, "Occasionally" 1, "Often" 2, "Always" 3; no situation is reverse-keyed.
const QuestionnaireTable table = {
    "Dialog_bod", 20, 4, RowKeys::Digits, 0, {}, AnswerGate::WholeButtonBox,
    {{nullptr, 20}},
};

} // namespace

Dialog_bod::Dialog_bod(QWidget *parent)
    : QDialog(parent)
    , m_form(this, table, &Dialog_bod::on_checkBox_11_clicked)
{
    on_checkBox_11_clicked();
}

Dialog_bod::~Dialog_bod() = default;

int Dialog_bod::score() const
{
    return m_form.answers->score();
}

bool Dialog_bod::isComplete() const
{
    return m_form.answers->isComplete();
}

void Dialog_bod::on_checkBox_11_clicked()
{
    m_form.answers->applyGate(m_form.ui->buttonBox);
}

void Dialog_bod::on_buttonBox_accepted()
{
}

void Dialog_bod::reject()
{
    if (DiscardAnswersQuestion::mayClose(this, *m_form.answers))
        QDialog::reject();
}
