#include "followupreport.h"

#include "bodyweight.h"
#include "coursecaution.h"
#include "followuptablemodel.h"
#include "followupviewtr.h"
#include "reportpage.h"
#include "reportwriter.h"
#include "resultreport.h"

#include <QCoreApplication>
#include <QLocale>

namespace {

constexpr double TablePoints = 8;

QString exactNumber(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

FollowUpReport::FollowUpReport(const FollowUpTableModel &table, const ChartXY &chart,
                               const QDate &madeOn)
    : m_table(table)
    , m_chart(chart)
    , m_madeOn(madeOn)
{
}

void FollowUpReport::preparePage(QPagedPaintDevice &device)
{
    ReportPage::prepare(device);
}

bool FollowUpReport::paint(QPagedPaintDevice &device) const
{
    return document().paint(device);
}

void FollowUpReport::paint(QPainter &painter, const QRectF &target) const
{
    document().paintPage(painter, target, 0);
}

bool FollowUpReport::savePdf(const QString &fileName, QString *error) const
{
    return ReportWriter::savePdf(document(), fileName, error);
}

QString FollowUpReport::title() const
{
    return FollowUpViewTr::tr("Follow-up of a predicted BMI course");
}

ReportDocument FollowUpReport::document() const
{
    ReportDocument report(title());
    report.setMadeOn(m_madeOn);
    const FollowUpCase &followUp = m_table.followUp();

    const QString height = followUp.heightM
        ? ReportTable::withUnit(QString::number(*followUp.heightM, 'f', 2), FollowUpViewTr::tr("m"))
        : FollowUpViewTr::tr("not recorded");
    const QString version =
        followUp.modelVersion.isEmpty() ? QStringLiteral(TELMA_VERSION) : followUp.modelVersion;
    report.addHeaderLine(FollowUpViewTr::tr("Case %1 · baseline %2 · height %3 · predicted with model TELMA %4")
                             .arg(followUp.code, followUp.baseline.toString(Qt::ISODate),
                                  height, version));

    report.addHeading(FollowUpViewTr::tr("Predictors"));
    ReportTable predictors({{FollowUpViewTr::tr("Predictor"), 0.45, ReportTable::Text},
                            {FollowUpViewTr::tr("Value"), 0.08, ReportTable::Number},
                            {FollowUpViewTr::tr("Source"), 0.47, ReportTable::Text}});
    predictors.setPoints(TablePoints);
    for (int i = 0; i < PredictorCount; ++i) {
        const QString &source = followUp.sources[i];
        predictors.addRow({ResultReport::predictorName(static_cast<Predictor>(i)),
                           exactNumber(followUp.predictors[i]),
                           source.isEmpty() ? FollowUpViewTr::tr("typed") : source});
    }
    report.addTable(predictors);

    report.addHeading(FollowUpViewTr::tr("Visits"));
    if (m_table.rowCount() == 0) {
        report.addParagraph(FollowUpViewTr::tr("No visits yet."));
    } else {
        // Every visit, as the case book's table shows it; the rows go on over the next page.
        // With the clinic's range the page has two more columns and the others narrow;
        // each is wide enough for the longest word of its title, so that no unit breaks.
        const double widths[FollowUpTableModel::ColumnCount] = {0.12, 0.08, 0.13, 0.10, 0.13,
                                                                 0.13, 0.12, 0.12, 0, 0};
        const double narrow[FollowUpTableModel::ColumnCount] = {0.10, 0.06, 0.09, 0.08, 0.09,
                                                                 0.10, 0.10, 0.10, 0.12, 0.14};
        const int shown = m_table.columnCount();
        QList<ReportTable::Column> columns;
        for (int c = 0; c < shown; ++c)
            columns.append({m_table.headerData(c, Qt::Horizontal).toString(),
                            m_table.hasRange() ? narrow[c] : widths[c],
                            c > 0 && c != FollowUpTableModel::CourseColumn ? ReportTable::Number
                                                                           : ReportTable::Text});
        ReportTable visits(columns);
        // Ten columns fit the page only a size smaller, each word of their titles whole.
        visits.setPoints(m_table.hasRange() ? TablePoints - 1.5 : TablePoints);
        QStringList notes;
        for (int r = 0; r < m_table.rowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < shown; ++c)
                cells << m_table.index(r, c).data().toString();
            visits.addRow(cells);
            const Visit &visit = m_table.visitAt(r);
            if (!visit.note.isEmpty())
                notes << FollowUpViewTr::tr("%1: %2").arg(visit.date.toString(Qt::ISODate), visit.note);
        }
        report.addTable(visits);
        if (!followUp.heightM)
            report.addParagraph(missingHeightReason(), ReportDocument::Small);
        if (!notes.isEmpty()) {
            report.addHeading(FollowUpViewTr::tr("Notes of the visits"));
            report.addParagraph(notes.join(QLatin1Char('\n')));
        }
    }

    // The predicted course as numbers, beside the chart that draws it; its own first
    // column names it, so that half a year of weekly visits still fits on the page.
    const BmiCourse course = predictBmiCourse(followUp.predictors);
    // Month by month across, so that it takes three lines of the page.
    QList<ReportTable::Column> courseColumns = {{FollowUpViewTr::tr("Predicted, month"), 0.19, ReportTable::Text}};
    QStringList bmiRow{FollowUpViewTr::tr("BMI (kg/m²)")};
    QStringList weightRow{FollowUpViewTr::tr("Weight (kg)")};
    for (int m = 0; m < CourseMonths; ++m) {
        courseColumns.append({QString::number(m + 1), 0.09, ReportTable::Number});
        bmiRow << QString::number(course[m], 'f', 2);
        const std::optional<double> kg = weightFromBmi(course[m], followUp.heightM);
        weightRow << (kg ? QString::number(*kg, 'f', 1) : QString());
    }
    ReportTable predicted(courseColumns);
    predicted.setPoints(TablePoints);
    predicted.addRow(bmiRow);
    if (followUp.heightM)
        predicted.addRow(weightRow);
    report.addTable(predicted);

    report.addChart(m_chart, FollowUpViewTr::tr("BMI (kg/m²)"), FollowUpViewTr::tr("Month"), {290, 165});
    // The band's source, so that a reader knows whose outcomes it shows.
    if (m_table.hasRange())
        report.addParagraph(followUp.calibration->sourceLine());
    report.addParagraph(ResultReport::statementText());
    const QList<CourseCaution> cautions =
        courseCautions(course, followUp.predictors[int(Predictor::InitialBmi)]);
    for (const CourseCaution &caution : cautions)
        report.addParagraph(caution.text, ReportDocument::Strong);
    return report;
}
