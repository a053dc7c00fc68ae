#ifndef QUESTIONNAIRELAUNCHER_H
#define QUESTIONNAIRELAUNCHER_H

#include "predictorcheck.h"

#include <QDialog>
#include <QLineEdit>

// The main window's launchers all end the same way: run the (already prepared) dialog
// modally and, only if it is accepted, write its converted score into the field.
// No range check here: the simulation alone decides whether a value is acceptable.
template <typename Questionnaire>
void runQuestionnaire(Questionnaire &dialog, QLineEdit *field, double divisor = 1.0)
{
    if (dialog.exec() == QDialog::Accepted)
        field->setText(formatPredictor(dialog.score() / divisor));
}

#endif // QUESTIONNAIRELAUNCHER_H
