#ifndef CHARTXYLEGENDPAINTER_H
#define CHARTXYLEGENDPAINTER_H

#include <QList>
#include <QRectF>
#include <QString>

class ChartXYSeriesPainter;
class ChartXYSetting;
class QAbstractItemModel;
class QPainter;

// Draws the legend: a framed box in the legend's corner of the plot area with one row
// per named series, a sample of its band, line and marker and its horizontal header text. It stays
// inside the plot area, so it never covers the axes or their labels.
class ChartXYLegendPainter
{
public:
    explicit ChartXYLegendPainter(const ChartXYSetting *setting);

    void paint(QPainter &painter, const QRect &plot, const QAbstractItemModel *model,
               ChartXYSeriesPainter &markers) const;
    // Where the box goes for the model's series, with the painter's font.
    QRectF boxRect(const QPainter &painter, const QRect &plot,
                   const QAbstractItemModel &model) const;

private:
    qreal rowHeight(const QPainter &painter, const QAbstractItemModel &model) const;
    // The columns the legend names, in order.
    QList<int> entries(const QAbstractItemModel &model) const;
    static QString entryText(const QAbstractItemModel &model, int column);

    const ChartXYSetting *m_setting;
};

#endif // CHARTXYLEGENDPAINTER_H
