#ifndef CHARTXY_H
#define CHARTXY_H

#include <QAbstractItemView>

class ChartXYRender;
class ChartXYSetting;
class QHelpEvent;
class QImage;
class QPainter;

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
    // The chart with the labels laid over it, as Copy and Save Image show it.
    void renderPicture(QPainter &painter, const QSize &size) const;
    // Puts the model's data as tab-separated text and the chart as an image on the
    // clipboard, for spreadsheets and documents alike.
    void copyToClipboard() const;
    // Writes the chart to fileName, as PNG or, drawn as vectors, as PDF, chosen by the
    // suffix. On failure nothing is left at fileName and error (if given) says why.
    bool saveImage(const QString &fileName, QString *error = nullptr) const;

    void setModel(QAbstractItemModel *model) override;
    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

public slots:
    // Recomputes the axis limits from the model (when an auto flag is set) and repaints.
    void updateChart();

protected:
    bool event(QEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
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
    // The chart as it shows in the viewport now.
    QImage chartImage() const;
    // Asks for a file name and saves the chart there, telling the user of a failure.
    void saveImageAs();
    // The values of the point under the mouse, or no tip where there is none.
    void showPointToolTip(const QHelpEvent &event);
    // The series cell of the point drawn nearest to pos, if near enough, and where it is.
    QModelIndex pointNear(const QPoint &pos, QPoint &at) const;
    QString pointToolTip(const QModelIndex &cell) const;
    // The rectangle the renderer draws the data into, in viewport coordinates; null where
    // the viewport is too small for a grid area.
    QRect plotRect() const;
    QPointF dataPosition(const QRect &plot, const QVariant &x, const QVariant &y) const;
    QString valueText(const QVariant &value) const;
    void updateChartRows(const QModelIndex &topLeft, const QModelIndex &bottomRight);
    // Rows or columns came, went or moved, or the model was reset: with automatic limits
    // the limits follow, once for a whole burst of such changes, and at the latest before
    // the chart is drawn next.
    void modelShapeChanged();
    void updateStaleLimits();

    ChartXYSetting *m_setting;
    ChartXYRender *m_render;
    bool m_limitsStale = false;
};

#endif // CHARTXY_H
