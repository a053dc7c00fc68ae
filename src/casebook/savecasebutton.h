#ifndef SAVECASEBUTTON_H
#define SAVECASEBUTTON_H

#include "bmicourse.h"

#include <QVector>

#include <array>

class CaseBookAccess;
class graph;

// Questionnaire answers item by item, per predictor, as the main window keeps them.
using PredictorAnswers = std::array<QVector<int>, PredictorCount>;

// Adds "Save to case…" beside the result dialog's other actions. It saves the dialog's
// simulation, with answers, as a new case; the dialog then shows the case code and its
// report carries it.
void addSaveCaseButton(graph &result, CaseBookAccess &caseBook, const PredictorAnswers &answers);

#endif // SAVECASEBUTTON_H
