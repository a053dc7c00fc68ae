#include "resultreport.h"

#include "bmiclass.h"
#include "chartxy.h"
#include "coursecaution.h"
#include "predictorcheck.h"

#include <QCoreApplication>
#include <QFont>
#include <QLocale>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QFile>
#include <QSaveFile>

#include <algorithm>

namespace {

// The page is laid out in tenths of a point, so that a font's pixel size is ten times its
// point size and every measure keeps its proportion on any device.
constexpr double PageWidth = 5952.76;
constexpr double PageHeight = 8418.9;
constexpr double Margin = 510.0; // 18 mm
constexpr double TextWidth = PageWidth - 2 * Margin;
constexpr double CellPaddingX = 50.0;
constexpr double CellPaddingY = 22.0;
constexpr double SectionGap = 160.0;

// The chart is drawn as it would fill a viewport of this many pixels, scaled to the text
// width, so that its margins and labels keep the proportions they have on screen.
const QSize ChartPixels(620, 290);
constexpr int ChartFontPixels = 12;

const char *const predictorNames[PredictorCount] = {
    QT_TRANSLATE_NOOP("graph", "Restrained eating"),
    QT_TRANSLATE_NOOP("graph", "Emotional eating"),
    QT_TRANSLATE_NOOP("graph", "External eating"),
    QT_TRANSLATE_NOOP("graph", "Personal standards"),
    QT_TRANSLATE_NOOP("graph", "Concern over mistakes, doubts about actions"),
    QT_TRANSLATE_NOOP("graph", "Body image dissatisfaction"),
    QT_TRANSLATE_NOOP("graph", "Alexithymia"),
    QT_TRANSLATE_NOOP("graph", "Initial BMI (kg/m²)"),
};

QString tr(const char *text)
{
    return QCoreApplication::translate("graph", text);
}

QFont pageFont(double points, bool bold = false)
{
    QFont font;
    font.setPixelSize(qRound(points * 10));
    font.setBold(bold);
    return font;
}

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
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
}

bool ResultReport::paint(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paint(painter, QRectF(0, 0, device.width(), device.height()));
    return painter.end();
}

void ResultReport::paint(QPainter &painter, const QRectF &target) const
{
    painter.save();
    const double scale = std::min(target.width() / PageWidth, target.height() / PageHeight);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.setPen(Qt::black);

    double top = Margin;
    top = paintHeader(painter, top);
    top = paintPredictors(painter, top);
    top = paintCourse(painter, top);
    // The cautions must fit on the page; the chart gives up the room they need.
    const double room = PageHeight - Margin - top - SectionGap - statementHeight(painter);
    top = paintChart(painter, top, room);
    paintStatement(painter, top);
    painter.restore();
}

bool ResultReport::savePdf(const QString &fileName, QString *error) const
{
    // Written beside the target and moved over it only when complete, so a failure never
    // leaves a damaged or half-written report behind; it holds a person's scores, so only
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

QString ResultReport::title() const
{
    return tr("Predicted BMI course during CBT treatment of obesity");
}

QString ResultReport::statementText()
{
    return tr("What this is: the predicted course comes from a fixed closed formula of the "
              "eight predictors above. It is meant for adults in cognitive-behavioural "
              "treatment (CBT) of obesity. It supports clinical judgement and does not "
              "replace it.");
}

QString ResultReport::predictorName(Predictor predictor)
{
    return tr(predictorNames[static_cast<int>(predictor)]);
}

double ResultReport::paintHeader(QPainter &painter, double top) const
{
    top = paintParagraph(painter, top, title(), pageFont(16, true)) + 60;
    const QString when = m_record.time.isValid()
        ? QLocale::c().toString(m_record.time, QStringLiteral("yyyy-MM-dd HH:mm"))
        : tr("unknown");
    QString meta =
        tr("Simulation of %1 · model TELMA %2").arg(when, QStringLiteral(TELMA_VERSION));
    if (!m_record.caseCode.isEmpty())
        meta += tr(" · case “%1”").arg(m_record.caseCode);
    return paintParagraph(painter, top, meta, pageFont(10)) + SectionGap;
}

double ResultReport::paintPredictors(QPainter &painter, double top) const
{
    top = paintHeading(painter, top, tr("Predictors"));
    const QList<Column> columns = {{tr("Predictor"), 0.33, false},
                                   {tr("Value"), 0.08, true},
                                   {tr("Accepted range"), 0.20, true},
                                   {tr("Source"), 0.39, false}};
    QList<QStringList> rows;
    for (int i = 0; i < PredictorCount; ++i) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(i));
        const QString source = m_record.sources[i].isEmpty() ? tr("typed")
                                                             : m_record.sources[i];
        rows << QStringList{tr(predictorNames[i]),
                            m_record.hasPredictors ? exactNumber(m_record.predictors[i])
                                                   : tr("not given"),
                            tr("%1 to %2").arg(exactNumber(range.lower),
                                               exactNumber(range.upper)),
                            m_record.hasPredictors ? source : QString()};
    }
    return paintTable(painter, top, columns, rows) + SectionGap;
}

double ResultReport::paintCourse(QPainter &painter, double top) const
{
    top = paintHeading(painter, top, tr("Predicted course"));
    const QList<Column> columns = {{tr("Month"), 0.1, true},
                                   {tr("BMI (kg/m²)"), 0.16, true},
                                   {tr("Change (kg/m²)"), 0.18, true},
                                   {tr("Change (%)"), 0.14, true},
                                   {tr("WHO class"), 0.42, false}};
    const double initial = m_record.predictors[static_cast<int>(Predictor::InitialBmi)];
    QList<QStringList> rows;
    for (int m = 0; m < CourseMonths; ++m) {
        const double bmi = m_record.course[m];
        const bool known = m_record.hasPredictors;
        rows << QStringList{QString::number(m + 1), fixed(bmi, 2),
                            known ? fixed(bmi - initial, 2, true) : QString(),
                            known ? fixed(100.0 * (bmi - initial) / initial, 1, true)
                                  : QString(),
                            bmiClassName(bmi)};
    }
    return paintTable(painter, top, columns, rows) + SectionGap;
}

double ResultReport::paintChart(QPainter &painter, double top, double room) const
{
    const double scale = TextWidth / ChartPixels.width();
    const QSize pixels(ChartPixels.width(),
                       std::clamp(int(room / scale), ChartPixels.height() / 2,
                                  ChartPixels.height()));
    painter.save();
    painter.translate(Margin, top);
    painter.scale(scale, scale);
    QFont font;
    font.setPixelSize(ChartFontPixels);
    painter.setFont(font);
    m_chart.renderChart(painter, pixels);

    // The axis titles sit in the chart's free border, as the dialog's labels do.
    const QRectF yTitle(4, 1, pixels.width() / 2.0, 14);
    painter.setPen(Qt::black);
    painter.drawText(yTitle, Qt::AlignLeft | Qt::AlignTop, tr("BMI (kg/m²)"));
    const QRectF xTitle(0, pixels.height() - 2 * ChartFontPixels - 4,
                        pixels.width() - 4, ChartFontPixels + 4);
    painter.drawText(xTitle, Qt::AlignRight | Qt::AlignTop, tr("Month"));
    painter.restore();
    return top + pixels.height() * scale + SectionGap;
}

QList<ResultReport::Paragraph> ResultReport::statement() const
{
    QList<Paragraph> paragraphs;
    // The band's source, so that a reader knows whose outcomes it shows.
    if (m_record.calibration)
        paragraphs << Paragraph{m_record.calibration->sourceLine(), pageFont(10), 0};
    paragraphs << Paragraph{statementText(), pageFont(10), paragraphs.isEmpty() ? 0 : 40};
    if (m_record.hasCourse)
        for (const CourseCaution &caution : recordCautions(m_record))
            paragraphs << Paragraph{caution.text, pageFont(10, true), 80};
    return paragraphs;
}

double ResultReport::statementHeight(QPainter &painter) const
{
    double height = 0;
    for (const Paragraph &paragraph : statement()) {
        painter.setFont(paragraph.font);
        height += paragraph.gapBefore
            + painter.boundingRect(QRectF(0, 0, TextWidth, PageHeight),
                                   Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                                   paragraph.text)
                  .height();
    }
    return height;
}

double ResultReport::paintStatement(QPainter &painter, double top) const
{
    for (const Paragraph &paragraph : statement())
        top = paintParagraph(painter, top + paragraph.gapBefore, paragraph.text, paragraph.font);
    return top;
}

double ResultReport::paintHeading(QPainter &painter, double top, const QString &text) const
{
    return paintParagraph(painter, top, text, pageFont(12, true)) + 60;
}

double ResultReport::paintParagraph(QPainter &painter, double top, const QString &text,
                                    const QFont &font) const
{
    painter.setFont(font);
    const QRectF area(Margin, top, TextWidth, PageHeight - Margin - top);
    QRectF used;
    painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &used);
    return top + used.height();
}

// Each row is as high as its most wrapped cell; a rule separates the header from the rows
// and closes the table.
double ResultReport::paintTable(QPainter &painter, double top, const QList<Column> &columns,
                                const QList<QStringList> &rows) const
{
    const auto paintRow = [&](double rowTop, const QStringList &cells, const QFont &font) {
        painter.setFont(font);
        double left = Margin;
        double height = 0;
        for (int c = 0; c < columns.size(); ++c) {
            const double width = columns[c].width * TextWidth;
            const QRectF cell(left + CellPaddingX, rowTop + CellPaddingY,
                              width - 2 * CellPaddingX, PageHeight);
            const int flags = Qt::AlignTop | Qt::TextWordWrap
                | (columns[c].number ? Qt::AlignRight : Qt::AlignLeft);
            QRectF used;
            painter.drawText(cell, flags, cells.value(c), &used);
            height = std::max(height, used.height());
            left += width;
        }
        return rowTop + height + 2 * CellPaddingY;
    };
    const auto rule = [&](double y) {
        painter.setPen(QPen(Qt::black, 8));
        painter.drawLine(QPointF(Margin, y), QPointF(Margin + TextWidth, y));
    };

    QStringList titles;
    for (const Column &column : columns)
        titles << column.title;
    top = paintRow(top, titles, pageFont(9, true));
    rule(top);
    for (const QStringList &row : rows)
        top = paintRow(top, row, pageFont(9));
    rule(top);
    return top;
}
