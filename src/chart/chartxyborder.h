#ifndef CHARTXYBORDER_H
#define CHARTXYBORDER_H

#include <QColor>
#include <QObject>

// The margins, in pixels, between the viewport edges and the grid area, and their colour.
// The bottom and left margins leave room for the tick labels.
class ChartXYBorder : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYBorder(QObject *parent = nullptr);

    int top() const { return m_top; }
    void setTop(int top) { m_top = top; }
    int right() const { return m_right; }
    void setRight(int right) { m_right = right; }
    int bottom() const { return m_bottom; }
    void setBottom(int bottom) { m_bottom = bottom; }
    int left() const { return m_left; }
    void setLeft(int left) { m_left = left; }
    QColor background() const { return m_background; }
    void setBackground(const QColor &background) { m_background = background; }

private:
    int m_top = 16;
    int m_right = 16;
    int m_bottom = 64;
    int m_left = 64;
    QColor m_background = Qt::white;
};

#endif // CHARTXYBORDER_H
