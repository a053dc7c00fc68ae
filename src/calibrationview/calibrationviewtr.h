#ifndef CALIBRATIONVIEWTR_H
#define CALIBRATIONVIEWTR_H

#include <QCoreApplication>

// The translation context of every text the calibrationview library shows.
struct CalibrationViewTr
{
    Q_DECLARE_TR_FUNCTIONS(CalibrationView)
};

#endif // CALIBRATIONVIEWTR_H
