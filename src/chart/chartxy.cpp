#include "chartxy.h"

#include "chartxyrender.h"
#include "chartxysetting.h"

#include <QMouseEvent>

ChartXY::ChartXY(QWidget *parent)
    : QAbstractItemView(parent)
    , m_setting(new ChartXYSetting(this))
    , m_render(new ChartXYRender(this, m_setting))
{
    // There are no items to select; without this, Ctrl+A would still select the whole
    // model through the base view's key handling.
    setSelectionMode(NoSelection);
}

ChartXY::~ChartXY() = default;

ChartXYSetting *ChartXY::setting() const
{
    return m_setting;
}

void ChartXY::renderChart(QPainter &painter, const QSize &size) const
{
    m_render->render(painter, size);
}

void ChartXY::updateChart()
{
    const ChartXYGrid *grid = m_setting->grid();
    m_setting->scale()->updateLimits(model(), grid->tickX().count() - 1,
                                     grid->tickY().count() - 1);
    m_render->invalidateData();
    viewport()->update();
}

// Gives the limits updateChart() would give, but reads only the rows that changed unless
// an extreme may have left them: an edit of one cell must not cost a scan of every row.
void ChartXY::updateChartRows(const QModelIndex &topLeft, const QModelIndex &bottomRight)
{
    // A change that names no cells could be anywhere.
    if (!topLeft.isValid() || !bottomRight.isValid()) {
        updateChart();
        return;
    }
    // Only top-level rows are charted.
    if (!topLeft.parent().isValid()) {
        const ChartXYGrid *grid = m_setting->grid();
        m_setting->scale()->updateLimitsOfRows(model(), topLeft.row(), bottomRight.row(),
                                               grid->tickX().count() - 1,
                                               grid->tickY().count() - 1);
    }
    viewport()->update();
}

QRect ChartXY::visualRect(const QModelIndex &) const
{
    return QRect();
}

void ChartXY::scrollTo(const QModelIndex &, ScrollHint)
{
    update();
}

QModelIndex ChartXY::indexAt(const QPoint &) const
{
    return QModelIndex();
}

// The cross shows while the left button is held down over the chart.
void ChartXY::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        setCursor(Qt::CrossCursor);
}

void ChartXY::mouseReleaseEvent(QMouseEvent *)
{
    setCursor(Qt::ArrowCursor);
}

// The whole viewport is drawn on every paint, whatever region was exposed.
void ChartXY::paintEvent(QPaintEvent *)
{
    m_render->paint();
}

void ChartXY::resizeEvent(QResizeEvent *)
{
    updateGeometries();
}

void ChartXY::scrollContentsBy(int, int)
{
}

void ChartXY::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                          const QList<int> &roles)
{
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
    updateChartRows(topLeft, bottomRight);
}

QModelIndex ChartXY::moveCursor(CursorAction, Qt::KeyboardModifiers)
{
    return QModelIndex();
}

int ChartXY::horizontalOffset() const
{
    return 0;
}

int ChartXY::verticalOffset() const
{
    return 0;
}

bool ChartXY::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void ChartXY::setSelection(const QRect &, QItemSelectionModel::SelectionFlags)
{
    update();
}

QRegion ChartXY::visualRegionForSelection(const QItemSelection &) const
{
    return QRegion();
}
