#include "resultreport.h"

#include "bmiclass.h"
#include "bodyweight.h"
#include "coursecaution.h"
#include "predictorcheck.h"
#include "reportpage.h"
#include "reportwriter.h"
#include "resulttr.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

const char *const predictorNames[PredictorCount] = {
    QT_TRANSLATE_NOOP("Result", "Restrained eating"),
    QT_TRANSLATE_NOOP("Result", "Emotional eating"),
    QT_TRANSLATE_NOOP("Result", "External eating"),
    QT_TRANSLATE_NOOP("Result", "Personal standards"),
    QT_TRANSLATE_NOOP("Result", "Concern over mistakes, doubts about actions"),
    QT_TRANSLATE_NOOP("Result", "Body image dissatisfaction"),
    QT_TRANSLATE_NOOP("Result", "Alexithymia"),
    QT_TRANSLATE_NOOP("Result", "Initial BMI (kg/m²)"),
};

// The shortest text that reads back as the same number, as the simulation used it.
QString exactNumber(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

QString fixed(double value, int decimals, bool sign = false)
{
    const QString text = QString::number(value, 'f', decimals);
    return sign && value >= 0 ? QLatin1Char('+') + text : text;
}

} // namespace

ResultReport::ResultReport(const SimulationRecord &record, const ChartXY &chart)
    : m_record(record)
    , m_chart(chart)
{
}

void ResultReport::preparePage(QPagedPaintDevice &device)
{
    ReportPage::prepare(device);
}

bool ResultReport::paint(QPagedPaintDevice &device) const
{
    return document().paint(device);
}

void ResultReport::paint(QPainter &painter, const QRectF &target) const
{
    document().paintPage(painter, target, 0);
}

bool ResultReport::savePdf(const QString &fileName, QString *error) const
{
    return ReportWriter::savePdf(document(), fileName, error);
}

QString ResultReport::title() const
{
    return ResultTr::tr("Predicted BMI course during CBT treatment of obesity");
}

QString ResultReport::statementText()
{
    return ResultTr::tr("What this is: the predicted course comes from a fixed closed formula of the "
                        "eight predictors above. It is meant for adults in cognitive-behavioural "
                        "treatment (CBT) of obesity. It supports clinical judgement and does not "
                        "replace it.");
}

QString ResultReport::predictorName(Predictor predictor)
{
    return ResultTr::tr(predictorNames[static_cast<int>(predictor)]);
}

ReportDocument ResultReport::document() const
{
    ReportDocument report(title());
    const QString when = m_record.time.isValid()
        ? QLocale::c().toString(m_record.time, QStringLiteral("yyyy-MM-dd HH:mm"))
        : ResultTr::tr("unknown");
    QString meta =
        ResultTr::tr("Simulation of %1 · model TELMA %2").arg(when, QStringLiteral(TELMA_VERSION));
    if (!m_record.caseCode.isEmpty())
        meta += ResultTr::tr(" · case “%1”").arg(m_record.caseCode);
    if (m_record.caseBaseline.isValid())
        meta += ResultTr::tr(" · baseline %1").arg(m_record.caseBaseline.toString(Qt::ISODate));
    if (!m_record.changedFromCase.isEmpty())
        meta += ResultTr::tr(" · from case “%1”, changed").arg(m_record.changedFromCase);
    report.addHeaderLine(meta);

    report.addHeading(ResultTr::tr("Predictors"));
    ReportTable predictors({{ResultTr::tr("Predictor"), 0.33, ReportTable::Text},
                            {ResultTr::tr("Value"), 0.08, ReportTable::Number},
                            {ResultTr::tr("Accepted range"), 0.20, ReportTable::Number},
                            {ResultTr::tr("Source"), 0.39, ReportTable::Text}});
    for (int i = 0; i < PredictorCount; ++i) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(i));
        const QString source = m_record.sources[i].isEmpty() ? ResultTr::tr("typed")
                                                             : m_record.sources[i];
        predictors.addRow({ResultTr::tr(predictorNames[i]),
                           m_record.hasPredictors ? exactNumber(m_record.predictors[i])
                                                  : ResultTr::tr("not given"),
                           ResultTr::tr("%1 to %2").arg(exactNumber(range.lower), exactNumber(range.upper)),
                           m_record.hasPredictors ? source : QString()});
    }
    report.addTable(predictors);
    if (!m_record.changedFromCase.isEmpty())
        report.addParagraph(ResultTr::tr("Not the stored case “%1”: changed since it was loaded, %2.")
                                .arg(m_record.changedFromCase, m_record.changes.join(QStringLiteral("; "))),
                            ReportDocument::Strong);

    report.addHeading(ResultTr::tr("Predicted course"));
    // Kilograms beside each BMI where the height is known; empty cells say so below.
    // Each column as wide as the longest word of its title, so that none is cut.
    ReportTable course({{ResultTr::tr("Month"), 0.10, ReportTable::Number},
                        {ResultTr::tr("BMI (kg/m²)"), 0.13, ReportTable::Number},
                        {ResultTr::tr("Weight (kg)"), 0.12, ReportTable::Number},
                        {ResultTr::tr("Change (kg/m²)"), 0.15, ReportTable::Number},
                        {ResultTr::tr("Change (kg)"), 0.12, ReportTable::Number},
                        {ResultTr::tr("Change (%)"), 0.11, ReportTable::Number},
                        {ResultTr::tr("WHO class"), 0.27, ReportTable::Text}});
    const double initial = m_record.predictors[static_cast<int>(Predictor::InitialBmi)];
    const std::optional<double> height = m_record.heightMetres;
    for (int m = 0; m < CourseMonths; ++m) {
        const double bmi = m_record.course[m];
        const bool known = m_record.hasPredictors;
        const std::optional<double> weight = weightFromBmi(bmi, height);
        const std::optional<double> change = weightFromBmi(bmi - initial, height);
        course.addRow({QString::number(m + 1), fixed(bmi, 2),
                       weight ? fixed(*weight, 1) : QString(),
                       known ? fixed(bmi - initial, 2, true) : QString(),
                       known && change ? fixed(*change, 1, true) : QString(),
                       known ? fixed(100.0 * (bmi - initial) / initial, 1, true) : QString(),
                       bmiClassName(bmi)});
    }
    report.addTable(course);
    if (!height)
        report.addParagraph(ResultTr::tr("No height was given, so the course is not shown in kilograms."),
                            ReportDocument::Small);

    // The chart gives up room so that the statement and cautions stay on the page.
    report.addChart(m_chart, ResultTr::tr("BMI (kg/m²)"), ResultTr::tr("Month"), {290, 145});
    // The band's source, so that a reader knows whose outcomes it shows.
    if (m_record.calibration)
        report.addParagraph(m_record.calibration->sourceLine());
    report.addParagraph(statementText());
    if (m_record.hasCourse)
        for (const CourseCaution &caution : recordCautions(m_record))
            report.addParagraph(caution.text, ReportDocument::Strong);
    return report;
}
