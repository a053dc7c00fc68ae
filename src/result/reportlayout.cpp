#include "reportlayout.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace {

constexpr double CellPaddingX = 40.0;
constexpr double CellPaddingY = 12.0;

} // namespace

ReportLayout::ReportLayout(QPainter &painter, const QRectF &target)
    : m_painter(painter)
{
    painter.save();
    const double scale = std::min(target.width() / PageWidth, target.height() / PageHeight);
    painter.translate(target.topLeft());
    painter.scale(scale, scale);
    painter.setPen(Qt::black);
}

ReportLayout::~ReportLayout()
{
    m_painter.restore();
}

QFont ReportLayout::font(double points, bool bold)
{
    QFont font;
    font.setPixelSize(qRound(points * 10));
    font.setBold(bold);
    return font;
}

double ReportLayout::paragraph(double top, const QString &text, const QFont &font)
{
    m_painter.setFont(font);
    const QRectF area(Margin, top, TextWidth, PageHeight - Margin - top);
    QRectF used;
    m_painter.drawText(area, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, text, &used);
    return top + used.height();
}

double ReportLayout::heading(double top, const QString &text)
{
    return paragraph(top, text, font(12, true)) + 60;
}

double ReportLayout::rowHeight(double points)
{
    return QFontMetricsF(font(points)).height() + 2 * CellPaddingY;
}

double ReportLayout::table(double top, const QList<Column> &columns,
                           const QList<QStringList> &rows, double points)
{
    const auto paintRow = [&](double rowTop, const QStringList &cells, const QFont &font) {
        m_painter.setFont(font);
        double left = Margin;
        double height = 0;
        for (int c = 0; c < columns.size(); ++c) {
            const double width = columns[c].width * TextWidth;
            const QRectF cell(left + CellPaddingX, rowTop + CellPaddingY,
                              width - 2 * CellPaddingX, PageHeight);
            const int flags = Qt::AlignTop | Qt::TextWordWrap
                | (columns[c].number ? Qt::AlignRight : Qt::AlignLeft);
            QRectF used;
            m_painter.drawText(cell, flags, cells.value(c), &used);
            height = std::max(height, used.height());
            left += width;
        }
        return rowTop + height + 2 * CellPaddingY;
    };
    const auto rule = [&](double y) {
        m_painter.setPen(QPen(Qt::black, 8));
        m_painter.drawLine(QPointF(Margin, y), QPointF(Margin + TextWidth, y));
    };

    QStringList titles;
    for (const Column &column : columns)
        titles << column.title;
    top = paintRow(top, titles, font(points, true));
    rule(top);
    for (const QStringList &row : rows)
        top = paintRow(top, row, font(points));
    rule(top);
    return top;
}
