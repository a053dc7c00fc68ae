#ifndef SAVECASEBUTTON_H
#define SAVECASEBUTTON_H

#include "bmicourse.h"

#include <QVector>

#include <array>
#include <functional>

class CaseBookAccess;
struct CaseRecord;
class graph;

// Questionnaire answers item by item, per predictor, as the main window keeps them.
using PredictorAnswers = std::array<QVector<int>, PredictorCount>;

// Adds "Save to case…" beside the result dialog's other actions. It saves the dialog's
// simulation, with answers, as a new case; the dialog then shows the case code and its
// report carries it. onSaved hears the case as stored, so that the caller can take it as the
// case its form now holds.
void addSaveCaseButton(graph &result, CaseBookAccess &caseBook, const PredictorAnswers &answers,
                       std::function<void(const CaseRecord &)> onSaved = {});

#endif // SAVECASEBUTTON_H
