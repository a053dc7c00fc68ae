#ifndef DIALOG_BOD_H
#define DIALOG_BOD_H

#include "answergrid.h"

#include <QDialog>

#include <memory>

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

    // Sum of the weights of the ticked answers; an unanswered situation adds nothing.
    int score() const;
    bool isComplete() const;

private slots:
    // Every answer box reaches this slot; it re-applies the gate on the button box.
    void on_checkBox_11_clicked();
    void on_buttonBox_accepted();

private:
    enum { ItemCount = 20, OptionCount = 4 };

    Ui::Dialog_bod *ui;
    std::unique_ptr<AnswerGrid> m_answers;
    int m_weights[ItemCount][OptionCount];
};

#endif // DIALOG_BOD_H
