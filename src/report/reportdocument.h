#ifndef REPORTDOCUMENT_H
#define REPORTDOCUMENT_H

#include "reporttable.h"

#include <QDate>
#include <QList>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <memory>

class ChartXY;
class QPagedPaintDevice;
class QPainter;

// A printed document described as its parts in order: headings, paragraphs, tables and
// charts. It lays them out on as many A4 pages as they need, each page with the title and
// header lines at the top and the footer (when and with what it was made, and the page) at
// the bottom. A part that does not fit goes on, or over, to the next page; nothing shrinks
// below its size or is left out, and nothing is drawn outside the page.
class ReportDocument
{
public:
    // Text sizes in points.
    struct Style {
        double title = 16;
        double heading = 12;
        double text = 10;
        double table = 9;
        double footer = 8;
    };
    // Large print for the person in treatment: nothing below 12 pt.
    static Style largePrint();

    enum Emphasis { Plain, Strong, Small };

    // A chart is drawn as it would fill a viewport of width pixels, scaled to the text
    // width: a narrower viewport draws its labels larger. It takes the preferred height
    // unless it must give up room to what follows it on the page, down to the least.
    struct ChartSize {
        int preferred = 290;
        int least = 150;
        int width = 620;
    };

    explicit ReportDocument(const QString &title);
    ReportDocument(const QString &title, const Style &style);
    ~ReportDocument();
    ReportDocument(ReportDocument &&) noexcept;
    ReportDocument &operator=(ReportDocument &&) noexcept;

    // A line under the title on every page.
    void addHeaderLine(const QString &text);
    // The day the footer names; today unless set.
    void setMadeOn(const QDate &date);
    // The footer's words before the page number; %1 is the day made, %2 the version.
    void setFooterText(const QString &text);

    void addHeading(const QString &text);
    void addParagraph(const QString &text, Emphasis emphasis = Plain);
    void addTable(const ReportTable &table);
    // The chart is drawn as vectors as it would fill a viewport, with the axis titles in
    // its free border; it must outlive the document.
    void addChart(const ChartXY &chart, const QString &yTitle, const QString &xTitle);
    void addChart(const ChartXY &chart, const QString &yTitle, const QString &xTitle,
                  const ChartSize &size);

    QString title() const;
    int pageCount() const;
    // Paints page (from 0) scaled into target, keeping the A4 proportions.
    void paintPage(QPainter &painter, const QRectF &target, int page) const;
    // Paints every page onto device, which ReportPage::prepare() has set up. False if
    // painting cannot start or a page cannot be added.
    bool paint(QPagedPaintDevice &device) const;

private:
    struct Data;
    struct Layout;
    Layout layout() const;

    std::unique_ptr<Data> d;
};

#endif // REPORTDOCUMENT_H
