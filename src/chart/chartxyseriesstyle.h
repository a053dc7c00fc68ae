#ifndef CHARTXYSERIESSTYLE_H
#define CHARTXYSERIESSTYLE_H

#include <Qt>
#include <QtGlobal>

// How one series is drawn: its line (shown or not, width, pen style) and the marker put
// on each of its points. The colour is not part of it: it still comes from the series'
// first row. The defaults draw a series as a chart without styles always has.
class ChartXYSeriesStyle
{
public:
    enum Marker { None, Circle, Square, Triangle, Diamond, Cross };

    // A series with its line off and a marker set is a scatter.
    bool lineVisible() const { return m_lineVisible; }
    void setLineVisible(bool visible) { m_lineVisible = visible; }
    qreal lineWidth() const { return m_lineWidth; }
    void setLineWidth(qreal width) { m_lineWidth = width; }
    // Dashed or dotted lines for reference lines, such as the identity of a calibration plot.
    Qt::PenStyle lineStyle() const { return m_lineStyle; }
    void setLineStyle(Qt::PenStyle style) { m_lineStyle = style; }
    Marker marker() const { return m_marker; }
    void setMarker(Marker marker) { m_marker = marker; }
    // The marker's width and height in pixels.
    int markerSize() const { return m_markerSize; }
    void setMarkerSize(int size) { m_markerSize = size; }

    // Whether anything is drawn along the line or at the points at all.
    bool drawsLine() const;
    bool drawsMarkers() const;

private:
    bool m_lineVisible = true;
    qreal m_lineWidth = 2;
    Qt::PenStyle m_lineStyle = Qt::SolidLine;
    Marker m_marker = None;
    int m_markerSize = 7;
};

#endif // CHARTXYSERIESSTYLE_H
