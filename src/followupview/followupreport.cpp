#include "followupreport.h"

#include "chartxy.h"
#include "coursecaution.h"
#include "followuptablemodel.h"
#include "reportlayout.h"
#include "resultreport.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace {

// The chart is drawn as it would fill a viewport this many pixels wide, scaled to the
// text width, so that its margins and labels keep their proportions on screen.
constexpr int ChartPixelWidth = 620;
constexpr int ChartFontPixels = 12;
// The chart's height on the page: what the visits leave, within these bounds.
constexpr double ChartLeast = 1300;
constexpr double ChartMost = 2300;
// Room kept under the chart for the statement and a caution or two.
constexpr double StatementRoom = 600;
constexpr double TablePoints = 8;

QString tr(const char *text)
{
    return QCoreApplication::translate("FollowUpReport", text);
}

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
    ResultReport::preparePage(device);
}

bool FollowUpReport::paint(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paint(painter, QRectF(0, 0, device.width(), device.height()));
    return painter.end();
}

QString FollowUpReport::title() const
{
    return tr("Follow-up of a predicted BMI course");
}

void FollowUpReport::paint(QPainter &painter, const QRectF &target) const
{
    using L = ReportLayout;
    ReportLayout page(painter, target);
    const FollowUpCase &followUp = m_table.followUp();

    double top = page.paragraph(L::Margin, title(), L::font(16, true)) + 60;
    const QString height = followUp.heightM
        ? tr("%1 m").arg(QString::number(*followUp.heightM, 'f', 2))
        : tr("not recorded");
    const QString version =
        followUp.modelVersion.isEmpty() ? QStringLiteral(TELMA_VERSION) : followUp.modelVersion;
    const QString meta =
        tr("Case %1 · baseline %2 · height %3 · predicted with model TELMA %4 · report made "
           "on %5 with model TELMA %6")
            .arg(followUp.code, followUp.baseline.toString(Qt::ISODate), height, version,
                 m_madeOn.toString(Qt::ISODate), QStringLiteral(TELMA_VERSION));
    top = page.paragraph(top, meta, L::font(10)) + L::SectionGap / 2;

    top = page.heading(top, tr("Predictors"));
    QList<QStringList> predictors;
    for (int i = 0; i < PredictorCount; ++i) {
        const QString &source = followUp.sources[i];
        predictors << QStringList{ResultReport::predictorName(static_cast<Predictor>(i)),
                                  exactNumber(followUp.predictors[i]),
                                  source.isEmpty() ? tr("typed") : source};
    }
    top = page.table(top,
                     {{tr("Predictor"), 0.45, false},
                      {tr("Value"), 0.08, true},
                      {tr("Source"), 0.47, false}},
                     predictors, TablePoints)
        + L::SectionGap / 2;

    top = page.heading(top, tr("Visits"));
    const int visits = m_table.rowCount();
    if (visits == 0) {
        top = page.paragraph(top, tr("No visits yet."), L::font(10));
    } else {
        // A page holds a few dozen visits; beyond that the latest are shown, and the page
        // says how many it leaves out.
        const double free = L::PageHeight - L::Margin - top - ChartLeast - StatementRoom;
        const int fit = std::max(1, int(free / L::rowHeight(TablePoints)) - 2);
        const int first = visits > fit ? visits - (fit - 1) : 0;
        QList<ReportLayout::Column> columns;
        // With the clinic's range the page has two more columns and the others narrow.
        const double widths[FollowUpTableModel::ColumnCount] = {0.14, 0.08, 0.20, 0.20,
                                                                 0.20, 0.18, 0.16, 0.22};
        const double narrow[FollowUpTableModel::ColumnCount] = {0.11, 0.07, 0.11, 0.11,
                                                                 0.11, 0.11, 0.16, 0.22};
        const int shown = m_table.columnCount();
        for (int c = 0; c < shown; ++c)
            columns.append({m_table.headerData(c, Qt::Horizontal).toString(),
                            m_table.hasRange() ? narrow[c] : widths[c],
                            c > 0 && c != FollowUpTableModel::CourseColumn});
        QList<QStringList> rows;
        for (int r = first; r < visits; ++r) {
            QStringList cells;
            for (int c = 0; c < shown; ++c)
                cells << m_table.index(r, c).data().toString();
            rows << cells;
        }
        top = page.table(top, columns, rows, TablePoints);
        if (first > 0)
            top = page.paragraph(top + 30,
                                 tr("The %1 earliest of %2 visits do not fit on this page; "
                                    "the case book lists them all.")
                                     .arg(first)
                                     .arg(visits),
                                 L::font(9, true));
    }
    top += L::SectionGap / 2;

    // The chart takes what is left above the statement.
    const double chartHeight =
        std::clamp(L::PageHeight - L::Margin - top - StatementRoom, ChartLeast, ChartMost);
    const double scale = L::TextWidth / ChartPixelWidth;
    const QSize pixels(ChartPixelWidth, qRound(chartHeight / scale));
    painter.save();
    painter.translate(L::Margin, top);
    painter.scale(scale, scale);
    QFont font;
    font.setPixelSize(ChartFontPixels);
    painter.setFont(font);
    m_chart.renderChart(painter, pixels);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(4, 1, pixels.width() / 2.0, 14), Qt::AlignLeft | Qt::AlignTop,
                     tr("BMI (kg/m²)"));
    painter.drawText(QRectF(0, pixels.height() - 2 * ChartFontPixels - 4, pixels.width() - 4,
                            ChartFontPixels + 4),
                     Qt::AlignRight | Qt::AlignTop, tr("Month"));
    painter.restore();
    top += chartHeight + L::SectionGap / 2;

    // The band's source, so that a reader knows whose outcomes it shows.
    if (m_table.hasRange())
        top = page.paragraph(top, followUp.calibration->sourceLine(), L::font(10)) + 40;
    top = page.paragraph(top, ResultReport::statementText(), L::font(10));
    const QList<CourseCaution> cautions =
        courseCautions(predictBmiCourse(followUp.predictors),
                       followUp.predictors[int(Predictor::InitialBmi)]);
    for (const CourseCaution &caution : cautions)
        top = page.paragraph(top + 80, caution.text, L::font(10, true));
}

bool FollowUpReport::savePdf(const QString &fileName, QString *error) const
{
    // Written beside the target and moved over it only when complete, so a failure never
    // leaves a damaged or half-written report behind; it names a person's case, so only
    // its owner may read it.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(title());
        writer.setCreator(QStringLiteral("model TELMA " TELMA_VERSION));
        preparePage(writer);
        if (!paint(writer)) {
            file.cancelWriting();
            *error = tr("the page could not be drawn");
            return false;
        }
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}
