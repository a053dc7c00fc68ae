#ifndef REPORTPAGE_H
#define REPORTPAGE_H

#include <QFont>
#include <QRectF>

class QPagedPaintDevice;
class QPainter;

// The A4 portrait page every report is laid out on. It is measured in tenths of a point,
// so that a font's pixel size is ten times its point size and every measure keeps its
// proportion on any device.
class ReportPage
{
public:
    static constexpr double Width = 5952.76;
    static constexpr double Height = 8418.9;
    static constexpr double Margin = 510.0; // 18 mm
    static constexpr double TextWidth = Width - 2 * Margin;

    static QFont font(double points, bool bold = false);
    // A4 portrait without margins of its own: the page keeps its margins itself.
    static void prepare(QPagedPaintDevice &device);
    // Scales and moves painter so that one page fills target, keeping its proportions.
    static void mapTo(QPainter &painter, const QRectF &target);
};

#endif // REPORTPAGE_H
