#include "chartxyrender.h"

#include "chartxysetting.h"
#include "varianttoreal.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QFontInfo>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QTextOption>

#include <algorithm>
#include <cmath>

namespace {

// Lengths, in pixels, of the parts drawn outside the grid area.
constexpr int MinorTickLength = 6;
constexpr int MajorTickLength = 8;
constexpr int LabelGap = 12;
// The Y labels start this far from the viewport's left edge; a narrower left margin
// leaves no room for them.
constexpr int MinimumLabelMargin = 16;

QPen chartPen(const QColor &colour, qreal width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(QBrush(colour, Qt::SolidPattern), width, style, Qt::SquareCap, Qt::BevelJoin);
}

// Maps v linearly from [vmin, vmax] onto [atMin, atMax]. An axis without extent
// (vmin == vmax, six equal values say) has no scale to map with, so every value lands
// on its middle and a flat series shows as a flat line.
qreal mapOnAxis(qreal v, qreal vmin, qreal vmax, qreal atMin, qreal atMax)
{
    if (vmin == vmax)
        return (atMin + atMax) / 2;
    return (atMin * (v - vmax)) / (vmin - vmax) - ((v - vmin) * atMax) / (vmin - vmax);
}

// The limits of limitView as reals, read once per series instead of once per point.
struct DataMapping
{
    DataMapping(const QRect &rect, const ChartXYLimit &limit)
        : rect(rect)
        , xmin(variantToReal(limit.x().min()))
        , xmax(variantToReal(limit.x().max()))
        , ymin(variantToReal(limit.y().min()))
        , ymax(variantToReal(limit.y().max()))
    {
    }

    QPointF map(qreal x, qreal y) const
    {
        return QPointF(mapOnAxis(x, xmin, xmax, rect.left(), rect.right()),
                       mapOnAxis(y, ymin, ymax, rect.bottom(), rect.top()));
    }

    QRect rect;
    qreal xmin, xmax, ymin, ymax;
};

// Tick values between the limits are interpolated in double precision, at the fraction
// tick / intervals.
qreal interpolate(qreal a, qreal b, uint intervals, uint tick)
{
    return (a * (qreal(intervals) - tick)) / intervals + (b * tick) / intervals;
}

QTime timeFromMSecs(quint64 v)
{
    return QTime(int((v % 86400000) / 3600000), int((v % 3600000) / 60000),
                 int((v % 60000) / 1000), int(v % 1000));
}

} // namespace

ChartXYRender::ChartXYRender(QAbstractItemView *view, ChartXYSetting *setting)
    : QObject(view)
    , m_view(view)
    , m_viewport(view->viewport())
    , m_setting(setting)
{
}

ChartXYRender::~ChartXYRender() = default;

void ChartXYRender::paint()
{
    QPainter painter(m_viewport);
    paintBorder(painter);
    paintGrid(painter);
    painter.end();
}

void ChartXYRender::render(QPainter &painter, const QSize &size)
{
    m_renderSize = size;
    painter.save();
    paintBorder(painter);
    paintGrid(painter);
    painter.restore();
    m_renderSize = QSize();
}

void ChartXYRender::paintBorder(QPainter &painter)
{
    painter.fillRect(viewportRect(), m_setting->border()->background());
}

void ChartXYRender::paintGrid(QPainter &painter)
{
    const ChartXYBorder *border = m_setting->border();
    const ChartXYGrid *grid = m_setting->grid();
    const QRect viewport = viewportRect();
    // Too small for a grid area with room for its inset: only the border shows.
    if (border->left() + border->right() + 2 * grid->inset() > viewport.right()
        || border->top() + border->bottom() + 2 * grid->inset() > viewport.bottom())
        return;

    QRect gridRect(QPoint(border->left(), border->top()),
                   QPoint(viewport.right() - border->right(),
                          viewport.bottom() - border->bottom()));
    painter.fillRect(gridRect, grid->background());
    if (grid->visible())
        paintGridLine(painter, gridRect);
    paintAxis(painter, gridRect);
    QRect plot = plotRect(gridRect);
    paintData(painter, plot);
}

void ChartXYRender::paintGridLine(QPainter &painter, QRect &rect)
{
    painter.save();
    paintGridLineX(painter, rect);
    paintGridLineY(painter, rect);
    painter.restore();
}

void ChartXYRender::paintGridLineX(QPainter &painter, QRect &rect)
{
    const QRect plot = plotRect(rect);
    const uint n = m_setting->grid()->tickX().count();
    const qreal step = qreal(plot.width() - 1) / (n - 1);
    painter.setPen(chartPen(m_setting->grid()->foreground(), 1.0, Qt::DotLine));
    for (uint i = 0; i < n; ++i) {
        const qreal x = plot.left() + i * step;
        painter.drawLine(QLineF(x, rect.top(), x, rect.bottom()));
    }
}

void ChartXYRender::paintGridLineY(QPainter &painter, QRect &rect)
{
    const QRect plot = plotRect(rect);
    const uint n = m_setting->grid()->tickY().count();
    const qreal step = qreal(plot.height() - 1) / (n - 1);
    painter.setPen(chartPen(m_setting->grid()->foreground(), 1.0, Qt::DotLine));
    for (uint i = 0; i < n; ++i) {
        const qreal y = plot.bottom() - i * step;
        painter.drawLine(QLineF(rect.left(), y, rect.right(), y));
    }
}

void ChartXYRender::paintAxis(QPainter &painter, QRect &rect)
{
    painter.save();
    paintAxisX(painter, rect);
    paintAxisY(painter, rect);
    painter.restore();
}

void ChartXYRender::paintAxisX(QPainter &painter, QRect &rect)
{
    const QColor foreground = m_setting->grid()->foreground();
    const QPen axisPen = chartPen(foreground, 2.0);
    const QPen majorPen = chartPen(foreground, 2.0);
    const QPen minorPen = chartPen(foreground, 1.0);
    const ChartXYGridTick &tick = m_setting->grid()->tickX();
    const QRect plot = plotRect(rect);
    const uint n = tick.count();
    const uint m = tick.subCount();
    const qreal d = qreal(plot.width()) / (n - 1);

    painter.setPen(axisPen);
    painter.drawLine(QLine(rect.left(), rect.bottom(), rect.right(), rect.bottom()));
    for (uint i = 0; i < n; ++i) {
        const qreal xi = plot.left() + i * d;
        if (i < n - 1) {
            for (uint j = 0; j < m; ++j) {
                const qreal x = xi + j * d / (m - 1);
                painter.setPen(minorPen);
                painter.drawLine(QLineF(x, rect.bottom(), x, rect.bottom() + MinorTickLength));
            }
        }
        painter.setPen(majorPen);
        painter.drawLine(QLineF(xi, rect.bottom(), xi, rect.bottom() + MajorTickLength));
    }
    paintAxisXTickvalue(painter, rect);
}

void ChartXYRender::paintAxisXTickvalue(QPainter &painter, QRect &rect)
{
    const ChartXYGridTick &tick = m_setting->grid()->tickX();
    const ChartXYLimitAxis &limit = m_setting->scale()->limitView().x();
    const QRect plot = plotRect(rect);
    const int ps = painter.fontInfo().pixelSize();
    const uint n = tick.count();
    const qreal d = qreal(plot.width()) / (n - 1);
    const qreal w3 = d / 3;
    const QTextOption option(Qt::AlignHCenter | Qt::AlignTop);
    for (uint i = 0; i < n; ++i) {
        const QRectF label(plot.left() + i * d - w3, rect.bottom() + LabelGap, int(2 * w3), ps);
        painter.drawText(label, tickValueToString(tickValue(limit, tick, i)), option);
    }
}

void ChartXYRender::paintAxisY(QPainter &painter, QRect &rect)
{
    const QColor foreground = m_setting->grid()->foreground();
    const QPen axisPen = chartPen(foreground, 2.0);
    const QPen majorPen = chartPen(foreground, 2.0);
    const QPen minorPen = chartPen(foreground, 1.0);
    const ChartXYGridTick &tick = m_setting->grid()->tickY();
    const QRect plot = plotRect(rect);
    const uint n = tick.count();
    const uint m = tick.subCount();
    const qreal d = qreal(plot.height()) / (n - 1);

    painter.setPen(axisPen);
    painter.drawLine(QLine(rect.left(), rect.bottom(), rect.left(), rect.top()));
    for (uint i = 0; i < n; ++i) {
        const qreal yi = plot.bottom() - i * d;
        if (i < n - 1) {
            for (uint j = 0; j < m; ++j) {
                const qreal y = yi - j * d / (m - 1);
                painter.setPen(minorPen);
                painter.drawLine(QLineF(rect.left(), y, rect.left() - MinorTickLength, y));
            }
        }
        painter.setPen(majorPen);
        painter.drawLine(QLineF(rect.left(), yi, rect.left() - MajorTickLength, yi));
    }
    paintAxisYTickvalue(painter, rect);
}

void ChartXYRender::paintAxisYTickvalue(QPainter &painter, QRect &rect)
{
    const int left = m_setting->border()->left();
    if (left < MinimumLabelMargin)
        return;
    const ChartXYGridTick &tick = m_setting->grid()->tickY();
    const ChartXYLimitAxis &limit = m_setting->scale()->limitView().y();
    const QRect plot = plotRect(rect);
    const int ps = painter.fontInfo().pixelSize();
    const int half = (10 * ps + 5) / 20;
    const uint n = tick.count();
    const int width = left - MinimumLabelMargin;
    const QTextOption option(Qt::AlignRight | Qt::AlignVCenter);
    for (uint i = 0; i < n; ++i) {
        const qreal yi = plot.bottom() - qreal(i) * plot.height() / (n - 1);
        const QRectF label(rect.left() - LabelGap - width, yi - half, width, ps);
        painter.drawText(label, tickValueToString(tickValue(limit, tick, i)), option);
    }
}

void ChartXYRender::paintData(QPainter &painter, QRect &rect)
{
    const QAbstractItemModel *model = m_view->model();
    if (!model)
        return;
    for (int column = 1; column < model->columnCount(); ++column)
        paintDataColumn(painter, rect, column);
}

void ChartXYRender::paintDataColumn(QPainter &painter, QRect &rect, int column)
{
    const QAbstractItemModel *model = m_view->model();
    if (!model)
        return;
    const ChartXYLimit &limit = m_setting->scale()->limitView();
    const int xType = limit.x().type();
    const int yType = limit.y().type();
    // Without limits there is nothing to map with, and only empty cells would match.
    if (xType == QMetaType::UnknownType || yType == QMetaType::UnknownType)
        return;

    const QVariant colour = model->data(model->index(0, column), Qt::DecorationRole);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(rect, Qt::ReplaceClip);
    if (colour.typeId() == QMetaType::QColor)
        painter.setPen(chartPen(colour.value<QColor>(), 2.0));

    const DataMapping mapping(rect, limit);
    QPointF prev(0, 0);
    bool started = false;
    const int rows = model->rowCount();
    for (int row = 0; row < rows; ++row) {
        const QVariant x = model->data(model->index(row, 0), Qt::DisplayRole);
        const QVariant y = model->data(model->index(row, column), Qt::DisplayRole);
        // Rows that do not fit the axes are left out; the line joins across them.
        if (x.typeId() != xType || y.typeId() != yType)
            continue;
        const qreal rx = variantToReal(x);
        const qreal ry = variantToReal(y);
        if (!std::isfinite(rx) || !std::isfinite(ry))
            continue;
        const QPointF p = mapping.map(rx, ry);
        if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
            continue;
        if (!started) {
            prev = p;
            started = true;
        }
        // The first point is a zero-length line, which shows as a dot.
        painter.drawLine(QLineF(prev, p));
        prev = p;
    }
    painter.restore();
}

QVariant ChartXYRender::tickValue(ChartXYLimitAxis limit_axis, ChartXYGridTick grid_tick,
                                  uint tick)
{
    const int type = limit_axis.type();
    if (type == QMetaType::UnknownType)
        return QVariant();
    if (tick == 0)
        return limit_axis.min();
    if (grid_tick.count() == tick + 1)
        return limit_axis.max();

    const uint intervals = grid_tick.count() - 1;
    switch (type) {
    case QMetaType::QTime: {
        const quint64 a = quint64(std::max(0.0, variantToReal(limit_axis.min())));
        const quint64 b = quint64(std::max(0.0, variantToReal(limit_axis.max())));
        return QVariant(timeFromMSecs(quint64(interpolate(a, b, intervals, tick))));
    }
    case QMetaType::QDateTime:
    case QMetaType::QDate: {
        // Signed, so that axes reaching back before 1970 interpolate correctly.
        const qint64 a = limit_axis.min().toDateTime().toMSecsSinceEpoch();
        const qint64 b = limit_axis.max().toDateTime().toMSecsSinceEpoch();
        const QDateTime at =
            QDateTime::fromMSecsSinceEpoch(qint64(interpolate(a, b, intervals, tick)));
        return type == QMetaType::QDate ? QVariant(at.date()) : QVariant(at);
    }
    default:
        if (!limit_axis.canConvert(QMetaType::Double))
            return QVariant();
        return QVariant(interpolate(limit_axis.min().toDouble(), limit_axis.max().toDouble(),
                                    intervals, tick));
    }
}

QString ChartXYRender::tickValueToString(QVariant tick_value)
{
    const QString format = QStringLiteral("%1");
    switch (tick_value.typeId()) {
    case QMetaType::QTime:
        if (tick_value.canConvert(QMetaType(QMetaType::QTime)))
            return format.arg(tick_value.toTime().toString(QStringLiteral("hh:mm:ss")));
        break;
    case QMetaType::QDateTime:
        if (tick_value.canConvert(QMetaType(QMetaType::QDateTime)))
            return format.arg(
                tick_value.toDateTime().toString(QStringLiteral("dd/MM/yyyy hh:mm:ss")));
        break;
    case QMetaType::QDate:
        if (tick_value.canConvert(QMetaType(QMetaType::QDate)))
            return format.arg(tick_value.toDate().toString(QStringLiteral("dd/MM/yyyy")));
        break;
    default:
        if (tick_value.canConvert(QMetaType(QMetaType::Double)))
            return format.arg(tick_value.toDouble(), 0, 'g', 6, QLatin1Char(' '));
        break;
    }
    return QString();
}

QPointF ChartXYRender::dataGridPosition(QRect &rect, QVariant x, QVariant y)
{
    const DataMapping mapping(rect, m_setting->scale()->limitView());
    return mapping.map(variantToReal(x), variantToReal(y));
}

QRect ChartXYRender::viewportRect() const
{
    return QRect(QPoint(0, 0), m_renderSize.isValid() ? m_renderSize : m_viewport->size());
}

QRect ChartXYRender::plotRect(const QRect &gridRect) const
{
    const int inset = m_setting->grid()->inset();
    return gridRect.adjusted(inset, inset, -inset, -inset);
}
