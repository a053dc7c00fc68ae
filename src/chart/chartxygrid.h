#ifndef CHARTXYGRID_H
#define CHARTXYGRID_H

#include "chartxygridtick.h"

#include <QColor>
#include <QObject>

// The grid area: its colours, the inset of the outer tick positions from its edges, the
// grid-line switch and the tick counts of both axes.
class ChartXYGrid : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYGrid(QObject *parent = nullptr);

    bool visible() const { return m_visible; }
    void setVisible(bool visible) { m_visible = visible; }
    int inset() const { return m_inset; }
    void setInset(int inset) { m_inset = inset; }
    QColor background() const { return m_background; }
    void setBackground(const QColor &background) { m_background = background; }
    // Colour of the grid lines, the axis lines and the tick marks.
    QColor foreground() const { return m_foreground; }
    void setForeground(const QColor &foreground) { m_foreground = foreground; }

    // Changed in place through the record's own (clamping) setters.
    ChartXYGridTick &tickX() { return m_tickX; }
    const ChartXYGridTick &tickX() const { return m_tickX; }
    ChartXYGridTick &tickY() { return m_tickY; }
    const ChartXYGridTick &tickY() const { return m_tickY; }

private:
    bool m_visible = true;
    int m_inset = 8;
    QColor m_background = QColor(192, 192, 192);
    QColor m_foreground = QColor(0, 0, 0);
    ChartXYGridTick m_tickY;
    ChartXYGridTick m_tickX;
};

#endif // CHARTXYGRID_H
