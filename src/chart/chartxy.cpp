#include "chartxy.h"

#include "charttr.h"
#include "chartxymodelwatch.h"
#include "chartxypointfinder.h"
#include "chartxyrender.h"
#include "chartxysetting.h"
#include "tabseparatedtext.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QImageWriter>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QStandardPaths>
#include <QToolTip>
#include <QtMath>

namespace {

// How far from a data point, in pixels, hovering still shows its values.
constexpr qreal PointHoverRadius = 5;

bool writePng(const QImage &image, QIODevice &file, QString &error)
{
    QImageWriter writer(&file, "png");
    if (writer.write(image))
        return true;
    error = writer.errorString();
    return false;
}

// One page the size of the chart, so that the PDF shows it as the screen does; at the
// view's own resolution one unit is one pixel and the text keeps its size.
bool writePdf(const ChartXY &chart, const QSize &size, QIODevice &file, QString &error)
{
    QPdfWriter writer(&file);
    const int dpi = chart.logicalDpiX();
    writer.setResolution(dpi);
    writer.setPageMargins(QMarginsF());
    writer.setPageSize(QPageSize(QSizeF(size) * 72.0 / dpi, QPageSize::Point));
    QPainter painter;
    if (!painter.begin(&writer)) {
        error = ChartTr::tr("The PDF could not be started.");
        return false;
    }
    chart.renderPicture(painter, size);
    return painter.end();
}

} // namespace

ChartXY::ChartXY(QWidget *parent)
    : QAbstractItemView(parent)
    , m_setting(new ChartXYSetting(this))
    , m_render(new ChartXYRender(this, m_setting))
{
    // There are no items to select; without this, Ctrl+A would still select the whole
    // model through the base view's key handling.
    setSelectionMode(NoSelection);
    connect(&m_setting->scale()->modelWatch(), &ChartXYModelWatch::shapeChanged, this,
            &ChartXY::modelShapeChanged);
}

ChartXY::~ChartXY() = default;

ChartXYSetting *ChartXY::setting() const
{
    return m_setting;
}

void ChartXY::renderChart(QPainter &painter, const QSize &size) const
{
    // What is drawn, also into a file or the clipboard, shows the limits of the data now.
    if (m_limitsStale)
        const_cast<ChartXY *>(this)->updateStaleLimits();
    m_render->render(painter, size);
}

// Labels laid over the chart (axis titles, a caption) belong to the picture as much as the
// chart does; without them a copied chart would not say what it shows.
void ChartXY::renderPicture(QPainter &painter, const QSize &size) const
{
    renderChart(painter, size);
    const QPoint origin = viewport()->pos();
    for (QLabel *label : findChildren<QLabel *>(QString(), Qt::FindDirectChildrenOnly)) {
        if (!label->isVisibleTo(this))
            continue;
        painter.save();
        label->render(&painter, label->pos() - origin, QRegion(),
                      QWidget::DrawChildren);
        painter.restore();
    }
}

void ChartXY::copyToClipboard() const
{
    auto *data = new QMimeData;
    data->setText(model() ? tabSeparatedText(*model()) : QString());
    const QImage image = chartImage();
    if (!image.isNull())
        data->setImageData(image);
    QGuiApplication::clipboard()->setMimeData(data);
}

bool ChartXY::saveImage(const QString &fileName, QString *error) const
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    const bool pdf = suffix == QLatin1String("pdf");
    // Written aside and renamed at the end: a failure leaves no partial file behind.
    QSaveFile file(fileName);
    QString reason;
    bool written = false;
    if (!pdf && suffix != QLatin1String("png"))
        reason = ChartTr::tr("The file name must end in .png or .pdf.");
    else if (viewport()->size().isEmpty())
        reason = ChartTr::tr("The chart has no room on screen to be drawn in.");
    else if (!file.open(QIODevice::WriteOnly))
        reason = file.errorString();
    else
        written = pdf ? writePdf(*this, viewport()->size(), file, reason)
                      : writePng(chartImage(), file, reason);
    if (written && !file.commit()) {
        reason = file.errorString();
        written = false;
    }
    if (!written && error)
        *error = reason;
    return written;
}

void ChartXY::setModel(QAbstractItemModel *model)
{
    QAbstractItemView::setModel(model);
    m_setting->scale()->modelWatch().watch(model);
}

void ChartXY::modelShapeChanged()
{
    const ChartXYScale *scale = m_setting->scale();
    if (!scale->autoLimitBase() && !scale->autoLimitView()) {
        viewport()->update();
        return;
    }
    if (!m_limitsStale) {
        m_limitsStale = true;
        QMetaObject::invokeMethod(this, &ChartXY::updateStaleLimits, Qt::QueuedConnection);
    }
}

void ChartXY::updateStaleLimits()
{
    if (m_limitsStale)
        updateChart();
}

void ChartXY::updateChart()
{
    m_limitsStale = false;
    const ChartXYGrid *grid = m_setting->grid();
    m_setting->scale()->updateLimits(model(), grid->tickX().count() - 1,
                                     grid->tickY().count() - 1);
    m_render->invalidateData();
    viewport()->update();
}

QImage ChartXY::chartImage() const
{
    const QSize size = viewport()->size();
    const qreal ratio = devicePixelRatioF();
    QImage image(size * ratio, QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return image;
    image.setDevicePixelRatio(ratio);
    // Whatever the chart leaves unpainted looks as it does on screen.
    image.fill(viewport()->palette().color(viewport()->backgroundRole()));
    QPainter painter(&image);
    renderPicture(painter, size);
    return image;
}

void ChartXY::saveImageAs()
{
    QFileDialog dialog(this, ChartTr::tr("Save Image"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QStringList filters = {ChartTr::tr("PNG image (*.png)"), ChartTr::tr("PDF document (*.pdf)")};
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(QStringLiteral("png"));
    connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &f) {
        dialog.setDefaultSuffix(f == filters.at(1) ? QStringLiteral("pdf") : QStringLiteral("png"));
    });
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::PicturesLocation));
    dialog.selectFile(QStringLiteral("chart.png"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;

    const QString fileName = dialog.selectedFiles().constFirst();
    QString reason;
    if (!saveImage(fileName, &reason))
        QMessageBox::warning(this, ChartTr::tr("Save Image"),
                             ChartTr::tr("The chart could not be saved as “%1”.\n%2")
                                 .arg(QDir::toNativeSeparators(fileName), reason));
}

// Times, dates and numbers as the axis labels show them: the renderer's own formatting,
// reached through its slot.
QString ChartXY::valueText(const QVariant &value) const
{
    QString text;
    QMetaObject::invokeMethod(m_render, "tickValueToString", Qt::DirectConnection,
                              Q_RETURN_ARG(QString, text), Q_ARG(QVariant, value));
    return text;
}

QPointF ChartXY::dataPosition(const QRect &plot, const QVariant &x, const QVariant &y) const
{
    QRect rect = plot;
    QPointF position;
    QMetaObject::invokeMethod(m_render, "dataGridPosition", Qt::DirectConnection,
                              Q_RETURN_ARG(QPointF, position), Q_ARG(QRect &, rect),
                              Q_ARG(QVariant, x), Q_ARG(QVariant, y));
    return position;
}

QRect ChartXY::plotRect() const
{
    return m_render->plotArea(viewport()->size());
}

void ChartXY::showPointToolTip(const QHelpEvent &event)
{
    QPoint at;
    const QModelIndex cell = pointNear(event.pos(), at);
    if (!cell.isValid()) {
        QToolTip::hideText();
        return;
    }
    // Moving off the point hides the tip again.
    const int r = qCeil(PointHoverRadius);
    const QRect area(at - QPoint(r, r), QSize(2 * r + 1, 2 * r + 1));
    QToolTip::showText(event.globalPos(), pointToolTip(cell), viewport(), area);
}

QModelIndex ChartXY::pointNear(const QPoint &pos, QPoint &at) const
{
    const QRect plot = plotRect();
    if (!model() || !plot.isValid())
        return QModelIndex();
    const ChartXYLimit &limit = m_setting->scale()->limitView();
    const ChartXYPointFinder finder(*model(), limit, plot,
                                    dataPosition(plot, limit.x().min(), limit.y().min()),
                                    dataPosition(plot, limit.x().max(), limit.y().max()),
                                    &m_setting->scale()->scan());
    const QModelIndex cell = finder.nearest(pos, PointHoverRadius);
    if (cell.isValid())
        at = finder.position(cell).toPoint();
    return cell;
}

QString ChartXY::pointToolTip(const QModelIndex &cell) const
{
    const QString own = cell.data(Qt::ToolTipRole).toString();
    if (!own.isEmpty())
        return own;
    const QAbstractItemModel *m = cell.model();
    const auto line = [m](int column, const QString &value) {
        const QString header = m->headerData(column, Qt::Horizontal).toString();
        return header.isEmpty() ? value : header + QStringLiteral(": ") + value;
    };
    return line(0, valueText(cell.siblingAtColumn(0).data()))
           + QLatin1Char('\n') + line(cell.column(), valueText(cell.data()));
}

bool ChartXY::event(QEvent *event)
{
    // Ctrl+C belongs to the focused chart, not to a shortcut elsewhere in the window.
    if (event->type() == QEvent::ShortcutOverride
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        event->accept();
        return true;
    }
    return QAbstractItemView::event(event);
}

bool ChartXY::viewportEvent(QEvent *event)
{
    // The base view would look for an item under the mouse; a chart has points instead.
    if (event->type() == QEvent::ToolTip) {
        showPointToolTip(*static_cast<QHelpEvent *>(event));
        return true;
    }
    return QAbstractItemView::viewportEvent(event);
}

void ChartXY::keyPressEvent(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Copy)) {
        copyToClipboard();
        event->accept();
        return;
    }
    QAbstractItemView::keyPressEvent(event);
}

void ChartXY::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    QAction *copy = menu.addAction(ChartTr::tr("Copy"));
    copy->setShortcut(QKeySequence::Copy);
    QAction *save = menu.addAction(ChartTr::tr("Save Image…"));
    // Acted on once the menu has closed, so that the file dialog is not opened from
    // inside the menu's own event loop.
    QAction *chosen = menu.exec(event->globalPos());
    if (chosen == copy)
        copyToClipboard();
    else if (chosen == save)
        saveImageAs();
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
    updateStaleLimits();
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
    if (ChartXYModelWatch::changesValues(roles))
        updateChartRows(topLeft, bottomRight);
    else if (ChartXYModelWatch::changesColour(roles))
        viewport()->update();
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
