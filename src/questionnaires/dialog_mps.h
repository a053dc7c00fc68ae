#ifndef DIALOG_MPS_H
#define DIALOG_MPS_H

#include "questionnaireform.h"

#include <QDialog>

namespace Ui {
class Dialog_mps;
}

// Two scales of the Multidimensional Perfectionism Scale on one form; the caller picks one
// with setScale() before showing the dialog. Until every shown item is answered the only
// button is Close, so an accepted score always lies within the scale's range.
class Dialog_mps : public QDialog
{
    Q_OBJECT

public:
    enum Scale { ConcernOverMistakesAndDoubts = 0, PersonalStandards = 1 };

    explicit Dialog_mps(QWidget *parent = nullptr);
    ~Dialog_mps() override;

    // Shows the scale's items (0 concern over mistakes and doubts, 1 personal standards)
    // under title, and applies the answer gate.
    void setScale(int scale, const QString &title);
    // The sum of the ticked option numbers, 1 to 5 per item.
    int score() const;
    // True when every item the scale shows is answered.
    bool isComplete() const;

    // Closes without accepting; asks first when the form holds answers.
    void reject() override;

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();
    void on_checkBox_11_clicked();

private:
    QuestionnaireForm<Ui::Dialog_mps> m_form;
};

#endif // DIALOG_MPS_H
