#include "chartxyseriespainter.h"

#include <QPaintEngine>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

// Stamps kept at most: a chart shows few series.
constexpr int KeptStamps = 16;

// A cross's arms are this share of its size thick.
constexpr qreal CrossThickness = 0.2;

} // namespace

QPainterPath ChartXYSeriesPainter::markerPath(ChartXYSeriesStyle::Marker marker, qreal size)
{
    const qreal h = size / 2;
    QPainterPath path;
    switch (marker) {
    case ChartXYSeriesStyle::None:
        break;
    case ChartXYSeriesStyle::Circle:
        path.addEllipse(QPointF(0, 0), h, h);
        break;
    case ChartXYSeriesStyle::Square:
        path.addRect(QRectF(-h, -h, size, size));
        break;
    case ChartXYSeriesStyle::Triangle:
        // Pointing up, its centre of height on the point.
        path.moveTo(0, -h);
        path.lineTo(h, h);
        path.lineTo(-h, h);
        path.closeSubpath();
        break;
    case ChartXYSeriesStyle::Diamond:
        path.moveTo(0, -h);
        path.lineTo(h, 0);
        path.lineTo(0, h);
        path.lineTo(-h, 0);
        path.closeSubpath();
        break;
    case ChartXYSeriesStyle::Cross:
        path.moveTo(-h, -h);
        path.lineTo(h, h);
        path.moveTo(-h, h);
        path.lineTo(h, -h);
        break;
    }
    return path;
}

bool ChartXYSeriesPainter::stampsMarkers(const QPainter &painter)
{
    const QPaintEngine *engine = painter.paintEngine();
    const QTransform device = painter.deviceTransform();
    return engine && engine->type() == QPaintEngine::Raster
           && device.type() <= QTransform::TxScale && device.m11() > 0
           && device.m11() == device.m22();
}

QPen ChartXYSeriesPainter::linePen(const QPainter &painter, const QVariant &colour,
                                   const ChartXYSeriesStyle *style)
{
    const qreal width = style ? style->lineWidth() : 2.0;
    const Qt::PenStyle penStyle = style ? style->lineStyle() : Qt::SolidLine;
    if (colour.typeId() == QMetaType::QColor)
        return QPen(QBrush(colour.value<QColor>(), Qt::SolidPattern), width, penStyle,
                    Qt::SquareCap, Qt::BevelJoin);
    QPen pen = painter.pen();
    if (style) {
        pen.setWidthF(width);
        pen.setStyle(penStyle);
    }
    return pen;
}

void ChartXYSeriesPainter::paintLine(QPainter &painter, const QList<QPointF> &points,
                                     const QPen &pen)
{
    if (points.isEmpty())
        return;
    painter.setPen(pen);
    if (pen.style() != Qt::SolidLine) {
        painter.drawPolyline(points.constData(), int(points.size()));
        return;
    }
    // The first segment has no length: a lone point still shows as a dot.
    QPointF prev = points.first();
    for (const QPointF &p : points) {
        painter.drawLine(QLineF(prev, p));
        prev = p;
    }
}

void ChartXYSeriesPainter::paintBand(QPainter &painter, const QList<QPointF> &edge,
                                     const QList<QPointF> &otherEdge, const QColor &colour,
                                     qreal opacity)
{
    if (edge.isEmpty() || otherEdge.isEmpty())
        return;
    QPolygonF area(edge);
    area.reserve(edge.size() + otherEdge.size());
    for (auto p = otherEdge.crbegin(); p != otherEdge.crend(); ++p)
        area.append(*p);
    // Only where both edges are: the polygon's closing sides may reach past the shorter.
    const auto span = [](const QList<QPointF> &points) {
        const auto [left, right] = std::minmax_element(
            points.cbegin(), points.cend(), [](const QPointF &a, const QPointF &b) { return a.x() < b.x(); });
        return std::make_pair(left->x(), right->x());
    };
    const auto [left, right] = span(edge);
    const auto [otherLeft, otherRight] = span(otherEdge);
    const qreal from = std::max(left, otherLeft);
    const qreal to = std::min(right, otherRight);
    if (!(to > from))
        return;
    const QRectF reach = painter.clipBoundingRect().isEmpty() ? QRectF(-1e9, -1e9, 2e9, 2e9)
                                                              : painter.clipBoundingRect();
    painter.setClipRect(QRectF(from, reach.top(), to - from, reach.height()), Qt::IntersectClip);
    QColor fill = colour;
    fill.setAlphaF(float(std::clamp<qreal>(opacity, 0, 1) * colour.alphaF()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawPolygon(area, Qt::WindingFill);
}

void ChartXYSeriesPainter::paintMarkers(QPainter &painter, const QList<QPointF> &points,
                                        const ChartXYSeriesStyle &style, const QColor &colour)
{
    if (!style.drawsMarkers() || points.isEmpty())
        return;
    if (!stampsMarkers(painter)) {
        const QPainterPath path = markerPath(style.marker(), style.markerSize());
        for (const QPointF &p : points)
            paintMarkerShape(painter, path.translated(p), style.marker(), style.markerSize(),
                             colour);
        return;
    }
    const QTransform device = painter.deviceTransform();
    const qreal ratio = device.m11();
    const Stamp &s = stamp(style, colour, ratio);
    const QTransform toLogical = device.inverted();
    for (const QPointF &p : points) {
        // The device pixel the point lies in; the stamp's centre pixel goes there.
        const QPointF d = device.map(p);
        const QPointF corner(std::floor(d.x()) - s.centre, std::floor(d.y()) - s.centre);
        painter.drawImage(toLogical.map(corner), s.image);
    }
}

void ChartXYSeriesPainter::paintMarkerShape(QPainter &painter, const QPainterPath &path,
                                            ChartXYSeriesStyle::Marker marker, qreal size,
                                            const QColor &colour)
{
    if (marker == ChartXYSeriesStyle::Cross)
        painter.strokePath(path, QPen(colour, std::max(1.0, size * CrossThickness),
                                      Qt::SolidLine, Qt::FlatCap));
    else
        painter.fillPath(path, colour);
}

const ChartXYSeriesPainter::Stamp &ChartXYSeriesPainter::stamp(const ChartXYSeriesStyle &style,
                                                               const QColor &colour, qreal ratio)
{
    for (const Stamp &s : std::as_const(m_stamps))
        if (s.marker == style.marker() && s.size == style.markerSize()
            && s.colour == colour.rgba() && s.ratio == ratio)
            return s;
    if (m_stamps.size() >= KeptStamps)
        m_stamps.removeFirst();

    Stamp s;
    s.marker = style.marker();
    s.size = style.markerSize();
    s.colour = colour.rgba();
    s.ratio = ratio;
    // Room for the shape, a cross's stroke and antialiasing on every side.
    s.centre = int(std::ceil(style.markerSize() * ratio / 2)) + 1;
    const int side = 2 * s.centre + 1;
    s.image = QImage(side, side, QImage::Format_ARGB32_Premultiplied);
    s.image.fill(Qt::transparent);
    {
        QPainter painter(&s.image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.translate(s.centre + 0.5, s.centre + 0.5);
        painter.scale(ratio, ratio);
        paintMarkerShape(painter, markerPath(s.marker, s.size), s.marker, s.size, colour);
    }
    s.image.setDevicePixelRatio(ratio);
    m_stamps.append(s);
    return m_stamps.last();
}
