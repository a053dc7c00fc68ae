#include "flowlayout.h"

#include <QSpacerItem>
#include <QStyle>
#include <QWidget>

FlowLayout::FlowLayout(QWidget *parent)
    : QLayout(parent)
{
}

FlowLayout::~FlowLayout()
{
    while (QLayoutItem *item = takeAt(0))
        delete item;
}

void FlowLayout::addStretch()
{
    addItem(new QSpacerItem(0, 0, QSizePolicy::Expanding, QSizePolicy::Minimum));
}

void FlowLayout::addItem(QLayoutItem *item)
{
    m_items.append(item);
    invalidate();
}

int FlowLayout::count() const
{
    return int(m_items.size());
}

QLayoutItem *FlowLayout::itemAt(int index) const
{
    return m_items.value(index);
}

QLayoutItem *FlowLayout::takeAt(int index)
{
    if (index < 0 || index >= m_items.size())
        return nullptr;
    invalidate();
    return m_items.takeAt(index);
}

Qt::Orientations FlowLayout::expandingDirections() const
{
    return {};
}

bool FlowLayout::hasHeightForWidth() const
{
    return true;
}

int FlowLayout::heightForWidth(int width) const
{
    return arrange(QRect(0, 0, width, 0), false);
}

QSize FlowLayout::minimumSize() const
{
    // As narrow as the widest item: then every item has a row of its own.
    QSize size;
    for (const QLayoutItem *item : m_items)
        if (!item->isEmpty())
            size = size.expandedTo(item->minimumSize());
    const QMargins margins = contentsMargins();
    return size + QSize(margins.left() + margins.right(), margins.top() + margins.bottom());
}

QSize FlowLayout::sizeHint() const
{
    // One row, as wide as all the items side by side.
    int width = 0;
    int height = 0;
    int shown = 0;
    for (QLayoutItem *item : m_items) {
        if (item->isEmpty() || item->spacerItem())
            continue;
        width += item->sizeHint().width();
        height = qMax(height, item->sizeHint().height());
        ++shown;
    }
    width += qMax(0, shown - 1) * spacingOrDefault();
    const QMargins margins = contentsMargins();
    return {width + margins.left() + margins.right(), height + margins.top() + margins.bottom()};
}

void FlowLayout::setGeometry(const QRect &rect)
{
    QLayout::setGeometry(rect);
    arrange(rect, true);
}

// Stretches are the layout's own spacers; items are never spacers otherwise.
static bool isStretch(QLayoutItem *item)
{
    return item->spacerItem() != nullptr;
}

int FlowLayout::spacingOrDefault() const
{
    if (spacing() >= 0)
        return spacing();
    const QWidget *parent = parentWidget();
    return parent ? parent->style()->pixelMetric(QStyle::PM_LayoutHorizontalSpacing, nullptr, parent)
                  : 6;
}

int FlowLayout::arrange(const QRect &rect, bool apply) const
{
    const QRect area = rect.marginsRemoved(contentsMargins());
    const int gap = spacingOrDefault();

    // Rows of item indexes first; then each row is placed, its stretches sharing what is left.
    QList<QList<int>> rows(1);
    int used = 0;
    for (int i = 0; i < m_items.size(); ++i) {
        QLayoutItem *item = m_items.at(i);
        if (item->isEmpty() && !isStretch(item))
            continue;
        const int width = isStretch(item) ? 0 : item->sizeHint().width();
        const bool rowHasItems = !rows.last().isEmpty();
        if (rowHasItems && used + gap + width > area.width() && !isStretch(item)) {
            rows.append(QList<int>());
            used = 0;
        }
        used += (rows.last().isEmpty() ? 0 : gap) + width;
        rows.last().append(i);
    }

    int y = area.y();
    for (const QList<int> &row : std::as_const(rows)) {
        int height = 0;
        int widths = 0;
        int stretches = 0;
        int items = 0;
        for (int i : row) {
            QLayoutItem *item = m_items.at(i);
            if (isStretch(item)) {
                ++stretches;
                continue;
            }
            height = qMax(height, item->sizeHint().height());
            widths += qMin(item->sizeHint().width(), area.width());
            ++items;
        }
        if (items == 0)
            continue;
        const int spare = qMax(0, area.width() - widths - (items - 1) * gap);
        int x = area.x();
        bool first = true;
        for (int i : row) {
            QLayoutItem *item = m_items.at(i);
            if (isStretch(item)) {
                x += stretches ? spare / stretches : 0;
                continue;
            }
            if (!first)
                x += gap;
            first = false;
            const int width = qMin(item->sizeHint().width(), area.width());
            if (apply)
                item->setGeometry(QRect(x, y, width, height));
            x += width;
        }
        y += height + gap;
    }
    const QMargins margins = contentsMargins();
    return y - gap - area.y() + margins.top() + margins.bottom();
}
