#include "dialog_alex.h"
#include "ui_dialog_alex.h"

namespace {

// Statements, numbered from 1, where agreeing speaks against alexithymia.
const int reverseKeyedStatements[] = {1, 5, 6, 9, 11, 12, 13, 15, 21, 24};

} // namespace

Dialog_alex::Dialog_alex(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Dialog_alex)
{
    ui->setupUi(this);

    // "Strongly disagree" 1 ... "Strongly agree" 5, the other way round where reverse-keyed.
    for (auto &row : m_weights)
        for (int option = 0; option < OptionCount; ++option)
            row[option] = option + 1;
    for (int statement : reverseKeyedStatements)
        for (int option = 0; option < OptionCount; ++option)
            m_weights[statement - 1][option] = OptionCount - option;

    m_answers = std::make_unique<AnswerGrid>(this, AnswerGrid::rowKeys(ItemCount), OptionCount);
    m_answers->connectClicks(this, &Dialog_alex::on_checkBox_11_clicked);
    m_answers->nameBoxes({ui->label_2->text(), ui->label_5->text(), ui->label_7->text(),
                         ui->label_6->text(), ui->label_8->text()});
    ui->buttonBox->setEnabled(isComplete());
}

Dialog_alex::~Dialog_alex()
{
    delete ui;
}

int Dialog_alex::score() const
{
    return m_answers->score([this](int row, int option) { return m_weights[row][option]; });
}

bool Dialog_alex::isComplete() const
{
    return m_answers->allAnswered();
}

void Dialog_alex::on_checkBox_11_clicked()
{
    ui->buttonBox->setEnabled(isComplete());
}

void Dialog_alex::on_buttonBox_accepted()
{
}
