#include "dialog_bod.h"
#include "ui_dialog_bod.h"

Dialog_bod::Dialog_bod(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Dialog_bod)
{
    ui->setupUi(this);

    // "Never" 0, "Occasionally" 1, "Often" 2, "Always" 3; no situation is reverse-keyed.
    for (auto &row : m_weights)
        for (int option = 0; option < OptionCount; ++option)
            row[option] = option;

    m_answers = std::make_unique<AnswerGrid>(this, AnswerGrid::rowKeys(ItemCount), OptionCount);
    m_answers->connectClicks(this, &Dialog_bod::on_checkBox_11_clicked);
    m_answers->nameBoxes({ui->label_2->text(), ui->label_5->text(), ui->label_7->text(),
                         ui->label_6->text()});
    ui->buttonBox->setEnabled(isComplete());
}

Dialog_bod::~Dialog_bod()
{
    delete ui;
}

int Dialog_bod::score() const
{
    return m_answers->score([this](int row, int option) { return m_weights[row][option]; });
}

bool Dialog_bod::isComplete() const
{
    return m_answers->allAnswered();
}

void Dialog_bod::on_checkBox_11_clicked()
{
    ui->buttonBox->setEnabled(isComplete());
}

void Dialog_bod::on_buttonBox_accepted()
{
}
