#ifndef VALIDATIONREPORT_H
#define VALIDATIONREPORT_H

#include "calibrationplot.h"
#include "cohortvalidation.h"

#include <QString>

class QPainter;

// The one-page A4 validation report: the input file's name, the program and model version,
// the rows read and refused, the figures of every month, and the calibration plot.
class ValidationReport
{
public:
    ValidationReport(const CohortValidation &validation, const QString &inputName,
                     const QString &version);

    // Both leave nothing at fileName on failure, and error says why.
    bool savePdf(const QString &fileName, QString *error) const;
    bool savePlot(const QString &fileName, QString *error) const;

private:
    double paintText(QPainter &painter, double top, const QString &text, int points,
                     bool bold = false) const;
    double paintTable(QPainter &painter, double top) const;
    double paintPlot(QPainter &painter, double top) const;

    const CohortValidation &m_validation;
    QString m_inputName;
    QString m_version;
    CalibrationPlot m_plot;
};

#endif // VALIDATIONREPORT_H
