#include "calibration.h"

#include "calibrationtr.h"

#include <QCoreApplication>

QString Calibration::sourceText() const
{
    if (fromCaseBook())
        return CalibrationTr::tr("this case book");
    return CalibrationTr::tr("%1 (SHA-256 %2)").arg(sourceFile, sourceSha256);
}

QString Calibration::sourceLine() const
{
    return CalibrationTr::tr(
                                       "Clinic range: 95 % of this clinic's outcomes, calibration of "
                                       "%1 from %2 people, model TELMA %3")
        .arg(madeAt.toLocalTime().date().toString(Qt::ISODate))
        .arg(people)
        .arg(modelVersion);
}
