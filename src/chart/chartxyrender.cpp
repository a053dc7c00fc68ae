#include "chartxyrender.h"

#include "chartxydatamapping.h"
#include "chartxylegendpainter.h"
#include "chartxyseriespainter.h"
#include "chartxysetting.h"
#include "varianttoreal.h"

#include <QAbstractItemView>
#include <QDateTime>
#include <QFontInfo>
#include <QFontMetricsF>
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

// Tick values between the limits are interpolated in double precision, at the fraction
// tick / intervals.
qreal interpolate(qreal a, qreal b, uint intervals, uint tick)
{
    const qreal v = (a * (qreal(intervals) - tick)) / intervals + (b * tick) / intervals;
    if (std::isfinite(v) || !std::isfinite(a) || !std::isfinite(b))
        return v;
    // Limits so large that the products overflow: the same point through the fraction.
    const qreal share = qreal(tick) / intervals;
    return a * (1 - share) + b * share;
}

QTime timeFromMSecs(quint64 v)
{
    return QTime(int((v % 86400000) / 3600000), int((v % 3600000) / 60000),
                 int((v % 60000) / 1000), int(v % 1000));
}

// How many of `count` evenly spaced positions over `span` pixels are drawn: all of them,
// unless they would stand closer than a pixel, where one per pixel already fills the
// span (a count of 4,294,967,295 would otherwise paint for ever).
uint drawnCount(uint count, qreal span)
{
    if (count - 1 <= span)
        return count;
    return uint(std::max(span, 1.0)) + 1;
}

// Whether a viewport of this size has room for a grid area with its inset: if not, only
// the border shows. Margins and inset may be anything an int holds, so the sums are
// taken in 64 bits. A margin or inset beyond a million pixels either way counts as
// leaving no room: no device is that large, and the rectangles' arithmetic stays far
// from overflow.
bool hasRoomForGrid(const QSize &viewport, const ChartXYBorder *border, int inset)
{
    constexpr qint64 Far = 1 << 20;
    const qint64 values[] = {border->left(), border->right(), border->top(), border->bottom(),
                             inset};
    for (const qint64 v : values)
        if (v > Far || v < -Far)
            return false;
    const qint64 across = qint64(border->left()) + border->right() + 2 * qint64(inset);
    const qint64 down = qint64(border->top()) + border->bottom() + 2 * qint64(inset);
    return across <= viewport.width() - 1 && down <= viewport.height() - 1;
}

// Draws an upright line of the chart's frame (grid line, axis, tick) crisply on a screen
// whose device pixel ratio is not whole (1.5): there a line at a whole logical position
// would straddle device pixels and show doubled. Its stroke is moved onto whole device
// pixels, at most half a device pixel away. Whole ratios draw the line as given.
void drawCrispLine(QPainter &painter, const QLineF &line)
{
    const QTransform device = painter.deviceTransform();
    const qreal scale = device.m11();
    if (device.type() > QTransform::TxScale || scale != device.m22()
        || scale == std::round(scale) || scale <= 0) {
        painter.drawLine(line);
        return;
    }
    const qreal width = std::max<qreal>(1, std::round(painter.pen().widthF() * scale));
    // The stroke's centre in device pixels: on a pixel edge for an even width, on a pixel
    // centre for an odd one.
    const qreal half = std::fmod(width, 2) == 0 ? 0 : 0.5;
    const auto snap = [half](qreal v) { return std::floor(v) + half; };
    const QPointF a = device.map(line.p1());
    const QPointF b = device.map(line.p2());
    QLineF snapped = line;
    if (line.x1() == line.x2()) {
        const qreal x = snap(a.x());
        snapped = QLineF(QPointF(x, a.y()), QPointF(x, b.y()));
    } else if (line.y1() == line.y2()) {
        const qreal y = snap(a.y());
        snapped = QLineF(QPointF(a.x(), y), QPointF(b.x(), y));
    } else {
        painter.drawLine(line);
        return;
    }
    QPen pen = painter.pen();
    const QPen original = pen;
    pen.setWidthF(width / scale);
    painter.setPen(pen);
    painter.drawLine(device.inverted().map(snapped));
    painter.setPen(original);
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
    , m_series(new ChartXYSeriesCache(&setting->scale()->scan(),
                                      &setting->scale()->modelWatch(), this))
    , m_markers(std::make_unique<ChartXYSeriesPainter>())
    , m_legend(std::make_unique<ChartXYLegendPainter>(setting))
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

void ChartXYRender::invalidateData()
{
    m_series->invalidate();
}

void ChartXYRender::paintBorder(QPainter &painter)
{
    painter.fillRect(viewportRect(), m_setting->border()->background());
}

void ChartXYRender::paintGrid(QPainter &painter)
{
    const ChartXYGrid *grid = m_setting->grid();
    Areas areas;
    if (!areasIn(viewportRect().size(), &areas))
        return;

    painter.fillRect(areas.grid, grid->background());
    if (grid->visible())
        paintGridLines(painter, areas);
    paintAxes(painter, areas);
    QRect plot = areas.plot;
    paintData(painter, plot);
    if (m_setting->legend()->visible())
        m_legend->paint(painter, areas.plot, m_view->model(), *m_markers);
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
    const uint n = drawnCount(ticksOf(axis).count(), geometry.extent - 1);
    const qreal step = qreal(geometry.extent - 1) / (n - 1);
    painter.setPen(chartPen(m_setting->grid()->foreground(), 1.0, Qt::DotLine));
    for (uint i = 0; i < n; ++i)
        drawCrispLine(painter, geometry.across(geometry.at(i * step), geometry.crossFrom,
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
    const uint n = drawnCount(tick.count(), geometry.extent);
    const qreal d = qreal(geometry.extent) / (n - 1);
    const uint m = drawnCount(tick.subCount(), d);

    painter.setPen(axisPen);
    // Whole ratios keep the integer line the axis has always been drawn with.
    const QTransform device = painter.deviceTransform();
    if (device.m11() == std::round(device.m11()))
        painter.drawLine(geometry.line);
    else
        drawCrispLine(painter, QLineF(geometry.line));
    for (uint i = 0; i < n; ++i) {
        const qreal major = geometry.at(i * d);
        if (i < n - 1) {
            // The first and last minor marks fall on the major positions.
            for (uint j = 0; j < m; ++j) {
                painter.setPen(minorPen);
                drawCrispLine(painter, geometry.mark(major + geometry.sign * (j * d / (m - 1)),
                                                     MinorTickLength));
            }
        }
        painter.setPen(majorPen);
        drawCrispLine(painter, geometry.mark(major, MajorTickLength));
    }
    paintTickLabels(painter, areas, axis);
}

void ChartXYRender::paintTickLabels(QPainter &painter, const Areas &areas, Qt::Orientation axis)
{
    const bool alongX = axis == Qt::Horizontal;
    const int yLabelWidth = areas.yLabelWidth;
    if (!alongX && yLabelWidth < 0)
        return;
    const int ps = painter.fontInfo().pixelSize();
    const uint n = labelCount(areas, axis);
    // Never wrapped, never cut: a label a little larger than its box (the box is only a
    // pixel size high) still shows whole; the margins were widened for the widest.
    const int flags = (alongX ? Qt::AlignHCenter | Qt::AlignTop : Qt::AlignRight | Qt::AlignVCenter)
                      | Qt::TextDontClip;
    for (uint i = 0; i < n; ++i) {
        const QRectF label = alongX ? xLabelRect(areas.grid, areas.plot, n, i, ps)
                                    : yLabelRect(areas.grid, areas.plot, n, i, ps, yLabelWidth);
        painter.drawText(label, flags, labelText(axis, n, i));
    }
}

uint ChartXYRender::labelCount(const Areas &areas, Qt::Orientation axis) const
{
    // Labels go with the ticks actually drawn.
    const int extent = axis == Qt::Horizontal ? areas.plot.width() : areas.plot.height();
    return drawnCount(ticksOf(axis).count(), extent);
}

QString ChartXYRender::labelText(Qt::Orientation axis, uint count, uint tick) const
{
    const ChartXYLimitAxis &limit = limitOf(axis);
    const ChartXYGridTick ticks(count, ticksOf(axis).subCount());
    QVariant value = tickValue(limit, ticks, tick);
    // Rounding leaves residue such as -5.55e-17 where the value is 0: a tick within a
    // billionth of a step of zero is labelled 0. The limits themselves stay as they are.
    const int type = value.typeId();
    if (type == QMetaType::Double || type == QMetaType::Float) {
        // Each limit divided first, so that a range wider than the largest double does
        // not overflow into an infinite step.
        const qreal intervals = count - 1;
        const qreal step = variantToReal(limit.max()) / intervals
                           - variantToReal(limit.min()) / intervals;
        if (std::abs(value.toDouble()) <= std::abs(step) * 1e-9)
            value = QVariant(0.0);
    }
    return tickValueToString(value);
}

void ChartXYRender::paintData(QPainter &painter, QRect &rect)
{
    const QAbstractItemModel *model = m_view->model();
    if (!model)
        return;
    // Bands first, so that every line and marker stays on top of them.
    for (int column = 1; column < model->columnCount(); ++column)
        paintDataBand(painter, rect, column);
    for (int column = 1; column < model->columnCount(); ++column)
        paintDataColumn(painter, rect, column);
}

void ChartXYRender::paintDataBand(QPainter &painter, const QRect &rect, int column)
{
    const QAbstractItemModel *model = m_view->model();
    const ChartXYSeriesStyle *style = m_setting->findSeriesStyle(column);
    if (!model || !style || !style->drawsBand() || style->bandTo() >= model->columnCount())
        return;
    const ChartXYLimit &limit = m_setting->scale()->limitView();
    if (limit.x().type() == QMetaType::UnknownType || limit.y().type() == QMetaType::UnknownType)
        return;
    const bool viewportSize = !m_renderSize.isValid() || m_renderSize == m_viewport->size();
    const qreal pixel = devicePixelWidth(painter);
    // Copied: the second call may reuse the storage of the first.
    const ChartXYSeriesCache::Series edge =
        m_series->series(model, column, limit, rect, viewportSize, pixel);
    const QList<QPointF> otherEdge =
        m_series->series(model, style->bandTo(), limit, rect, viewportSize, pixel).points;
    const PainterStateGuard guard(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(rect, Qt::ReplaceClip);
    const QColor colour = ChartXYSeriesPainter::linePen(painter, edge.colour, style).color();
    ChartXYSeriesPainter::paintBand(painter, edge.points, otherEdge, colour, style->bandOpacity());
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

    // Drawing at another size maps afresh and leaves the viewport's series as they are.
    const bool viewportSize = !m_renderSize.isValid() || m_renderSize == m_viewport->size();
    // A series nobody styled is drawn exactly as before styles existed.
    static const ChartXYSeriesStyle Unstyled;
    const ChartXYSeriesStyle *styled = m_setting->findSeriesStyle(column);
    const ChartXYSeriesStyle &style = styled ? *styled : Unstyled;
    ChartXYSeriesCache::Needs needs;
    needs.line = style.drawsLine();
    needs.markers = style.drawsMarkers();
    needs.markerReach = style.markerSize();
    needs.device = painter.deviceTransform();
    if (!needs.line && !needs.markers)
        return;
    const ChartXYSeriesCache::Series &series = m_series->series(
        model, column, limit, rect, viewportSize, devicePixelWidth(painter), needs);
    const PainterStateGuard guard(painter);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setClipRect(rect, Qt::ReplaceClip);
    const QPen pen = ChartXYSeriesPainter::linePen(painter, series.colour, styled);
    if (needs.line)
        ChartXYSeriesPainter::paintLine(painter, series.points, pen);
    if (needs.markers)
        m_markers->paintMarkers(painter, series.markers, style, pen.color());
}

// One device pixel along X in the painter's coordinates, or 0 where the painter turns or
// shears its drawing, so that pixel columns are not upright: such a drawing is never
// thinned.
qreal ChartXYRender::devicePixelWidth(const QPainter &painter)
{
    const QTransform device = painter.deviceTransform();
    if (device.type() > QTransform::TxScale || device.m11() == 0)
        return 0;
    return 1 / std::abs(device.m11());
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
    const ChartXYDataMapping mapping(rect, m_setting->scale()->limitView());
    return mapping.map(variantToReal(x), variantToReal(y));
}

QRect ChartXYRender::viewportRect() const
{
    return QRect(QPoint(0, 0), m_renderSize.isValid() ? m_renderSize : m_viewport->size());
}

QRect ChartXYRender::plotArea(const QSize &size) const
{
    Areas areas;
    return areasIn(size, &areas) ? areas.plot : QRect();
}

bool ChartXYRender::areasIn(const QSize &size, Areas *areas) const
{
    const ChartXYBorder *border = m_setting->border();
    const int inset = m_setting->grid()->inset();
    if (!hasRoomForGrid(size, border, inset))
        return false;
    const auto gridWith = [&](int left, int right) {
        return QRect(QPoint(left, border->top()),
                     QPoint(size.width() - 1 - right, size.height() - 1 - border->bottom()));
    };
    *areas = areasFor(gridWith(border->left(), border->right()));
    // Where the configured margins are too narrow for the widest label, they widen: the
    // left one for the Y labels (and the first X label's left half), the right one for
    // the last X label's right half. Charts whose labels fit keep their geometry.
    const QFontMetricsF metrics(m_viewport->font(), m_viewport);
    const auto widthOf = [&metrics](const QString &text) {
        return int(std::ceil(metrics.horizontalAdvance(text)));
    };
    const uint yCount = labelCount(*areas, Qt::Vertical);
    int yWidest = 0;
    for (uint i = 0; i < yCount; ++i)
        yWidest = std::max(yWidest, widthOf(labelText(Qt::Vertical, yCount, i)));
    const uint xCount = labelCount(*areas, Qt::Horizontal);
    const int xFirst = widthOf(labelText(Qt::Horizontal, xCount, 0));
    const int xLast = widthOf(labelText(Qt::Horizontal, xCount, xCount - 1));
    int left = std::max(border->left(), (xFirst + 1) / 2 - inset);
    if (border->left() >= MinimumLabelMargin)
        left = std::max(left, yWidest + MinimumLabelMargin);
    const int right = std::max(border->right(), (xLast + 1) / 2 - inset + 1);
    if (left == border->left() && right == border->right())
        return true;
    const qint64 across = qint64(left) + right + 2 * qint64(inset);
    if (across > size.width() - 1)
        return false;
    *areas = areasFor(gridWith(left, right));
    areas->yLabelWidth = left - MinimumLabelMargin;
    return true;
}

ChartXYRender::Areas ChartXYRender::areasFor(const QRect &gridRect) const
{
    const int inset = m_setting->grid()->inset();
    return {gridRect, gridRect.adjusted(inset, inset, -inset, -inset),
            m_setting->border()->left() - MinimumLabelMargin};
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
