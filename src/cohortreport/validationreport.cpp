#include "validationreport.h"

#include <QDateTime>
#include <QFileDevice>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <cmath>
#include <functional>

namespace {

// A4 in units of a 720 dpi page.
constexpr double PageWidth = 5952.76;
constexpr double Margin = 510.0;
constexpr double TextWidth = PageWidth - 2 * Margin;
constexpr double Gap = 120.0;
constexpr double RowHeight = 150.0;

QString fixed(double value, int decimals)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("–");
}

QString range(const CalibrationStatistics::Interval &ci, int decimals)
{
    return QStringLiteral("%1 to %2").arg(fixed(ci[0], decimals), fixed(ci[1], decimals));
}

struct Line {
    const char *title;
    std::function<QString(const CalibrationStatistics &)> cell;
};

const Line tableLines[] = {
    {"n", [](const CalibrationStatistics &s) { return QString::number(s.n); }},
    {"mean observed BMI", [](const CalibrationStatistics &s) { return fixed(s.meanObserved, 2); }},
    {"mean predicted BMI", [](const CalibrationStatistics &s) { return fixed(s.meanPredicted, 2); }},
    {"mean error (observed − predicted)", [](const CalibrationStatistics &s) { return fixed(s.meanError, 2); }},
    {"   95% CI", [](const CalibrationStatistics &s) { return range(s.meanErrorCi, 2); }},
    {"sd of the error", [](const CalibrationStatistics &s) { return fixed(s.sdError, 2); }},
    {"   95% limits of agreement", [](const CalibrationStatistics &s) { return range(s.limitsOfAgreement, 2); }},
    {"calibration slope", [](const CalibrationStatistics &s) { return fixed(s.slope, 3); }},
    {"   95% CI", [](const CalibrationStatistics &s) { return range(s.slopeCi, 3); }},
    {"intercept", [](const CalibrationStatistics &s) { return fixed(s.intercept, 2); }},
    {"   95% CI", [](const CalibrationStatistics &s) { return range(s.interceptCi, 2); }},
    {"R²", [](const CalibrationStatistics &s) { return fixed(s.r2, 3); }},
    {"RMSE", [](const CalibrationStatistics &s) { return fixed(s.rmse, 2); }},
    {"MAE", [](const CalibrationStatistics &s) { return fixed(s.mae, 2); }},
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
        *error = QStringLiteral("No month has observed values in 3 or more accepted rows: no plot.");
        return false;
    }
    return m_plot.save(fileName, error);
}

double ValidationReport::paintText(QPainter &painter, double top, const QString &text, int points,
                                   bool bold) const
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    painter.setFont(font);
    const QRectF box(Margin, top, TextWidth, 4000);
    QRectF used;
    painter.drawText(box, Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop, text, &used);
    return used.bottom() + Gap / 2;
}

double ValidationReport::paintTable(QPainter &painter, double top) const
{
    const auto &months = m_validation.months;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(8.5);
    painter.setFont(font);
    const double titleWidth = TextWidth * 0.34;
    const double cellWidth = months.empty() ? 0 : (TextWidth - titleWidth) / double(months.size());

    const auto row = [&](double y, const QString &title, const std::function<QString(int)> &cell, bool bold) {
        QFont f = font;
        f.setBold(bold);
        painter.setFont(f);
        painter.drawText(QRectF(Margin, y, titleWidth, RowHeight), Qt::AlignLeft | Qt::AlignVCenter, title);
        for (int i = 0; i < int(months.size()); ++i) {
            painter.drawText(QRectF(Margin + titleWidth + i * cellWidth, y, cellWidth - 30, RowHeight),
                             Qt::AlignRight | Qt::AlignVCenter, cell(i));
        }
    };
    row(top, QString(), [&](int i) { return QStringLiteral("month %1").arg(months[i].month); }, true);
    painter.drawLine(QPointF(Margin, top + RowHeight), QPointF(Margin + TextWidth, top + RowHeight));
    double y = top + RowHeight + 20;
    for (const Line &line : tableLines) {
        row(y, QString::fromUtf8(line.title), [&](int i) { return line.cell(months[i].statistics); }, false);
        y += RowHeight;
    }
    painter.drawLine(QPointF(Margin, y), QPointF(Margin + TextWidth, y));
    return y + Gap;
}

double ValidationReport::paintPlot(QPainter &painter, double top) const
{
    const QSize size = CalibrationPlot::DefaultSize;
    const double width = TextWidth * 0.8;
    const double scale = width / size.width();
    painter.save();
    painter.translate(Margin + (TextWidth - width) / 2, top);
    painter.scale(scale, scale);
    m_plot.paint(painter, size);
    painter.restore();
    return top + size.height() * scale + Gap;
}

bool ValidationReport::savePdf(const QString &fileName, QString *error) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)) {
        *error = QStringLiteral("Cannot write %1: %2.").arg(fileName, file.errorString());
        return false;
    }
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);

    QPdfWriter pdf(&file);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setPageMargins(QMarginsF());
    pdf.setResolution(720);
    pdf.setCreator(QStringLiteral("telma-cohort %1").arg(m_version));
    pdf.setTitle(QStringLiteral("Validation of model TELMA on %1").arg(m_inputName));
    QPainter painter;
    if (!painter.begin(&pdf)) {
        *error = QStringLiteral("Cannot write %1: the PDF cannot be started.").arg(fileName);
        return false;
    }
    painter.setPen(Qt::black);

    double top = Margin;
    top = paintText(painter, top, QStringLiteral("Validation of model TELMA"), 16, true);
    top = paintText(painter, top,
                    QStringLiteral("Input file: %1\nModel: model TELMA %2 (telma-cohort %2), made %3\n"
                                   "Rows read: %4; refused: %5 (wrong field count, a predictor outside "
                                   "its range, or an observed BMI that is not a number in 10 to 100)")
                        .arg(m_inputName, m_version,
                             QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")))
                        .arg(m_validation.rowsRead)
                        .arg(m_validation.rowsRefused),
                    9);
    top += Gap / 2;
    if (m_validation.months.empty()) {
        top = paintText(painter, top, QStringLiteral("No month has observed values in 3 or more accepted rows."), 10, true);
    } else {
        top = paintTable(painter, top);
        top = paintText(painter, top,
                        QStringLiteral("Calibration plot, month %1: each point is one person; points on the "
                                       "dashed line were predicted exactly, points above it did worse "
                                       "(a higher BMI) than predicted.")
                            .arg(m_validation.plotMonth),
                        9);
        top = paintPlot(painter, top);
    }
    paintText(painter, top,
              QStringLiteral("Mean error: observed − predicted (calibration-in-the-large); an interval "
                             "that excludes 0 shows a bias. Limits of agreement: mean error ± 1.96 sd, "
                             "where most single people fall. Calibration slope and intercept: the "
                             "least-squares line observed = intercept + slope · predicted; a slope of 1 "
                             "and an intercept of 0 mean no systematic deviation. R² compares the "
                             "predictions as they are with the mean of the observed values, so it can "
                             "be negative. 95% intervals from Student's t (n − 1 and n − 2 degrees of "
                             "freedom)."),
              8);
    painter.end();
    if (!file.commit()) {
        *error = QStringLiteral("Cannot write %1: %2.").arg(fileName, file.errorString());
        return false;
    }
    return true;
}
