#include "questionnaireview.h"

#include "casebooktr.h"
#include "dialog.h"
#include "dialog_alex.h"
#include "dialog_bod.h"
#include "dialog_mps.h"
#include "questionnaireanswers.h"

#include <QCoreApplication>

namespace {

enum class Form { Eating, Perfectionism, BodyImage, Alexithymia };

struct Source {
    Form form;
    int scale;
    const char *title;
};

// Predictor by predictor, in the main window's order.
const Source sources[] = {
    {Form::Eating, Dialog::RestrainedEating, QT_TRANSLATE_NOOP("CaseBook", "DEBQ, “Restrained eating” scale")},
    {Form::Eating, Dialog::EmotionalEating, QT_TRANSLATE_NOOP("CaseBook", "DEBQ, “Emotional eating” scale")},
    {Form::Eating, Dialog::ExternalEating, QT_TRANSLATE_NOOP("CaseBook", "DEBQ, “External eating” scale")},
    {Form::Perfectionism, Dialog_mps::PersonalStandards, QT_TRANSLATE_NOOP("CaseBook", "MPS-FROST, “Personal standards” scale")},
    {Form::Perfectionism, Dialog_mps::ConcernOverMistakesAndDoubts, QT_TRANSLATE_NOOP("CaseBook", "MPS-FROST, “Concern over mistakes, doubts about actions” scale")},
    {Form::BodyImage, 0, QT_TRANSLATE_NOOP("CaseBook", "Body image questionnaire")},
    {Form::Alexithymia, 0, QT_TRANSLATE_NOOP("CaseBook", "TAS-26")},
};

template <typename Questionnaire>
void run(Questionnaire &dialog, const QString &title, const QVector<int> &answers)
{
    dialog.setWindowTitle(CaseBookTr::tr("Answers: %1")
                              .arg(title));
    QuestionnaireAnswers::showReadOnly(&dialog, answers);
    dialog.exec();
}

} // namespace

namespace QuestionnaireView {

QString title(int predictor)
{
    if (predictor < 0 || predictor >= int(std::size(sources)))
        return QString();
    return CaseBookTr::tr(sources[predictor].title);
}

void show(int predictor, const QVector<int> &answers, QWidget *parent)
{
    if (predictor < 0 || predictor >= int(std::size(sources)))
        return;
    const Source &source = sources[predictor];
    const QString name = title(predictor);
    switch (source.form) {
    case Form::Eating: {
        Dialog dialog(parent);
        dialog.setScale(source.scale, name);
        run(dialog, name, answers);
        break;
    }
    case Form::Perfectionism: {
        Dialog_mps dialog(parent);
        dialog.setScale(source.scale, name);
        run(dialog, name, answers);
        break;
    }
    case Form::BodyImage: {
        Dialog_bod dialog(parent);
        run(dialog, name, answers);
        break;
    }
    case Form::Alexithymia: {
        Dialog_alex dialog(parent);
        run(dialog, name, answers);
        break;
    }
    }
}

} // namespace QuestionnaireView
