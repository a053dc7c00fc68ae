#ifndef CHARTXYSERIESPAINTER_H
#define CHARTXYSERIESPAINTER_H

#include "chartxyseriesstyle.h"

#include <QColor>
#include <QImage>
#include <QList>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QVariant>

class QPainter;

// Draws a series as its style asks: the line through its points and a marker centred on
// each. On a raster device a marker is one prepared image stamped onto the device pixel
// grid, so that a dense scatter costs a copy per point, not a shape; elsewhere (PDF,
// printer, turned painters) each marker is drawn as a shape.
class ChartXYSeriesPainter
{
public:
    // The shape of a marker of the given size centred on (0, 0); Cross is an outline
    // to be stroked, the others are areas to fill.
    static QPainterPath markerPath(ChartXYSeriesStyle::Marker marker, qreal size);
    // Whether markers drawn with painter go onto the device pixel grid as images.
    static bool stampsMarkers(const QPainter &painter);

    // The pen of a series' line: the series' colour with the style's width and pen style.
    // Without a colour the series takes the painter's pen; without a style (null), the
    // line is drawn as before styles existed.
    static QPen linePen(const QPainter &painter, const QVariant &colour,
                        const ChartXYSeriesStyle *style);
    // Solid lines go segment by segment, as a series always has been drawn; other pen
    // styles as one polyline, so that the dash pattern runs on across the points.
    static void paintLine(QPainter &painter, const QList<QPointF> &points, const QPen &pen);
    // The area between two lines, one run forward and the other back, as one filled
    // polygon: a shape, so vectors on PDF and print. It covers only the X both edges reach;
    // the painter's clip is narrowed to that, so the caller saves the painter's state.
    static void paintBand(QPainter &painter, const QList<QPointF> &edge, const QList<QPointF> &otherEdge,
                          const QColor &colour, qreal opacity);
    void paintMarkers(QPainter &painter, const QList<QPointF> &points,
                      const ChartXYSeriesStyle &style, const QColor &colour);

private:
    // The marker drawn into an image for the device pixel ratio, its centre on the
    // centre of pixel (centre, centre).
    struct Stamp
    {
        ChartXYSeriesStyle::Marker marker = ChartXYSeriesStyle::None;
        int size = 0;
        QRgb colour = 0;
        qreal ratio = 0;
        QImage image;
        int centre = 0;
    };
    const Stamp &stamp(const ChartXYSeriesStyle &style, const QColor &colour, qreal ratio);
    static void paintMarkerShape(QPainter &painter, const QPainterPath &path,
                                 ChartXYSeriesStyle::Marker marker, qreal size,
                                 const QColor &colour);

    // The few stamps of the series drawn last, so that repaints prepare none.
    QList<Stamp> m_stamps;
};

#endif // CHARTXYSERIESPAINTER_H
