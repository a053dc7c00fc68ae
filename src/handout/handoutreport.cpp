#include "handoutreport.h"

#include "chartxyseriesstyle.h"
#include "followupcase.h"
#include "handouttr.h"
#include "reportchart.h"
#include "reporttable.h"
#include "reportwriter.h"
#include "simulationrecord.h"

#include <cmath>

namespace {

// Points of the expected course per month: enough for the curve to look smooth.
constexpr int StepsPerMonth = 10;
// A narrow chart viewport, so that its labels print at about 15 pt.
constexpr ReportDocument::ChartSize ChartSize{220, 150, 400};

QString decimal(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

HandoutReport::HandoutReport(const SimulationRecord &record, const QDate &madeOn)
    : m_code(record.caseCode)
    , m_madeOn(madeOn)
    , m_predictors(record.predictors)
    , m_course(record.course)
    , m_initialBmi(record.predictors[int(Predictor::InitialBmi)])
    , m_heightM(record.heightMetres)
{
    for (const CourseCaution &caution : recordCautions(record))
        m_cautions << caution.kind;
    dropRepeatedCautions();
    makeChart();
}

HandoutReport::HandoutReport(const FollowUpCase &followUp, const QDate &madeOn)
    : m_code(followUp.code)
    , m_madeOn(madeOn)
    , m_predictors(followUp.predictors)
    , m_course(predictBmiCourse(followUp.predictors))
    , m_initialBmi(followUp.predictors[int(Predictor::InitialBmi)])
    , m_heightM(followUp.heightM)
    , m_followUp(true)
    , m_baseline(followUp.baseline)
    , m_visits(followUp.visits)
{
    for (const CourseCaution &caution : courseCautions(m_course, m_initialBmi))
        m_cautions << caution.kind;
    dropRepeatedCautions();
    makeChart();
}

HandoutReport::~HandoutReport() = default;

// Below the lowest BMI the estimate knows is below a healthy weight too: one sentence says
// what the person needs to hear.
void HandoutReport::dropRepeatedCautions()
{
    if (m_cautions.contains(CourseCaution::BelowLowestBmi))
        m_cautions.removeAll(CourseCaution::Underweight);
}

QString HandoutReport::title() const
{
    return HandoutTr::tr("Your expected course");
}

QString HandoutReport::defaultFileName() const
{
    return ReportWriter::defaultFileName(m_code, m_madeOn, QStringLiteral("handout"));
}

std::optional<double> HandoutReport::kilograms(double bmi) const
{
    if (!m_heightM)
        return std::nullopt;
    return bmi * *m_heightM * *m_heightM;
}

// In kilograms when the height is known, else as a BMI.
QString HandoutReport::amount(double bmi) const
{
    const std::optional<double> kg = kilograms(bmi);
    return decimal(kg ? *kg : bmi);
}

void HandoutReport::makeChart()
{
    m_chart = std::make_unique<ReportChart>();
    QList<QPointF> course;
    for (int step = 0; step <= CourseMonths * StepsPerMonth; ++step) {
        const double month = double(step) / StepsPerMonth;
        const double bmi = predictBmiAt(m_predictors, month);
        course << QPointF(month, kilograms(bmi).value_or(bmi));
    }
    const int expected = m_chart->addSeries(HandoutTr::tr("Expected"), QColor(200, 0, 0), course);
    m_chart->style(expected).setLineWidth(2.5);
    if (m_followUp && !m_visits.isEmpty()) {
        QList<QPointF> visits;
        for (const Visit &visit : m_visits) {
            const double value = m_heightM ? visit.weightKg.value_or(*kilograms(visit.bmi))
                                           : visit.bmi;
            visits << QPointF(visitMonth(m_baseline, visit.date), value);
        }
        const int shown = m_chart->addSeries(HandoutTr::tr("Your visits"), QColor(0, 70, 190), visits);
        m_chart->style(shown).setLineWidth(1);
        m_chart->style(shown).setMarker(ChartXYSeriesStyle::Square);
        m_chart->style(shown).setMarkerSize(9);
    }
    m_chart->update();
}

QString HandoutReport::plainCaution(CourseCaution::Kind kind)
{
    // Each follows "Please note about this estimate", one short line.
    switch (kind) {
    case CourseCaution::LargeLoss:
        return HandoutTr::tr("It shows more loss than treatment usually aims for.");
    case CourseCaution::FastMonthlyFall:
        return HandoutTr::tr("It shows weight falling fast; a slower pace is usually safer.");
    case CourseCaution::Underweight:
        return HandoutTr::tr("It goes below a healthy weight, which is not a goal.");
    case CourseCaution::BelowLowestBmi:
        return HandoutTr::tr("It goes lower than it can be trusted for; do not rely on it.");
    case CourseCaution::NoNumber:
        return HandoutTr::tr("Part of it could not be worked out.");
    }
    return QString();
}

ReportDocument HandoutReport::document() const
{
    ReportDocument page(title(), ReportDocument::largePrint());
    page.setMadeOn(m_madeOn);
    page.setFooterText(HandoutTr::tr("Made on %1 with the program TELMA %2"));
    page.addHeaderLine(m_code.isEmpty()
                           ? m_madeOn.toString(Qt::ISODate)
                           : HandoutTr::tr("%1 · case %2").arg(m_madeOn.toString(Qt::ISODate), m_code));

    page.addHeading(HandoutTr::tr("What these numbers are"));
    page.addParagraph(HandoutTr::tr("These numbers are an estimate, worked out from the answers you "
                                    "gave at the start of your treatment. They are not a promise: "
                                    "your own course may well be different. Please talk them over "
                                    "with your clinician."));
    addCourse(page);
    if (m_followUp)
        addVisits(page);
    if (!m_cautions.isEmpty()) {
        page.addHeading(HandoutTr::tr("Please note about this estimate"));
        QStringList lines;
        for (CourseCaution::Kind kind : m_cautions)
            lines << plainCaution(kind);
        lines << HandoutTr::tr("Please talk about this with your clinician.");
        page.addParagraph(lines.join(QLatin1Char('\n')));
    }
    return page;
}

void HandoutReport::addCourse(ReportDocument &page) const
{
    page.addHeading(HandoutTr::tr("Your expected course, month by month"));
    const QString unit = m_heightM ? HandoutTr::tr("Weight (kg)") : HandoutTr::tr("BMI");
    page.addChart(m_chart->chart(), unit, HandoutTr::tr("Month"), ChartSize);

    // The months side by side, so that the table stays short.
    QList<ReportTable::Column> columns = {{HandoutTr::tr("Month"), 0.22, ReportTable::Text},
                                          {HandoutTr::tr("Start"), 0.12, ReportTable::Number}};
    for (int m = 1; m <= CourseMonths; ++m)
        columns.append({QString::number(m), 0.11, ReportTable::Number});
    ReportTable table(columns);
    QStringList bmis{HandoutTr::tr("BMI"), decimal(m_initialBmi)};
    for (double bmi : m_course)
        bmis << decimal(bmi);
    if (m_heightM) {
        QStringList weights{HandoutTr::tr("Weight (kg)"), amount(m_initialBmi)};
        for (double bmi : m_course)
            weights << amount(bmi);
        table.addRow(weights);
    }
    table.addRow(bmis);
    page.addTable(table);
    if (!m_heightM)
        page.addParagraph(HandoutTr::tr("BMI (body mass index) is your weight in kilograms divided by "
                                        "your height in metres, squared. It lets weight be compared "
                                        "whatever a person's height."));
}

void HandoutReport::addVisits(ReportDocument &page) const
{
    page.addHeading(HandoutTr::tr("Your visits so far"));
    if (m_visits.isEmpty()) {
        page.addParagraph(HandoutTr::tr("No visits yet."));
        return;
    }
    const QString unit = m_heightM ? HandoutTr::tr("Weight (kg)") : HandoutTr::tr("BMI");
    ReportTable table({{HandoutTr::tr("Date"), 0.34, ReportTable::Text},
                       {unit, 0.33, ReportTable::Number},
                       {HandoutTr::tr("Expected then"), 0.33, ReportTable::Number}});
    const auto measured = [&](const Visit &visit) {
        return m_heightM ? visit.weightKg.value_or(*kilograms(visit.bmi)) : visit.bmi;
    };
    const int first = std::max(0, int(m_visits.size()) - ListedVisits);
    for (int v = first; v < m_visits.size(); ++v) {
        const Visit &visit = m_visits[v];
        const double month = visitMonth(m_baseline, visit.date);
        // The estimate reaches six months; later visits have nothing to be set against.
        const QString expected = month >= 0 && month <= CourseMonths
            ? amount(predictBmiAt(m_predictors, month))
            : HandoutTr::tr("–");
        table.addRow({visit.date.toString(Qt::ISODate), decimal(measured(visit)), expected});
    }
    page.addTable(table);
    if (first == 1)
        page.addParagraph(HandoutTr::tr("Your first visit is in your clinician's records."));
    else if (first > 1)
        page.addParagraph(HandoutTr::tr("Your %1 earlier visits are in your clinician's records.")
                              .arg(first));

    const double start = m_heightM ? *kilograms(m_initialBmi) : m_initialBmi;
    const double change = measured(m_visits.last()) - start;
    const QString size = decimal(std::abs(change));
    QString sentence;
    if (size == decimal(0))
        sentence = m_heightM ? HandoutTr::tr("Your weight is the same as at the start.")
                             : HandoutTr::tr("Your BMI is the same as at the start.");
    else if (m_heightM)
        sentence = change < 0 ? HandoutTr::tr("Since the start you have lost %1 kg.").arg(size)
                              : HandoutTr::tr("Since the start you have gained %1 kg.").arg(size);
    else
        sentence = change < 0 ? HandoutTr::tr("Since the start your BMI has gone down by %1.").arg(size)
                              : HandoutTr::tr("Since the start your BMI has gone up by %1.").arg(size);
    page.addParagraph(sentence, ReportDocument::Strong);
}
