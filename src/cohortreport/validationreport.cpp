#include "validationreport.h"

#include "cohortreporttr.h"
#include "reportwriter.h"

#include <QDateTime>

#include <cmath>
#include <functional>

namespace {

QString fixed(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("–");
}

QString range(const CalibrationStatistics::Interval &ci, int decimals)
{
    return CohortReportTr::tr("%1 to %2").arg(fixed(ci[0], decimals), fixed(ci[1], decimals));
}

struct Line {
    const char *title;
    std::function<QString(const CalibrationStatistics &)> cell;
};

const Line tableLines[] = {
    {QT_TRANSLATE_NOOP("CohortReport", "n"),
     [](const CalibrationStatistics &s) { return QString::number(s.n); }},
    {QT_TRANSLATE_NOOP("CohortReport", "mean observed BMI"),
     [](const CalibrationStatistics &s) { return fixed(s.meanObserved, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "mean predicted BMI"),
     [](const CalibrationStatistics &s) { return fixed(s.meanPredicted, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "mean error (observed − predicted)"),
     [](const CalibrationStatistics &s) { return fixed(s.meanError, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "   95% CI"),
     [](const CalibrationStatistics &s) { return range(s.meanErrorCi, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "sd of the error"),
     [](const CalibrationStatistics &s) { return fixed(s.sdError, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "   95% limits of agreement"),
     [](const CalibrationStatistics &s) { return range(s.limitsOfAgreement, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "calibration slope"),
     [](const CalibrationStatistics &s) { return fixed(s.slope, 3); }},
    {QT_TRANSLATE_NOOP("CohortReport", "   95% CI"),
     [](const CalibrationStatistics &s) { return range(s.slopeCi, 3); }},
    {QT_TRANSLATE_NOOP("CohortReport", "intercept"),
     [](const CalibrationStatistics &s) { return fixed(s.intercept, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "   95% CI"),
     [](const CalibrationStatistics &s) { return range(s.interceptCi, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "R²"),
     [](const CalibrationStatistics &s) { return fixed(s.r2, 3); }},
    {QT_TRANSLATE_NOOP("CohortReport", "RMSE"),
     [](const CalibrationStatistics &s) { return fixed(s.rmse, 2); }},
    {QT_TRANSLATE_NOOP("CohortReport", "MAE"),
     [](const CalibrationStatistics &s) { return fixed(s.mae, 2); }},
};

} // namespace

ValidationReport::ValidationReport(const CohortValidation &validation, const QString &inputName,
                                   const QString &version)
    : m_validation(validation)
    , m_inputName(inputName)
    , m_version(version)
    , m_plot(validation.points, validation.plotMonth)
{
}

bool ValidationReport::savePlot(const QString &fileName, QString *error) const
{
    if (m_validation.plotMonth == 0) {
        *error = CohortReportTr::tr("No month has observed values in 3 or more accepted rows: no plot.");
        return false;
    }
    return m_plot.save(fileName, error);
}

bool ValidationReport::savePdf(const QString &fileName, QString *error) const
{
    if (ReportWriter::savePdf(document(), fileName, error))
        return true;
    *error = CohortReportTr::tr("Cannot write %1: %2.").arg(fileName, *error);
    return false;
}

ReportDocument ValidationReport::document() const
{
    ReportDocument report(CohortReportTr::tr("Validation of model TELMA"));
    report.addHeaderLine(CohortReportTr::tr("Input file: %1 · model TELMA %2 (telma-cohort %2), made %3")
                             .arg(m_inputName, m_version,
                                  QDateTime::currentDateTime().toString(
                                      QStringLiteral("yyyy-MM-dd HH:mm"))));
    report.addParagraph(CohortReportTr::tr("Rows read: %1; refused: %2 (wrong field count, a predictor "
                                          "outside its range, or an observed BMI that is not a number "
                                          "in 10 to 100)")
                            .arg(m_validation.rowsRead)
                            .arg(m_validation.rowsRefused));

    if (m_validation.months.empty()) {
        report.addParagraph(CohortReportTr::tr("No month has observed values in 3 or more accepted rows."),
                            ReportDocument::Strong);
    } else {
        const auto &months = m_validation.months;
        QList<ReportTable::Column> columns = {{QString(), 0.28, ReportTable::Text}};
        for (const CohortValidation::Month &month : months)
            columns.append({CohortReportTr::tr("month %1").arg(month.month), 0.72 / double(months.size()),
                            ReportTable::Number});
        ReportTable figures(columns);
        figures.setPoints(8);
        for (const Line &line : tableLines) {
            QStringList cells{CohortReportTr::tr(line.title)};
            for (const CohortValidation::Month &month : months)
                cells << line.cell(month.statistics);
            figures.addRow(cells);
        }
        report.addTable(figures);
        QString plotText = CohortReportTr::tr("Calibration plot, month %1: each point is one person; points "
                                              "on the dashed line were predicted exactly, points above it "
                                              "did worse (a higher BMI) than predicted.")
                               .arg(m_validation.plotMonth);
        // Of a large cohort the plot shows a sample, and says so.
        if (qint64(m_validation.points.size()) < m_validation.plotPeople)
            plotText += QLatin1Char(' ')
                        + CohortReportTr::tr("It shows %1 of the %2 people, chosen at random.")
                              .arg(qint64(m_validation.points.size()))
                              .arg(m_validation.plotPeople);
        report.addParagraph(plotText);
        report.addChart(m_plot.chart(), m_plot.yTitle(), m_plot.xTitle(), {420, 300});
    }
    report.addParagraph(CohortReportTr::tr("Mean error: observed − predicted (calibration-in-the-large); an "
                                          "interval that excludes 0 shows a bias. Limits of agreement: the mean "
                                          "error ± 1.96 sd, where most single people fall. Calibration slope and "
                                          "intercept: the least-squares line observed = intercept + slope · "
                                          "predicted; a slope of 1 and an intercept of 0 mean no systematic "
                                          "deviation. R² compares the predictions as they are with the mean "
                                          "of the observed values, so it can be negative. 95% intervals from "
                                          "Student's t (n − 1 and n − 2 degrees of freedom)."),
                        ReportDocument::Small);

    // Each refused row by its place and reason, up to a page of them; the rest are counted.
    if (!m_validation.refusals.empty()) {
        report.addHeading(CohortReportTr::tr("Refused rows"));
        ReportTable refused({{CohortReportTr::tr("Where"), 0.2, ReportTable::Text},
                             {CohortReportTr::tr("Reason"), 0.8, ReportTable::Text}});
        const int listed = std::min(int(m_validation.refusals.size()), ListedRefusals);
        for (int i = 0; i < listed; ++i)
            refused.addRow({m_validation.refusals[size_t(i)].where,
                            m_validation.refusals[size_t(i)].reason});
        report.addTable(refused);
        const qint64 more = m_validation.rowsRefused - listed;
        if (more > 0)
            report.addParagraph(CohortReportTr::tr("… and %1 more refused rows; telma-cohort lists every "
                                                  "one on standard error.")
                                    .arg(more));
    }
    return report;
}
