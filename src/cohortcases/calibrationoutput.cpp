#include "calibrationoutput.h"

#include "calibrationbuilder.h"
#include "cohortcasestr.h"
#include "jsonnumber.h"

#include <cmath>

QByteArray calibrationJson(const Calibration &calibration)
{
    QByteArray out = "{\"months\": [";
    for (int k = 1; k <= CourseMonths; ++k) {
        const CalibrationMonth &m = calibration.month(k);
        if (k > 1)
            out += ", ";
        out += "{\"month\": " + QByteArray::number(k) + ", \"n\": " + QByteArray::number(m.n);
        out += ", \"mean_error\": ";
        appendJsonNumber(out, m.meanError);
        out += ", \"sd_error\": ";
        appendJsonNumber(out, m.sdError);
        if (m.hasOffsets()) {
            out += ", \"low\": ";
            appendJsonNumber(out, *m.low);
            out += ", \"high\": ";
            appendJsonNumber(out, *m.high);
        }
        out += '}';
    }
    out += "]}\n";
    return out;
}

QString calibrationText(const Calibration &calibration, const QString &sourceName)
{
    const auto figure = [](double value) {
        return std::isfinite(value) ? QString::number(value, 'f', 2) : QStringLiteral("–");
    };
    QString out = CohortCasesTr::tr("Calibration of model TELMA %1 on %2\n%3 people observed\n\n")
                      .arg(calibration.modelVersion, sourceName)
                      .arg(calibration.people);
    out += CohortCasesTr::tr("month      n  mean error  sd error   95% low  95% high\n");
    for (int k = 1; k <= CourseMonths; ++k) {
        const CalibrationMonth &m = calibration.month(k);
        out += QStringLiteral("%1 %2 %3 %4 ")
                   .arg(k, 5)
                   .arg(m.n, 6)
                   .arg(figure(m.meanError), 11)
                   .arg(figure(m.sdError), 9);
        if (m.hasOffsets())
            out += QStringLiteral("%1 %2\n").arg(figure(*m.low), 9).arg(figure(*m.high), 9);
        else
            out += CohortCasesTr::tr("  no range: fewer than %1 people\n").arg(CalibrationBuilder::MinimumPeople);
    }
    return out;
}
