#include "discardanswersquestion.h"

#include "answergrid.h"
#include "questionnaireanswers.h"
#include "questionnairestr.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

} // namespace

QString DiscardAnswersQuestion::informativeText(int answered, int itemCount)
{
    return (answered == 1 ? QuestionnairesTr::tr("%1 of %2 items is answered; its answer is lost if the form "
                                                 "closes now.")
                          : QuestionnairesTr::tr("%1 of %2 items are answered; their answers are lost if the "
                                                 "form closes now."))
        .arg(answered)
        .arg(itemCount);
}

bool DiscardAnswersQuestion::mayClose(QWidget *form, const AnswerGrid &answers)
{
    const int answered = answers.shownItemCount() - int(answers.unansweredRows().size());
    // Stored answers shown again are kept in the case book: closing the view loses nothing.
    if (answered == 0 || QuestionnaireAnswers::isReadOnly(form))
        return true;
    QMessageBox question(form);
    question.setIcon(QMessageBox::Question);
    question.setWindowTitle(QuestionnairesTr::tr("Unsaved answers"));
    question.setText(QuestionnairesTr::tr("Discard the answers?"));
    question.setInformativeText(informativeText(answered, answers.shownItemCount()));
    QPushButton *goBack = question.addButton(QuestionnairesTr::tr("Go back"), QMessageBox::RejectRole);
    QPushButton *discard = question.addButton(QuestionnairesTr::tr("Discard"), QMessageBox::DestructiveRole);
    question.setDefaultButton(goBack);
    question.setEscapeButton(goBack);
    question.exec();
    return question.clickedButton() == discard;
}
