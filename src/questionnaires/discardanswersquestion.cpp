#include "discardanswersquestion.h"

#include "answergrid.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("DiscardAnswersQuestion", text);
}

} // namespace

QString DiscardAnswersQuestion::informativeText(int answered, int itemCount)
{
    return (answered == 1 ? tr("%1 of %2 items is answered; its answer is lost if the form "
                               "closes now.")
                          : tr("%1 of %2 items are answered; their answers are lost if the "
                               "form closes now."))
        .arg(answered)
        .arg(itemCount);
}

bool DiscardAnswersQuestion::mayClose(QWidget *form, const AnswerGrid &answers)
{
    const int answered = answers.shownItemCount() - int(answers.unansweredRows().size());
    if (answered == 0)
        return true;
    QMessageBox question(form);
    question.setIcon(QMessageBox::Question);
    question.setWindowTitle(tr("Unsaved answers"));
    question.setText(tr("Discard the answers?"));
    question.setInformativeText(informativeText(answered, answers.shownItemCount()));
    QPushButton *goBack = question.addButton(tr("Go back"), QMessageBox::RejectRole);
    QPushButton *discard = question.addButton(tr("Discard"), QMessageBox::DestructiveRole);
    question.setDefaultButton(goBack);
    question.setEscapeButton(goBack);
    question.exec();
    return question.clickedButton() == discard;
}
