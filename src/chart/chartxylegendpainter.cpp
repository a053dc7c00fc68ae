#include "chartxylegendpainter.h"

#include "chartxyseriespainter.h"
#include "chartxysetting.h"

#include <QAbstractItemModel>
#include <QFontMetricsF>
#include <QPainter>
#include <QTextOption>

#include <algorithm>

namespace {

// Pixels: from the plot area's edges to the box, inside the box around its rows, the
// length of the line sample and the gap between sample and text.
constexpr qreal Margin = 6;
constexpr qreal Padding = 4;
constexpr qreal SampleLength = 28;
constexpr qreal Gap = 6;

const ChartXYSeriesStyle &styleOf(const ChartXYSetting &setting, int column)
{
    static const ChartXYSeriesStyle Unstyled;
    const ChartXYSeriesStyle *style = setting.findSeriesStyle(column);
    return style ? *style : Unstyled;
}

} // namespace

ChartXYLegendPainter::ChartXYLegendPainter(const ChartXYSetting *setting)
    : m_setting(setting)
{
}

QList<int> ChartXYLegendPainter::entries(const QAbstractItemModel &model) const
{
    QList<int> columns;
    for (int column = 1; column < model.columnCount(); ++column)
        if (styleOf(*m_setting, column).inLegend())
            columns.append(column);
    return columns;
}

QString ChartXYLegendPainter::entryText(const QAbstractItemModel &model, int column)
{
    return model.headerData(column, Qt::Horizontal).toString();
}

qreal ChartXYLegendPainter::rowHeight(const QPainter &painter,
                                      const QAbstractItemModel &model) const
{
    qreal height = QFontMetricsF(painter.font()).height();
    for (int column : entries(model)) {
        const ChartXYSeriesStyle &style = styleOf(*m_setting, column);
        if (style.drawsMarkers())
            height = std::max<qreal>(height, style.markerSize() + 2);
    }
    return height;
}

QRectF ChartXYLegendPainter::boxRect(const QPainter &painter, const QRect &plot,
                                     const QAbstractItemModel &model) const
{
    const QFontMetricsF metrics(painter.font());
    qreal textWidth = 0;
    const QList<int> columns = entries(model);
    for (int column : columns)
        textWidth = std::max(textWidth, metrics.horizontalAdvance(entryText(model, column)));
    const QSizeF size(Padding + SampleLength + Gap + std::ceil(textWidth) + Padding,
                      2 * Padding + columns.size() * rowHeight(painter, model));
    const QRectF inner = QRectF(plot).adjusted(Margin, Margin, -Margin, -Margin);
    const Qt::Corner corner = m_setting->legend()->corner();
    const bool right = corner == Qt::TopRightCorner || corner == Qt::BottomRightCorner;
    const bool bottom = corner == Qt::BottomLeftCorner || corner == Qt::BottomRightCorner;
    // Whole pixels, so that the frame is crisp.
    const QPointF at(std::round(right ? inner.right() - size.width() : inner.left()),
                     std::round(bottom ? inner.bottom() - size.height() : inner.top()));
    return QRectF(at, size);
}

void ChartXYLegendPainter::paint(QPainter &painter, const QRect &plot,
                                 const QAbstractItemModel *model,
                                 ChartXYSeriesPainter &markers) const
{
    if (!model || entries(*model).isEmpty() || !plot.isValid())
        return;
    painter.save();
    painter.setClipRect(plot, Qt::ReplaceClip);
    const QRectF box = boxRect(painter, plot, *model);
    const QColor foreground = m_setting->grid()->foreground();
    painter.setPen(QPen(foreground, 1));
    painter.setBrush(m_setting->border()->background());
    painter.drawRect(box.adjusted(0.5, 0.5, -0.5, -0.5));

    const qreal height = rowHeight(painter, *model);
    const bool rows = model->rowCount() > 0;
    QTextOption option(Qt::AlignLeft | Qt::AlignVCenter);
    option.setWrapMode(QTextOption::NoWrap);
    const QList<int> columns = entries(*model);
    for (int row = 0; row < columns.size(); ++row) {
        const int column = columns.at(row);
        const qreal top = box.top() + Padding + row * height;
        const qreal middle = std::floor(top + height / 2) + 0.5;
        const QVariant colour = rows ? model->index(0, column).data(Qt::DecorationRole)
                                     : QVariant();
        const ChartXYSeriesStyle *styled = m_setting->findSeriesStyle(column);
        const ChartXYSeriesStyle &style = styleOf(*m_setting, column);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(foreground));
        const QPen pen = ChartXYSeriesPainter::linePen(painter, colour, styled);
        const qreal left = box.left() + Padding;
        if (style.drawsBand())
            ChartXYSeriesPainter::paintBand(
                painter, {QPointF(left + 2, top + 2), QPointF(left + SampleLength - 2, top + 2)},
                {QPointF(left + 2, top + height - 2), QPointF(left + SampleLength - 2, top + height - 2)},
                pen.color(), style.bandOpacity());
        if (style.drawsLine())
            ChartXYSeriesPainter::paintLine(
                painter, {QPointF(left + 2, middle), QPointF(left + SampleLength - 2, middle)},
                pen);
        markers.paintMarkers(painter, {QPointF(left + SampleLength / 2, middle)}, style,
                             pen.color());
        painter.restore();
        painter.setPen(foreground);
        painter.drawText(QRectF(left + SampleLength + Gap, top, box.right() - Padding
                                                                    - (left + SampleLength + Gap),
                                height),
                         entryText(*model, column), option);
    }
    painter.restore();
}
