#include "reportdocument.h"

#include "chartxy.h"
#include "reportpage.h"
#include "reporttextlines.h"
#include "reporttr.h"

#include <QFontMetricsF>
#include <QRegularExpression>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

using P = ReportPage;

constexpr double CellPaddingX = 40.0;
constexpr double CellPaddingY = 14.0;
constexpr double RuleWidth = 8.0;
// Gaps in tenths of a point at a 10 pt text.
constexpr double SectionGap = 160.0;
constexpr double ParagraphGap = 70.0;
constexpr double HeadingGap = 50.0;
// The font of the chart's own labels, in the pixels of its viewport.
constexpr int ChartFontPixels = 12;

struct ChartPart {
    const ChartXY *chart = nullptr;
    QString yTitle;
    QString xTitle;
    ReportDocument::ChartSize size;
};

struct Part {
    enum Kind { Heading, Paragraph, Table, Chart };
    Kind kind;
    QString text;
    ReportDocument::Emphasis emphasis = ReportDocument::Plain;
    ReportTable table;
    ChartPart chart;
};

// What a page shows, in page units, ready to paint.
struct TextPiece {
    QRectF rect;
    QFont font;
    QString text;
    Qt::Alignment alignment;
};
struct RulePiece {
    double y;
};
struct ChartPiece {
    const ChartPart *part;
    QRectF rect;
};
struct PageContent {
    QList<TextPiece> texts;
    QList<RulePiece> rules;
    QList<ChartPiece> charts;
};

double lineHeight(const QFont &font)
{
    return QFontMetricsF(font).lineSpacing();
}

} // namespace

struct ReportDocument::Data {
    QString title;
    Style style;
    QStringList headerLines;
    QDate madeOn = QDate::currentDate();
    QString footer = ReportTr::tr("Report made on %1 with model TELMA %2");
    QList<Part> parts;

    QFont fontOf(const Part &part) const
    {
        switch (part.kind) {
        case Part::Heading:
            return P::font(style.heading, true);
        case Part::Table:
            return P::font(part.table.points() > 0 ? part.table.points() : style.table);
        default:
            break;
        }
        switch (part.emphasis) {
        case Strong:
            return P::font(style.text, true);
        case Small:
            return P::font(std::max(style.text - 1.5, style.footer));
        default:
            return P::font(style.text);
        }
    }
    // Gaps grow with the text a little, so that large print still fits its page.
    double gapScale() const { return std::sqrt(style.text / 10.0); }
};

struct ReportDocument::Layout {
    QList<PageContent> pages;
};

namespace {

// A table row measured: each cell's lines, and the row's height with its padding.
struct MeasuredRow {
    QList<QStringList> cells;
    double height = 0;
};

MeasuredRow measureRow(const ReportTable &table, const QStringList &cells, const QFont &font)
{
    MeasuredRow row;
    int most = 1;
    for (int c = 0; c < table.columns().size(); ++c) {
        const double width = table.columns()[c].width * P::TextWidth - 2 * CellPaddingX;
        row.cells << reportTextLines(cells.value(c), font, width);
        most = std::max(most, int(row.cells.last().size()));
    }
    row.height = most * lineHeight(font) + 2 * CellPaddingY;
    return row;
}

// Places the lines from first on of each cell, at most count of them; returns the height.
double placeRow(PageContent &page, const ReportTable &table, const MeasuredRow &row,
                const QFont &font, double top, int first = 0, int count = INT_MAX)
{
    const double line = lineHeight(font);
    int most = 0;
    double left = P::Margin;
    for (int c = 0; c < table.columns().size(); ++c) {
        const ReportTable::Column &column = table.columns()[c];
        const double width = column.width * P::TextWidth;
        const Qt::Alignment alignment =
            column.alignment == ReportTable::Number ? Qt::AlignRight : Qt::AlignLeft;
        const QStringList lines = row.cells.value(c).mid(first, count);
        double y = top + CellPaddingY;
        for (const QString &text : lines) {
            page.texts.append(TextPiece{QRectF(left + CellPaddingX, y, width - 2 * CellPaddingX, line),
                               font, text, alignment});
            y += line;
        }
        most = std::max(most, int(lines.size()));
        left += width;
    }
    return std::max(most, 1) * line + 2 * CellPaddingY;
}

// Lays the parts out top to bottom, page after page.
class Flow
{
public:
    Flow(double bodyTop, double bodyBottom)
        : m_bodyTop(bodyTop)
        , m_bodyBottom(bodyBottom)
    {
        newPage();
    }

    QList<PageContent> pages;

    double room() const { return m_bodyBottom - m_top; }
    bool atPageTop() const { return m_top == m_bodyTop; }
    double top() const { return m_top; }
    PageContent &page() { return pages.last(); }
    void advance(double height) { m_top += height; }
    // Leaves gap unless the page has just begun.
    void space(double gap)
    {
        if (!atPageTop())
            m_top = std::min(m_top + gap, m_bodyBottom);
    }
    void newPage()
    {
        pages.append(PageContent());
        m_top = m_bodyTop;
    }
    double bodyHeight() const { return m_bodyBottom - m_bodyTop; }

private:
    double m_bodyTop;
    double m_bodyBottom;
    double m_top = 0;
};

} // namespace

ReportDocument::Style ReportDocument::largePrint()
{
    Style style;
    style.title = 18;
    style.heading = 14;
    style.text = 12.5;
    style.table = 12;
    style.footer = 12;
    return style;
}

ReportDocument::ReportDocument(const QString &title)
    : ReportDocument(title, Style())
{
}

ReportDocument::ReportDocument(const QString &title, const Style &style)
    : d(std::make_unique<Data>())
{
    d->title = title;
    d->style = style;
}

ReportDocument::~ReportDocument() = default;
ReportDocument::ReportDocument(ReportDocument &&) noexcept = default;
ReportDocument &ReportDocument::operator=(ReportDocument &&) noexcept = default;

void ReportDocument::addHeaderLine(const QString &text)
{
    d->headerLines << text;
}

void ReportDocument::setMadeOn(const QDate &date)
{
    d->madeOn = date;
}

void ReportDocument::setFooterText(const QString &text)
{
    d->footer = text;
}

void ReportDocument::addHeading(const QString &text)
{
    d->parts.append(Part{Part::Heading, text, Plain, ReportTable(), ChartPart()});
}

void ReportDocument::addParagraph(const QString &text, Emphasis emphasis)
{
    d->parts.append(Part{Part::Paragraph, text, emphasis, ReportTable(), ChartPart()});
}

// Every column at least as wide as the longest word of its title and cells, in the fonts
// they are drawn in, so that no word is cut ("Mont h", "(kg/ m²)"); the room comes from the
// columns that have more than they need, and the shares are kept where they suffice.
static ReportTable widenedToItsWords(ReportTable table, const QFont &font)
{
    const int count = int(table.columns().size());
    if (count == 0)
        return table;
    const QFontMetricsF cells(font);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF titles(bold);
    QList<double> need(count, 0);
    for (int c = 0; c < count; ++c) {
        const auto widest = [](const QString &text, const QFontMetricsF &metrics) {
            double most = 0;
            for (const QString &word : text.split(QRegularExpression(QStringLiteral("[ \\n]")),
                                                  Qt::SkipEmptyParts))
                most = std::max(most, metrics.horizontalAdvance(word));
            return most;
        };
        double most = widest(table.columns()[c].title, titles);
        for (const QStringList &row : table.rows())
            most = std::max(most, widest(row.value(c), cells));
        need[c] = (most + 2 * CellPaddingX + 1) / P::TextWidth;
    }
    double total = 0;
    double slack = 0;
    for (int c = 0; c < count; ++c) {
        const double width = std::max(table.columns()[c].width, need[c]);
        total += width;
        slack += width - need[c];
    }
    const double over = total - 1.0;
    QList<double> widths(count, 0);
    double sum = 0;
    for (int c = 0; c < count; ++c) {
        const double width = std::max(table.columns()[c].width, need[c]);
        // Past the whole width, the columns with room to spare give it back in proportion.
        const double give = over > 0 && slack > 0 ? std::min(over, slack) * (width - need[c]) / slack : 0;
        widths[c] = width - give;
        sum += widths[c];
    }
    // Still too wide (a word wider than the page): the widened columns give back the rest,
    // so that the widest words are cut as before and the others stay whole.
    const double excess = sum - 1.0;
    double grown = 0;
    for (int c = 0; c < count; ++c)
        grown += std::max(0.0, widths[c] - table.columns()[c].width);
    for (int c = 0; c < count; ++c) {
        const double growth = std::max(0.0, widths[c] - table.columns()[c].width);
        if (excess > 0 && grown >= excess)
            widths[c] -= excess * growth / grown;
        else if (excess > 0)
            widths[c] /= sum;
        table.setWidth(c, widths[c]);
    }
    return table;
}

void ReportDocument::addTable(const ReportTable &table)
{
    const double points = table.points() > 0 ? table.points() : d->style.table;
    d->parts.append(Part{Part::Table, QString(), Plain,
                         widenedToItsWords(table, P::font(points)), ChartPart()});
}

void ReportDocument::addChart(const ChartXY &chart, const QString &yTitle,
                              const QString &xTitle)
{
    addChart(chart, yTitle, xTitle, ChartSize());
}

void ReportDocument::addChart(const ChartXY &chart, const QString &yTitle,
                              const QString &xTitle, const ChartSize &size)
{
    d->parts.append(Part{Part::Chart, QString(), Plain, ReportTable(),
                     ChartPart{&chart, yTitle, xTitle, size}});
}

QString ReportDocument::title() const
{
    return d->title;
}

int ReportDocument::pageCount() const
{
    return int(layout().pages.size());
}

ReportDocument::Layout ReportDocument::layout() const
{
    const double scale = d->gapScale();
    const QFont titleFont = P::font(d->style.title, true);
    const QFont headerFont = P::font(d->style.text);
    const QFont footerFont = P::font(d->style.footer);

    // The header: the title and its lines, wrapped, the same on every page.
    QList<TextPiece> header;
    double y = P::Margin;
    const auto addLines = [&](const QString &text, const QFont &font) {
        for (const QString &line : reportTextLines(text, font, P::TextWidth)) {
            header.append(TextPiece{QRectF(P::Margin, y, P::TextWidth, lineHeight(font)), font, line,
                           Qt::AlignLeft});
            y += lineHeight(font);
        }
    };
    addLines(d->title, titleFont);
    y += HeadingGap * scale;
    for (const QString &line : d->headerLines)
        addLines(line, headerFont);
    const double bodyTop = y + SectionGap * scale;
    const double footerTop = P::Height - P::Margin - lineHeight(footerFont);
    const double bodyBottom = footerTop - SectionGap * scale / 2;

    Flow flow(bodyTop, bodyBottom);
    const auto partHeight = [&](const Part &part, bool first) -> double {
        // The height of a part placed whole, or of its first unit, which must not be
        // parted from a heading above it.
        const QFont font = d->fontOf(part);
        switch (part.kind) {
        case Part::Heading:
        case Part::Paragraph: {
            const QStringList lines = reportTextLines(part.text, font, P::TextWidth);
            return (first ? 1 : lines.size()) * lineHeight(font)
                + (part.kind == Part::Heading ? HeadingGap * scale : 0);
        }
        case Part::Table: {
            double height = part.table.hasTitles()
                ? measureRow(part.table, {}, P::font(font.pixelSize() / 10.0, true)).height
                : 0;
            for (const QStringList &row : part.table.rows()) {
                height += measureRow(part.table, row, font).height;
                if (first)
                    break;
            }
            return height;
        }
        case Part::Chart: {
            return part.chart.size.least * P::TextWidth / part.chart.size.width;
        }
        }
        return 0;
    };
    const auto gapBefore = [&](int index) -> double {
        const Part &part = d->parts[index];
        const bool afterHeading = index > 0 && d->parts[index - 1].kind == Part::Heading;
        if (part.kind == Part::Heading)
            return SectionGap * scale;
        if (afterHeading)
            return 0;
        return (part.kind == Part::Paragraph ? ParagraphGap : SectionGap / 2) * scale;
    };

    for (int index = 0; index < d->parts.size(); ++index) {
        const Part &part = d->parts[index];
        const QFont font = d->fontOf(part);
        flow.space(gapBefore(index));
        switch (part.kind) {
        case Part::Heading: {
            // A heading stays with the start of what it heads.
            double needed = partHeight(part, false);
            if (index + 1 < d->parts.size())
                needed += partHeight(d->parts[index + 1], true);
            if (needed > flow.room() && !flow.atPageTop())
                flow.newPage();
            [[fallthrough]];
        }
        case Part::Paragraph: {
            const double line = lineHeight(font);
            for (const QString &text : reportTextLines(part.text, font, P::TextWidth)) {
                if (line > flow.room() && !flow.atPageTop())
                    flow.newPage();
                flow.page().texts.append(
                    TextPiece{QRectF(P::Margin, flow.top(), P::TextWidth, line), font, text, Qt::AlignLeft});
                flow.advance(line);
            }
            if (part.kind == Part::Heading)
                flow.advance(std::min(HeadingGap * scale, flow.room()));
            break;
        }
        case Part::Table: {
            const ReportTable &table = part.table;
            const QFont titleFont = P::font(font.pixelSize() / 10.0, true);
            const MeasuredRow titles = measureRow(table, [&] {
                QStringList cells;
                for (const ReportTable::Column &column : table.columns())
                    cells << column.title;
                return cells;
            }(), titleFont);
            const double titleHeight = table.hasTitles() ? titles.height : 0;
            const auto startPart = [&] {
                if (!table.hasTitles())
                    return;
                placeRow(flow.page(), table, titles, titleFont, flow.top());
                flow.advance(titles.height);
                flow.page().rules.append(RulePiece{flow.top()});
            };
            const double firstRow = table.rows().isEmpty()
                ? 0
                : measureRow(table, table.rows().first(), font).height;
            if (titleHeight + firstRow > flow.room() && !flow.atPageTop())
                flow.newPage();
            startPart();
            const auto continueOnNextPage = [&] {
                if (table.hasTitles())
                    flow.page().rules.append(RulePiece{flow.top()});
                flow.newPage();
                startPart();
            };
            const double line = lineHeight(font);
            int rowsOnPage = 0;
            for (const QStringList &cells : table.rows()) {
                const MeasuredRow row = measureRow(table, cells, font);
                if (row.height > flow.room() && rowsOnPage > 0) {
                    continueOnNextPage();
                    rowsOnPage = 0;
                }
                // A row taller than a whole page goes on over the next ones, line by line.
                const int lines = int(std::lround((row.height - 2 * CellPaddingY) / line));
                int placed = 0;
                while (true) {
                    const int fit = std::max(1, int((flow.room() - 2 * CellPaddingY) / line));
                    flow.advance(placeRow(flow.page(), table, row, font, flow.top(), placed, fit));
                    placed += fit;
                    if (placed >= lines)
                        break;
                    continueOnNextPage();
                }
                ++rowsOnPage;
            }
            if (table.hasTitles())
                flow.page().rules.append(RulePiece{flow.top()});
            break;
        }
        case Part::Chart: {
            const double pixel = P::TextWidth / part.chart.size.width;
            const double preferred = part.chart.size.preferred * pixel;
            const double least = part.chart.size.least * pixel;
            // What follows on this page, if it all fits: the chart gives up room for it.
            double rest = 0;
            for (int next = index + 1; next < d->parts.size(); ++next)
                rest += gapBefore(next) + partHeight(d->parts[next], false);
            const auto heightIn = [&](double room) {
                if (room - rest >= least)
                    return std::min(preferred, room - rest);
                return std::min(preferred, room);
            };
            if (heightIn(flow.room()) < least && !flow.atPageTop())
                flow.newPage();
            const double height = std::min(heightIn(flow.room()), flow.room());
            flow.page().charts.append(ChartPiece{&part.chart, QRectF(P::Margin, flow.top(), P::TextWidth,
                                                           height)});
            flow.advance(height);
            break;
        }
        }
    }

    Layout layout;
    layout.pages = flow.pages;
    const int count = int(layout.pages.size());
    const QString made = d->footer.arg(d->madeOn.toString(Qt::ISODate),
                                  QStringLiteral(TELMA_VERSION));
    for (int p = 0; p < count; ++p) {
        PageContent &page = layout.pages[p];
        page.texts << header;
        const QRectF footer(P::Margin, footerTop, P::TextWidth, lineHeight(footerFont));
        page.texts.append(TextPiece{footer, footerFont, made, Qt::AlignLeft});
        page.texts.append(TextPiece{footer, footerFont,
                           ReportTr::tr("Page %1 of %2").arg(p + 1).arg(count), Qt::AlignRight});
    }
    return layout;
}

namespace {

void paintContent(QPainter &painter, const PageContent &content)
{
    painter.setPen(Qt::black);
    for (const TextPiece &text : content.texts) {
        painter.setFont(text.font);
        painter.drawText(text.rect, int(text.alignment | Qt::AlignTop | Qt::TextSingleLine),
                         text.text);
    }
    painter.setPen(QPen(Qt::black, RuleWidth));
    for (const RulePiece &rule : content.rules)
        painter.drawLine(QPointF(P::Margin, rule.y), QPointF(P::Margin + P::TextWidth, rule.y));

    for (const ChartPiece &piece : content.charts) {
        const int width = piece.part->size.width;
        const double scale = piece.rect.width() / width;
        const QSize pixels(width, int(piece.rect.height() / scale));
        painter.save();
        painter.translate(piece.rect.topLeft());
        painter.scale(scale, scale);
        QFont font;
        font.setPixelSize(ChartFontPixels);
        painter.setFont(font);
        piece.part->chart->renderChart(painter, pixels);
        // The axis titles sit in the chart's free border, as the windows' labels do.
        painter.setPen(Qt::black);
        painter.drawText(QRectF(4, 1, pixels.width() / 2.0, ChartFontPixels + 2),
                         Qt::AlignLeft | Qt::AlignTop, piece.part->yTitle);
        painter.drawText(QRectF(0, pixels.height() - 2 * ChartFontPixels - 4,
                                pixels.width() - 4, ChartFontPixels + 4),
                         Qt::AlignRight | Qt::AlignTop, piece.part->xTitle);
        painter.restore();
    }
}

} // namespace

void ReportDocument::paintPage(QPainter &painter, const QRectF &target, int page) const
{
    const Layout pages = layout();
    if (page < 0 || page >= pages.pages.size())
        return;
    painter.save();
    ReportPage::mapTo(painter, target);
    paintContent(painter, pages.pages[page]);
    painter.restore();
}

bool ReportDocument::paint(QPagedPaintDevice &device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    const Layout pages = layout();
    const QRectF target(0, 0, device.width(), device.height());
    for (int page = 0; page < pages.pages.size(); ++page) {
        if (page > 0 && !device.newPage()) {
            painter.end();
            return false;
        }
        painter.save();
        ReportPage::mapTo(painter, target);
        paintContent(painter, pages.pages[page]);
        painter.restore();
    }
    return painter.end();
}
