#ifndef DIALOG_ALEX_H
#define DIALOG_ALEX_H

#include "answergrid.h"

#include <QDialog>

#include <memory>

namespace Ui {
class Dialog_alex;
}

// The Toronto Alexithymia Scale (TAS-26): 26 statements, each answered on a five-point
// scale from "Strongly disagree" to "Strongly agree", ten of them reverse-keyed.
// Its buttons, Cancel included, stay disabled until every statement has an answer.
class Dialog_alex : public QDialog
{
    Q_OBJECT

public:
    explicit Dialog_alex(QWidget *parent = nullptr);
    ~Dialog_alex() override;

    // Sum of the weights of the ticked answers; an unanswered statement adds nothing.
    int score() const;
    bool isComplete() const;

private slots:
    // Every answer box reaches this slot; it re-applies the gate on the button box.
    void on_checkBox_11_clicked();
    void on_buttonBox_accepted();

private:
    enum { ItemCount = 26, OptionCount = 5 };

    Ui::Dialog_alex *ui;
    std::unique_ptr<AnswerGrid> m_answers;
    int m_weights[ItemCount][OptionCount];
};

#endif // DIALOG_ALEX_H
