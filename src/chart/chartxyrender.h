#ifndef CHARTXYRENDER_H
#define CHARTXYRENDER_H

#include "chartxygridtick.h"
#include "chartxylimitaxis.h"
#include "chartxyseriescache.h"

#include <QObject>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVariant>

#include <memory>

class ChartXYLegendPainter;
class ChartXYSeriesPainter;
class ChartXYSetting;
class QAbstractItemView;
class QPainter;
class QWidget;

// Paints a whole chart into the viewport of its view: border, grid area, grid lines, axes
// with tick marks and labels, and one polyline per data column. Every step is a slot of
// its own so that it can be reached through the meta-object system; the X and Y slots
// forward to one helper per concern. The series are kept, mapped, between paints, so a
// repaint of unchanged data reads nothing from the model. The renderer changes neither
// the settings nor the model.
class ChartXYRender : public QObject
{
    Q_OBJECT

public:
    ChartXYRender(QAbstractItemView *view, ChartXYSetting *setting);
    ~ChartXYRender() override;

    // Draws the chart as it would fill a viewport of the given size, onto any painter:
    // an image, a printer or a PDF page. The painter's state is left as it was found.
    void render(QPainter &painter, const QSize &size);
    // Drops the series kept between paints. The view calls this when the data or the
    // limits may have changed in ways the model does not signal.
    void invalidateData();
    // Where the series of a viewport of the given size are drawn; a null rectangle when
    // it is too small for a grid area.
    QRect plotArea(const QSize &size) const;

public slots:
    void paint();

protected slots:
    void paintBorder(QPainter &painter);
    void paintGrid(QPainter &painter);
    void paintGridLine(QPainter &painter, QRect &rect);
    void paintGridLineX(QPainter &painter, QRect &rect);
    void paintGridLineY(QPainter &painter, QRect &rect);
    void paintAxis(QPainter &painter, QRect &rect);
    void paintAxisX(QPainter &painter, QRect &rect);
    void paintAxisXTickvalue(QPainter &painter, QRect &rect);
    void paintAxisY(QPainter &painter, QRect &rect);
    void paintAxisYTickvalue(QPainter &painter, QRect &rect);
    void paintData(QPainter &painter, QRect &rect);
    void paintDataColumn(QPainter &painter, QRect &rect, int column);
    QVariant tickValue(ChartXYLimitAxis limit_axis, ChartXYGridTick grid_tick, uint tick) const;
    QString tickValueToString(QVariant tick_value) const;
    QPointF dataGridPosition(QRect &rect, QVariant x, QVariant y) const;

private:
    // The two rectangles one paint works in.
    struct Areas
    {
        QRect grid;
        QRect plot;
        // The width of the Y labels' boxes, which end LabelGap before the Y axis.
        int yLabelWidth;
    };

    using AxisPainter = void (ChartXYRender::*)(QPainter &, const Areas &, Qt::Orientation);

    // The band of the series in column, if its style asks for one, behind every line.
    void paintDataBand(QPainter &painter, const QRect &rect, int column);
    // The areas of a viewport of the given size; false when it has no room for a grid.
    bool areasIn(const QSize &size, Areas *areas) const;
    Areas areasFor(const QRect &gridRect) const;
    // Draws X, then Y, with the painter's state restored afterwards.
    void paintForBothAxes(QPainter &painter, const Areas &areas, AxisPainter paintOne);
    // Each takes the axis whose positions it draws: Qt::Horizontal for X, Qt::Vertical for Y.
    void paintGridLines(QPainter &painter, const Areas &areas);
    void paintGridLinesAt(QPainter &painter, const Areas &areas, Qt::Orientation axis);
    void paintAxes(QPainter &painter, const Areas &areas);
    void paintAxisAndTicks(QPainter &painter, const Areas &areas, Qt::Orientation axis);
    void paintTickLabels(QPainter &painter, const Areas &areas, Qt::Orientation axis);
    // How many labels an axis shows, and the text of one of them.
    uint labelCount(const Areas &areas, Qt::Orientation axis) const;
    QString labelText(Qt::Orientation axis, uint count, uint tick) const;
    const ChartXYGridTick &ticksOf(Qt::Orientation axis) const;
    const ChartXYLimitAxis &limitOf(Qt::Orientation axis) const;
    static qreal devicePixelWidth(const QPainter &painter);
    QRect viewportRect() const;

    QAbstractItemView *m_view;
    QWidget *m_viewport;
    ChartXYSetting *m_setting;
    ChartXYSeriesCache *m_series;
    std::unique_ptr<ChartXYSeriesPainter> m_markers;
    std::unique_ptr<ChartXYLegendPainter> m_legend;
    // Set while render() draws for a device other than the viewport.
    QSize m_renderSize;
};

#endif // CHARTXYRENDER_H
