#include "reportpage.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>

QFont ReportPage::font(double points, bool bold)
{
    QFont font;
    font.setPixelSize(qRound(points * 10));
    font.setBold(bold);
    return font;
}

void ReportPage::prepare(QPagedPaintDevice &device)
{
    device.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(0, 0, 0, 0)));
}

void ReportPage::mapTo(QPainter &painter, const QRectF &target)
{
    const double scale = std::min(target.width() / Width, target.height() / Height);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
}
