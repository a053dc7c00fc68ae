#ifndef CALIBRATIONOUTPUT_H
#define CALIBRATIONOUTPUT_H

#include "calibration.h"

#include <QByteArray>
#include <QString>

// telma-cohort calibrate's output. JSON: {"months": [{"month", "n", "mean_error",
// "sd_error", "low", "high"}, …]} in full precision, without low and high where a month
// has no offsets and null where a figure cannot be computed.
QByteArray calibrationJson(const Calibration &calibration);
// A table for people, headed by where the figures come from.
QString calibrationText(const Calibration &calibration, const QString &sourceName);

#endif // CALIBRATIONOUTPUT_H
