#ifndef CALIBRATIONDIALOG_H
#define CALIBRATIONDIALOG_H

#include "calibration.h"

#include <QDialog>

#include <optional>

class CalibrationTable;
class CaseStore;
class QLabel;
class QPushButton;

// "Calibration": the clinic's calibration in use (when, who, from what, and its figures),
// making a new one from this case book's visits, which is shown and asked about before it
// is put in use, and using none.
class CalibrationDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CalibrationDialog(CaseStore &store, QWidget *parent = nullptr);

    // Whether the calibration in use changed while the dialog was open.
    bool changed() const { return m_changed; }

private:
    void calibrateFromBook();
    void dropCalibration();
    // Reads the one in use again and shows it.
    void refresh();
    // Shows the new figures and asks before putting them in use.
    bool confirmUse(const Calibration &calibration, int refused);
    void warn(const QString &message);

    CaseStore &m_store;
    std::optional<Calibration> m_inUse;
    QLabel *m_summary;
    CalibrationTable *m_table;
    QPushButton *m_drop;
    bool m_changed = false;
};

#endif // CALIBRATIONDIALOG_H
