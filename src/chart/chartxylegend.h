#ifndef CHARTXYLEGEND_H
#define CHARTXYLEGEND_H

#include <QObject>

// The legend: one entry per series, its line and marker sample beside the series'
// horizontal header text, in a corner inside the plot area. Hidden unless asked for.
class ChartXYLegend : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYLegend(QObject *parent = nullptr);

    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    Qt::Corner corner() const { return m_corner; }
    void setCorner(Qt::Corner corner) { m_corner = corner; }

private:
    bool m_visible = false;
    Qt::Corner m_corner = Qt::TopRightCorner;
};

#endif // CHARTXYLEGEND_H
