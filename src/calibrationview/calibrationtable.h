#ifndef CALIBRATIONTABLE_H
#define CALIBRATIONTABLE_H

#include <QTableWidget>

struct Calibration;

// A calibration's figures month by month: people, mean error, its standard deviation and
// the 95 % offsets, read-only; "no range" where a month has too few people.
class CalibrationTable : public QTableWidget
{
    Q_OBJECT

public:
    explicit CalibrationTable(QWidget *parent = nullptr);

    // Shows the calibration's months, or none for null.
    void showCalibration(const Calibration *calibration);
};

#endif // CALIBRATIONTABLE_H
