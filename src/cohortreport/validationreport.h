#ifndef VALIDATIONREPORT_H
#define VALIDATIONREPORT_H

#include "calibrationplot.h"
#include "cohortvalidation.h"
#include "reportdocument.h"

#include <QString>

// The A4 validation report: the input file's name, the program and model version, the
// rows read and refused with each refused row's place and reason, the figures of every
// month, and the calibration plot.
class ValidationReport
{
public:
    ValidationReport(const CohortValidation &validation, const QString &inputName,
                     const QString &version);

    // Both leave nothing at fileName on failure, and error says why.
    bool savePdf(const QString &fileName, QString *error) const;
    bool savePlot(const QString &fileName, QString *error) const;

    ReportDocument document() const;

    // Refused rows listed by place and reason; beyond these the report says how many more.
    static constexpr int ListedRefusals = 40;

private:
    const CohortValidation &m_validation;
    QString m_inputName;
    QString m_version;
    CalibrationPlot m_plot;
};

#endif // VALIDATIONREPORT_H
