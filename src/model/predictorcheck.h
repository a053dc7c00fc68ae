#ifndef PREDICTORCHECK_H
#define PREDICTORCHECK_H

#include "bmicourse.h"

#include <QString>
#include <QStringList>

// The accepted range of one predictor field and the warning shown when its text fails.
struct PredictorRange {
    double lower;
    double upper;
    const char *message; // untranslated; context "MainWindow"
};

const PredictorRange &predictorRange(Predictor predictor);

// Reads a field the way the simulation does: C locale, bounds included. Text that is not a
// number, holds a group separator ("1,000"), or is not finite fails like a value out of range.
bool readPredictor(const QString &text, const PredictorRange &range, double *value);

// Why text was refused for range, in one or two sentences that name the accepted range,
// e.g. "“35,5” uses a decimal comma: write 35.5." or "70 is outside 15 to 67.".
// Context "PredictorCheck".
QString refusalReason(const QString &text, const PredictorRange &range);

// Checks the eight field texts in order. Returns the index of the first failing field,
// or -1 when all pass, in which case values holds the eight numbers.
int firstInvalidPredictor(const QStringList &texts, PredictorValues *values);

// The text a questionnaire writes into a field: fixed point, two decimals, a period.
QString formatPredictor(double value);

#endif // PREDICTORCHECK_H
