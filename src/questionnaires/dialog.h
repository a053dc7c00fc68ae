#ifndef DIALOG_H
#define DIALOG_H

#include "questionnaireform.h"

#include <QDialog>

namespace Ui {
class Dialog;
}

// The Dutch Eating Behaviour Questionnaire. One form serves its three scales; the caller
// picks one with setScale() before showing the dialog. OK is always available; with items
// unanswered, which count zero, it first asks whether to go back or accept anyway.
class Dialog : public QDialog
{
    Q_OBJECT

public:
    enum Scale { RestrainedEating = 0, EmotionalEating = 1, ExternalEating = 2 };

    explicit Dialog(QWidget *parent = nullptr);
    ~Dialog() override;

    // Shows the scale's items (0 restrained, 1 emotional, 2 external eating) under title.
    void setScale(int scale, const QString &title);
    // The sum of the ticked options' weights; the caller turns it into a mean.
    int score() const;
    // How many items the chosen scale shows: what the mean divides by.
    int itemCount() const;
    // The shown items, numbered from 1, that hold no answer.
    QList<int> unansweredItems() const;

    // Accepts a complete form; asks first about an incomplete one.
    void accept() override;
    // Closes without accepting; asks first when the form holds answers.
    void reject() override;

public slots:
    void on_checkBox_11_clicked();

private slots:
    void on_buttonBox_accepted();
    void on_buttonBox_rejected();

private:
    QuestionnaireForm<Ui::Dialog> m_form;
};

#endif // DIALOG_H
