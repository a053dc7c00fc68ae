#ifndef QUESTIONNAIRESTR_H
#define QUESTIONNAIRESTR_H

#include <QCoreApplication>

// The translation context of every text the questionnaires library shows.
struct QuestionnairesTr
{
    Q_DECLARE_TR_FUNCTIONS(Questionnaires)
};

#endif // QUESTIONNAIRESTR_H
