#ifndef CHARTXY_H
#define CHARTXY_H

#include <QAbstractItemView>

class ChartXYRender;
class QPainter;
class ChartXYSetting;

// An XY line chart of an item model. Column 0 holds the X values and every further column
// is one series, coloured by the DecorationRole of its first row. The view only displays:
// it has no items to select, scroll to or edit.
class ChartXY : public QAbstractItemView
{
    Q_OBJECT

public:
    explicit ChartXY(QWidget *parent = nullptr);
    ~ChartXY() override;

    // Change settings through this, then call updateChart().
    ChartXYSetting *setting() const;
    // Draws the chart onto painter as it would look in a viewport of the given size,
    // e.g. as vectors onto a PDF page.
    void renderChart(QPainter &painter, const QSize &size) const;

    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

public slots:
    // Recomputes the axis limits from the model (when an auto flag is set) and repaints.
    void updateChart();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;

private:
    void updateChartRows(const QModelIndex &topLeft, const QModelIndex &bottomRight);

    ChartXYSetting *m_setting;
    ChartXYRender *m_render;
};

#endif // CHARTXY_H
