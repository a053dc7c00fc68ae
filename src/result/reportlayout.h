#ifndef REPORTLAYOUT_H
#define REPORTLAYOUT_H

#include <QFont>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// Paragraphs, headings and tables of a one-page A4 report, laid out top to bottom. The
// page is measured in tenths of a point, so that a font's pixel size is ten times its
// point size and every measure keeps its proportion on any device.
class ReportLayout
{
public:
    static constexpr double PageWidth = 5952.76;
    static constexpr double PageHeight = 8418.9;
    static constexpr double Margin = 510.0; // 18 mm
    static constexpr double TextWidth = PageWidth - 2 * Margin;
    static constexpr double SectionGap = 160.0;

    struct Column {
        QString title;
        double width; // share of the text width
        bool number;
    };

    // Scales painter so that the page fills target, keeping the A4 proportions; the
    // painter's state is saved here and restored by the destructor.
    ReportLayout(QPainter &painter, const QRectF &target);
    ~ReportLayout();
    ReportLayout(const ReportLayout &) = delete;
    ReportLayout &operator=(const ReportLayout &) = delete;

    static QFont font(double points, bool bold = false);

    // Each paints at top and returns where the next part starts.
    double paragraph(double top, const QString &text, const QFont &font);
    double heading(double top, const QString &text);
    // Each row is as high as its most wrapped cell; a rule separates the header from the
    // rows and closes the table.
    double table(double top, const QList<Column> &columns, const QList<QStringList> &rows,
                 double points = 9);

    // The height of one unwrapped table row at that size.
    static double rowHeight(double points);

    QPainter &painter() { return m_painter; }

private:
    QPainter &m_painter;
};

#endif // REPORTLAYOUT_H
