#ifndef CHARTXYSERIESSTYLE_H
#define CHARTXYSERIESSTYLE_H

#include <Qt>
#include <QtGlobal>

// How one series is drawn: its line (shown or not, width, pen style), the marker put on
// each of its points, and a band: the area between it and another series, filled
// translucently behind every line. The colour is not part of it: it still comes from the
// series' first row. The defaults draw a series as a chart without styles always has.
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

    // The column of the series that bounds this one's band on its other side; NoBand for
    // none. The band ends where either series ends.
    static constexpr int NoBand = -1;
    int bandTo() const { return m_bandTo; }
    void setBandTo(int column) { m_bandTo = column; }
    // How much of the series' colour the band takes, from 0 to 1.
    qreal bandOpacity() const { return m_bandOpacity; }
    void setBandOpacity(qreal opacity) { m_bandOpacity = opacity; }
    // Whether the legend names the series; the far edge of a band usually goes unnamed.
    bool inLegend() const { return m_inLegend; }
    void setInLegend(bool shown) { m_inLegend = shown; }

    // Whether anything is drawn along the line or at the points at all.
    bool drawsLine() const;
    bool drawsMarkers() const;
    bool drawsBand() const;

private:
    bool m_lineVisible = true;
    qreal m_lineWidth = 2;
    Qt::PenStyle m_lineStyle = Qt::SolidLine;
    Marker m_marker = None;
    int m_markerSize = 7;
    int m_bandTo = NoBand;
    qreal m_bandOpacity = 0.25;
    bool m_inLegend = true;
};

#endif // CHARTXYSERIESSTYLE_H
