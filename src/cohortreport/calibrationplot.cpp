#include "calibrationplot.h"

#include "chartxy.h"
#include "chartxyseriesstyle.h"
#include "chartxysetting.h"
#include "cohortreporttr.h"

#include <QColor>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardItemModel>

#include <algorithm>

namespace {

enum Column { Predicted, Observed, Identity, ColumnCount };

constexpr int FontPixels = 12;

} // namespace

CalibrationPlot::CalibrationPlot(const std::vector<QPointF> &points, int month)
    : m_model(std::make_unique<QStandardItemModel>(0, ColumnCount))
    , m_chart(std::make_unique<ChartXY>())
    , m_month(month)
{
    std::vector<QPointF> sorted = points;
    std::sort(sorted.begin(), sorted.end(),
              [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
    m_model->setRowCount(int(sorted.size()));
    for (int row = 0; row < int(sorted.size()); ++row) {
        m_model->setData(m_model->index(row, Predicted), sorted[row].x(), Qt::EditRole);
        m_model->setData(m_model->index(row, Observed), sorted[row].y(), Qt::EditRole);
        // The identity line runs through the predictions themselves.
        m_model->setData(m_model->index(row, Identity), sorted[row].x(), Qt::EditRole);
    }
    if (!sorted.empty()) {
        m_model->setData(m_model->index(0, Observed), QColor(0, 90, 181), Qt::DecorationRole);
        m_model->setData(m_model->index(0, Identity), QColor(80, 80, 80), Qt::DecorationRole);
    }
    m_model->setHeaderData(Observed, Qt::Horizontal, CohortReportTr::tr("a person"));
    m_model->setHeaderData(Identity, Qt::Horizontal, CohortReportTr::tr("observed = predicted"));

    m_chart->setModel(m_model.get());
    m_chart->resize(DefaultSize);
    ChartXYSetting *setting = m_chart->setting();
    setting->border()->setTop(36);
    setting->border()->setRight(24);
    setting->border()->setBackground(Qt::white);
    setting->grid()->tickX().setCount(6);
    setting->grid()->tickX().setSubCount(5);
    setting->grid()->tickY().setCount(6);
    setting->grid()->tickY().setSubCount(5);
    setting->grid()->setBackground(QColor(235, 235, 235));
    setting->grid()->setForeground(Qt::black);
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    ChartXYSeriesStyle &people = setting->seriesStyle(Observed);
    people.setLineVisible(false);
    people.setMarker(ChartXYSeriesStyle::Circle);
    ChartXYSeriesStyle &identity = setting->seriesStyle(Identity);
    identity.setLineStyle(Qt::DashLine);
    identity.setLineWidth(1.5);
    setting->legend()->setVisible(true);
    setting->legend()->setCorner(Qt::TopLeftCorner);
    m_chart->updateChart();
}

CalibrationPlot::~CalibrationPlot()
{
    m_chart->setModel(nullptr);
}

void CalibrationPlot::paint(QPainter &painter, const QSize &size) const
{
    painter.save();
    QFont font = painter.font();
    font.setPixelSize(FontPixels);
    painter.setFont(font);
    m_chart->renderChart(painter, size);

    // The axis titles sit in the chart's free border.
    painter.setPen(Qt::black);
    painter.drawText(QRectF(6, 4, size.width() - 12, FontPixels + 6), Qt::AlignLeft | Qt::AlignTop,
                     yTitle());
    painter.drawText(QRectF(0, size.height() - FontPixels - 6, size.width() - 8, FontPixels + 4),
                     Qt::AlignRight | Qt::AlignTop, xTitle());
    painter.restore();
}

QString CalibrationPlot::yTitle() const
{
    return CohortReportTr::tr("Observed BMI (kg/m²), month %1").arg(m_month);
}

QString CalibrationPlot::xTitle() const
{
    return CohortReportTr::tr("Predicted BMI (kg/m²)");
}

bool CalibrationPlot::save(const QString &fileName, QString *error) const
{
    // Like every file of people's data, readable by its owner only, or not written at all.
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner)) {
        *error = CohortReportTr::tr("Cannot write %1: %2.").arg(fileName, file.errorString());
        file.cancelWriting();
        return false;
    }

    const QString suffix = QFileInfo(fileName).suffix().toLower();
    bool painted = false;
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(&file);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(DefaultSize), QPageSize::Point));
        pdf.setPageMargins(QMarginsF());
        pdf.setCreator(QStringLiteral("telma-cohort"));
        QPainter painter;
        if ((painted = painter.begin(&pdf))) {
            paint(painter, DefaultSize);
            painter.end();
        }
    } else if (suffix == QLatin1String("png")) {
        QImage image(DefaultSize * 2, QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(2);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        paint(painter, DefaultSize);
        painter.end();
        painted = image.save(&file, "PNG");
    } else {
        *error = CohortReportTr::tr("%1: the plot is written as .png or .pdf.").arg(fileName);
        return false;
    }
    if (!painted || !file.commit()) {
        *error = CohortReportTr::tr("Cannot write %1: %2.").arg(fileName, file.errorString());
        return false;
    }
    return true;
}
