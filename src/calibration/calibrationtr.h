#ifndef CALIBRATIONTR_H
#define CALIBRATIONTR_H

#include <QCoreApplication>

// The translation context of every text the calibration library shows.
struct CalibrationTr
{
    Q_DECLARE_TR_FUNCTIONS(Calibration)
};

#endif // CALIBRATIONTR_H
