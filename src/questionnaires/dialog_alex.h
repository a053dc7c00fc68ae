#ifndef DIALOG_ALEX_H
#define DIALOG_ALEX_H

#include "questionnaireform.h"

#include <QDialog>

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

    // Sum of the weights of the ticked answers, 26 to 130 once complete; reverse keying
    // lives in the weights, and an unanswered statement adds nothing.
    int score() const;
    bool isComplete() const;

    // Closes without accepting; asks first when the form holds answers.
    void reject() override;

private slots:
    // Every answer box reaches this slot. It re-applies the gate: OK and Cancel open
    // together once the last of the 26 statements is answered, and then stay open.
    void on_checkBox_11_clicked();
    void on_buttonBox_accepted();

private:
    QuestionnaireForm<Ui::Dialog_alex> m_form;
};

#endif // DIALOG_ALEX_H
