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

// Saves the painter's state for as long as it lives.
class PainterStateGuard
{
public:
    explicit PainterStateGuard(QPainter &painter)
        : m_painter(painter)
    {
        m_painter.save();
    }
    ~PainterStateGuard() { m_painter.restore(); }
    PainterStateGuard(const PainterStateGuard &) = delete;
    PainterStateGuard &operator=(const PainterStateGuard &) = delete;

private:
    QPainter &m_painter;
};

// One axis as the drawing sees it. Positions along it start at the plot area's left
// (X) or bottom (Y) edge and run right or up; its marks stand on the grid area's bottom
// (X) or left (Y) edge and point outward, down or left.
struct AxisGeometry
{
    AxisGeometry(Qt::Orientation axis, const QRect &grid, const QRect &plot)
        : alongX(axis == Qt::Horizontal)
        , start(alongX ? plot.left() : plot.bottom())
        , sign(alongX ? 1.0 : -1.0)
        , extent(alongX ? plot.width() : plot.height())
        , base(alongX ? grid.bottom() : grid.left())
        , outward(alongX ? 1 : -1)
        , crossFrom(alongX ? grid.top() : grid.left())
        , crossTo(alongX ? grid.bottom() : grid.right())
        , line(alongX ? QLine(grid.left(), grid.bottom(), grid.right(), grid.bottom())
                      : QLine(grid.left(), grid.bottom(), grid.left(), grid.top()))
    {
    }

    // The position `offset` pixels along the axis from its start.
    qreal at(qreal offset) const { return start + sign * offset; }
    // A line across the axis at position p, from a to b in the other coordinate.
    QLineF across(qreal p, qreal a, qreal b) const
    {
        return alongX ? QLineF(p, a, p, b) : QLineF(a, p, b, p);
    }
    // A tick mark of the given length at position p.
    QLineF mark(qreal p, int length) const { return across(p, base, base + outward * length); }

    bool alongX;
    qreal start;
    qreal sign;
    int extent;
    int base;
    int outward;
    int crossFrom;
    int crossTo;
    QLine line;
};

// X labels hang below their tick, centred in a box two thirds of a major interval wide.
QRectF xLabelRect(const QRect &grid, const QRect &plot, uint count, uint tick, int ps)
{
    const qreal d = qreal(plot.width()) / (count - 1);
    const qreal w3 = d / 3;
    return QRectF(plot.left() + tick * d - w3, grid.bottom() + LabelGap, int(2 * w3), ps);
}

// Y labels fill the left margin up to LabelGap before the axis, each centred on its
// tick: half is ps / 2 rounded down (the + 5 never reaches the next twentieth).
QRectF yLabelRect(const QRect &grid, const QRect &plot, uint count, uint tick, int ps,
                  int width)
{
    const int half = (10 * ps + 5) / 20;
    const qreal yi = plot.bottom() - qreal(tick) * plot.height() / (count - 1);
    return QRectF(grid.left() - LabelGap - width, yi - half, width, ps);
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
    {
        const PainterStateGuard guard(painter);
        paintBorder(painter);
        paintGrid(painter);
    }
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

    const Areas areas = areasFor(QRect(QPoint(border->left(), border->top()),
                                       QPoint(viewport.right() - border->right(),
                                              viewport.bottom() - border->bottom())));
    painter.fillRect(areas.grid, grid->background());
    if (grid->visible())
        paintGridLines(painter, areas);
    paintAxes(painter, areas);
    QRect plot = areas.plot;
    paintData(painter, plot);
}

void ChartXYRender::paintGridLine(QPainter &painter, QRect &rect)
{
    paintGridLines(painter, areasFor(rect));
}

void ChartXYRender::paintGridLineX(QPainter &painter, QRect &rect)
{
    paintGridLinesAt(painter, areasFor(rect), Qt::Horizontal);
}

void ChartXYRender::paintGridLineY(QPainter &painter, QRect &rect)
{
    paintGridLinesAt(painter, areasFor(rect), Qt::Vertical);
}

void ChartXYRender::paintAxis(QPainter &painter, QRect &rect)
{
    paintAxes(painter, areasFor(rect));
}

void ChartXYRender::paintAxisX(QPainter &painter, QRect &rect)
{
    paintAxisAndTicks(painter, areasFor(rect), Qt::Horizontal);
}

void ChartXYRender::paintAxisXTickvalue(QPainter &painter, QRect &rect)
{
    paintTickLabels(painter, areasFor(rect), Qt::Horizontal);
}

void ChartXYRender::paintAxisY(QPainter &painter, QRect &rect)
{
    paintAxisAndTicks(painter, areasFor(rect), Qt::Vertical);
}

void ChartXYRender::paintAxisYTickvalue(QPainter &painter, QRect &rect)
{
    paintTickLabels(painter, areasFor(rect), Qt::Vertical);
}

void ChartXYRender::paintGridLines(QPainter &painter, const Areas &areas)
{
    paintForBothAxes(painter, areas, &ChartXYRender::paintGridLinesAt);
}

void ChartXYRender::paintForBothAxes(QPainter &painter, const Areas &areas, AxisPainter paintOne)
{
    const PainterStateGuard guard(painter);
    (this->*paintOne)(painter, areas, Qt::Horizontal);
    (this->*paintOne)(painter, areas, Qt::Vertical);
}

// Grid lines are spread over W - 1 (H - 1) so that the outer ones fall on the plot
// area's first and last pixel, the edges of the data's clip. The ticks below divide the
// full W (H), as the labels do, so the last tick stands a pixel past the last grid line.
void ChartXYRender::paintGridLinesAt(QPainter &painter, const Areas &areas,
                                     Qt::Orientation axis)
{
    const AxisGeometry geometry(axis, areas.grid, areas.plot);
    const uint n = ticksOf(axis).count();
    const qreal step = qreal(geometry.extent - 1) / (n - 1);
    painter.setPen(chartPen(m_setting->grid()->foreground(), 1.0, Qt::DotLine));
    for (uint i = 0; i < n; ++i)
        painter.drawLine(geometry.across(geometry.at(i * step), geometry.crossFrom,
                                         geometry.crossTo));
}

void ChartXYRender::paintAxes(QPainter &painter, const Areas &areas)
{
    paintForBothAxes(painter, areas, &ChartXYRender::paintAxisAndTicks);
}

void ChartXYRender::paintAxisAndTicks(QPainter &painter, const Areas &areas,
                                      Qt::Orientation axis)
{
    const QColor foreground = m_setting->grid()->foreground();
    const QPen axisPen = chartPen(foreground, 2.0);
    const QPen majorPen = chartPen(foreground, 2.0);
    const QPen minorPen = chartPen(foreground, 1.0);
    const AxisGeometry geometry(axis, areas.grid, areas.plot);
    const ChartXYGridTick &tick = ticksOf(axis);
    const uint n = tick.count();
    const uint m = tick.subCount();
    const qreal d = qreal(geometry.extent) / (n - 1);

    painter.setPen(axisPen);
    painter.drawLine(geometry.line);
    for (uint i = 0; i < n; ++i) {
        const qreal major = geometry.at(i * d);
        if (i < n - 1) {
            // The first and last minor marks fall on the major positions.
            for (uint j = 0; j < m; ++j) {
                painter.setPen(minorPen);
                painter.drawLine(geometry.mark(major + geometry.sign * (j * d / (m - 1)),
                                               MinorTickLength));
            }
        }
        painter.setPen(majorPen);
        painter.drawLine(geometry.mark(major, MajorTickLength));
    }
    paintTickLabels(painter, areas, axis);
}

void ChartXYRender::paintTickLabels(QPainter &painter, const Areas &areas, Qt::Orientation axis)
{
    const bool alongX = axis == Qt::Horizontal;
    const int yLabelWidth = m_setting->border()->left() - MinimumLabelMargin;
    if (!alongX && yLabelWidth < 0)
        return;
    const ChartXYGridTick &tick = ticksOf(axis);
    const ChartXYLimitAxis &limit = limitOf(axis);
    const int ps = painter.fontInfo().pixelSize();
    const uint n = tick.count();
    const QTextOption option(alongX ? Qt::AlignHCenter | Qt::AlignTop
                                    : Qt::AlignRight | Qt::AlignVCenter);
    for (uint i = 0; i < n; ++i) {
        const QRectF label = alongX ? xLabelRect(areas.grid, areas.plot, n, i, ps)
                                    : yLabelRect(areas.grid, areas.plot, n, i, ps, yLabelWidth);
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
    const PainterStateGuard guard(painter);
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
}

QVariant ChartXYRender::tickValue(ChartXYLimitAxis limit_axis, ChartXYGridTick grid_tick,
                                  uint tick) const
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

QString ChartXYRender::tickValueToString(QVariant tick_value) const
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

QPointF ChartXYRender::dataGridPosition(QRect &rect, QVariant x, QVariant y) const
{
    const DataMapping mapping(rect, m_setting->scale()->limitView());
    return mapping.map(variantToReal(x), variantToReal(y));
}

QRect ChartXYRender::viewportRect() const
{
    return QRect(QPoint(0, 0), m_renderSize.isValid() ? m_renderSize : m_viewport->size());
}

ChartXYRender::Areas ChartXYRender::areasFor(const QRect &gridRect) const
{
    const int inset = m_setting->grid()->inset();
    return {gridRect, gridRect.adjusted(inset, inset, -inset, -inset)};
}

const ChartXYGridTick &ChartXYRender::ticksOf(Qt::Orientation axis) const
{
    return axis == Qt::Horizontal ? m_setting->grid()->tickX() : m_setting->grid()->tickY();
}

const ChartXYLimitAxis &ChartXYRender::limitOf(Qt::Orientation axis) const
{
    const ChartXYLimit &limit = m_setting->scale()->limitView();
    return axis == Qt::Horizontal ? limit.x() : limit.y();
}
