#include "incompleteformquestion.h"

#include "questionnairestr.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>

namespace {

// "4", "4 and 7", "2, 4 and 7".
QString numberList(const QList<int> &numbers)
{
    QStringList texts;
    for (int n : numbers)
        texts << QString::number(n);
    const QString last = texts.takeLast();
    return texts.isEmpty() ? last : QuestionnairesTr::tr("%1 and %2").arg(texts.join(QStringLiteral(", ")), last);
}

} // namespace

QString IncompleteFormQuestion::text(const QList<int> &unanswered, int itemCount)
{
    if (unanswered.size() >= itemCount)
        return QuestionnairesTr::tr("None of the %1 items is answered.").arg(itemCount) + QLatin1Char('\n')
               + QuestionnairesTr::tr("Answer the items, or cancel the form.");
    const QString which = unanswered.size() == 1
        ? QuestionnairesTr::tr("%1 of %2 items is unanswered: item %3.")
        : QuestionnairesTr::tr("%1 of %2 items are unanswered: items %3.");
    return which.arg(unanswered.size()).arg(itemCount).arg(numberList(unanswered)) + QLatin1Char('\n')
           + QuestionnairesTr::tr("Unanswered items count 0, so the value written will be too low.");
}

bool IncompleteFormQuestion::acceptAnyway(QWidget *parent, const QList<int> &unanswered,
                                          int itemCount)
{
    QMessageBox question(parent);
    question.setIcon(QMessageBox::Warning);
    question.setWindowTitle(QuestionnairesTr::tr("Unanswered items"));
    question.setText(text(unanswered, itemCount));
    QPushButton *goBack = question.addButton(QuestionnairesTr::tr("Go back"), QMessageBox::RejectRole);
    // An empty form has no value to write: 0.00 would be a guess, not a score.
    QPushButton *accept = unanswered.size() < itemCount
        ? question.addButton(QuestionnairesTr::tr("Accept anyway"), QMessageBox::AcceptRole)
        : nullptr;
    question.setDefaultButton(goBack);
    question.setEscapeButton(goBack);
    question.exec();
    return accept && question.clickedButton() == accept;
}
