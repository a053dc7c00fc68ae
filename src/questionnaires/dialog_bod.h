#ifndef DIALOG_BOD_H
#define DIALOG_BOD_H

#include "questionnaireform.h"

#include <QDialog>

namespace Ui {
class Dialog_bod;
}

// The body image questionnaire: 20 situations, each answered "Never" to "Always".
// Its buttons, Cancel included, stay disabled until every situation has an answer.
class Dialog_bod : public QDialog
{
    Q_OBJECT

public:
    explicit Dialog_bod(QWidget *parent = nullptr);
    ~Dialog_bod() override;

    // True once each of the 20 situations has an answer.
    bool isComplete() const;

    // Closes without accepting; asks first when the form holds answers.
    void reject() override;
    // Sum of the weights of the ticked answers, 0 to 60; an unanswered situation adds nothing.
    int score() const;

private slots:
    // Every answer box reaches this slot; it re-applies the gate on the button box.
    void on_checkBox_11_clicked();
    void on_buttonBox_accepted();

private:
    QuestionnaireForm<Ui::Dialog_bod> m_form;
};

#endif // DIALOG_BOD_H
