#ifndef CASEBOOKCALIBRATION_H
#define CASEBOOKCALIBRATION_H

#include "calibration.h"

#include <QStringList>

class CaseStore;
struct CohortRecord;
class CalibrationBuilder;

// A calibration made from the case book's own cases and visits, from exactly the values
// validate --cases uses: for month K the last visit within half a month of K against the
// predicted value of month K.
class CaseBookCalibration
{
public:
    // False when the book cannot be read; the store says why. A case with a predictor
    // outside its range is left out, listed in refusals as "code: reason".
    static bool make(CaseStore &store, const QString &modelVersion, Calibration *calibration,
                     QStringList *refusals = nullptr);
    // Adds a cohort row as validation counts it: a refused row adds nothing.
    static bool add(CalibrationBuilder &builder, const CohortRecord &record);
};

#endif // CASEBOOKCALIBRATION_H
