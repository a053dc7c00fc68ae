// Where the chart puts its ticks, labels and axes, probed in the painted pixels, and the
// settings the result dialog draws with. A newcomer who moves a tick by a pixel, turns
// a mark inward or changes a pen should see one of these fail.

#include "chartxy.h"
#include "chartxysetting.h"
#include "graph.h"
#include "viewportimage.h"

#include <QtTest>
#include <QStandardItemModel>

namespace {

// Defaults in a 400 x 300 viewport: grid area (64, 16)-(383, 235), plot area
// (72, 24)-(375, 227), so W = 304 and H = 204.
const QSize ViewSize(400, 300);
constexpr int GridLeft = 64;
constexpr int GridBottom = 235;
constexpr int PlotLeft = 72;
constexpr int PlotBottom = 227;
constexpr qreal W = 304;
constexpr qreal H = 204;

// Centres of the tick marks along each axis: major ticks every W / 3 (or H / 3), and
// minor ticks cutting each major interval into three.
QList<qreal> tickCentres(qreal first, qreal step, int count)
{
    QList<qreal> centres;
    for (int i = 0; i < count; ++i)
        centres << first + i * step;
    return centres;
}

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 100;
}

// A run of ink pixels along a probe line: where it starts and how many pixels it covers.
struct Run
{
    int start;
    int length;
    qreal centre() const { return start + (length - 1) / 2.0; }
};

// Runs of ink along row y (horizontal) or column x (vertical), from `from` to `to`.
QList<Run> inkRuns(const QImage &image, Qt::Orientation along, int line, int from, int to)
{
    QList<Run> runs;
    for (int i = from; i <= to; ++i) {
        const QRgb pixel = along == Qt::Horizontal ? image.pixel(i, line) : image.pixel(line, i);
        if (!isInk(pixel))
            continue;
        if (!runs.isEmpty() && runs.last().start + runs.last().length == i)
            ++runs.last().length;
        else
            runs.append({i, 1});
    }
    return runs;
}

// The bounding box of the ink inside area.
QRect inkBox(const QImage &image, const QRect &area)
{
    const QRect inside = area & image.rect();
    QRect box;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (isInk(image.pixel(x, y)))
                box |= QRect(x, y, 1, 1);
    return box;
}

// A chart with X limits 0 .. 6 (labels 0, 2, 4, 6) and Y limits 0.0 .. 9.0 (0, 3, 6, 9), without
// data, so that nothing but axes, grid and labels is drawn.
QImage paintedAxes(ChartXY &view)
{
    view.setting()->scale()->setLimitView(
        ChartXYLimit(ChartXYLimitAxis(0, 6), ChartXYLimitAxis(0.0, 9.0)));
    return viewportImage(view, ViewSize);
}

} // namespace

class TestChartXYGeometry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tickMarks_data();
    void tickMarks();
    void axisLineWidths();
    void xLabelsCentredUnderTicks();
    void yLabelsEndLeftOfAxis();
    void resultChartSettings();
    void crispAtAnyRatio_data();
    void crispAtAnyRatio();

private:
    ChartXY m_view;
    QImage m_image;
};

void TestChartXYGeometry::initTestCase()
{
    m_image = paintedAxes(m_view);
    QVERIFY(!m_image.isNull());
}

// Each probe line crosses the marks of one axis. Minor marks are 6 px long and major ones
// 8 px, both outward, so a probe 4 px out meets every mark and one 7 px out only the
// major ones.
void TestChartXYGeometry::tickMarks_data()
{
    QTest::addColumn<int>("orientation");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QList<qreal>>("centres");
    QTest::addColumn<int>("width");

    const int h = Qt::Horizontal;
    const int v = Qt::Vertical;
    // X marks run down from the axis at y = 235, Y marks left from the axis at x = 64.
    QTest::newRow("x major") << h << GridBottom + 7 << 60 << 399
                             << tickCentres(PlotLeft, W / 3, 4) << 2;
    QTest::newRow("x all") << h << GridBottom + 4 << 60 << 399
                           << tickCentres(PlotLeft, W / 9, 10) << 0;
    QTest::newRow("y major") << v << GridLeft - 7 << 0 << 240
                             << tickCentres(PlotBottom - 3 * H / 3, H / 3, 4) << 2;
    QTest::newRow("y all") << v << GridLeft - 4 << 0 << 240
                           << tickCentres(PlotBottom - 9 * H / 9, H / 9, 10) << 0;
}

void TestChartXYGeometry::tickMarks()
{
    QFETCH(int, orientation);
    QFETCH(int, line);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QList<qreal>, centres);
    QFETCH(int, width);

    const QList<Run> runs = inkRuns(m_image, Qt::Orientation(orientation), line, from, to);
    QCOMPARE(runs.size(), centres.size());
    for (int i = 0; i < runs.size(); ++i) {
        const Run &run = runs.at(i);
        const QByteArray where = QByteArray::number(centres.at(i)) + " found at "
                + QByteArray::number(run.centre());
        // Aliased marks land on the pixel grid: within a pixel of their exact place.
        QVERIFY2(qAbs(run.centre() - centres.at(i)) <= 1.0, where);
        // Minor marks are 1 px wide; where a major mark stands on a minor one the major
        // pen's 2 px show.
        const bool onMajor = width == 2 || i % 3 == 0;
        QVERIFY2(run.length == (onMajor ? 2 : 1), where + " width " + QByteArray::number(run.length));
    }
}

// Both axis lines are 2 px thick, probed between tick marks.
void TestChartXYGeometry::axisLineWidths()
{
    const QList<Run> xAxis = inkRuns(m_image, Qt::Vertical, 90, GridBottom - 5, GridBottom + 5);
    QCOMPARE(xAxis.size(), 1);
    QCOMPARE(xAxis.first().length, 2);
    const QList<Run> yAxis = inkRuns(m_image, Qt::Horizontal, 120, GridLeft - 5, GridLeft + 5);
    QCOMPARE(yAxis.size(), 1);
    QCOMPARE(yAxis.first().length, 2);
}

// X labels 0, 2, 4, 6 hang 12 px below the axis, each centred under its major tick.
void TestChartXYGeometry::xLabelsCentredUnderTicks()
{
    const int ps = QFontInfo(m_view.viewport()->font()).pixelSize();
    const int top = GridBottom + 12;
    for (const qreal tick : tickCentres(PlotLeft, W / 3, 4)) {
        const QRect box = inkBox(m_image, QRect(int(tick) - 30, top - 2, 60, ps + 4));
        QVERIFY2(!box.isNull(), QByteArray::number(tick));
        const qreal centre = (box.left() + box.right() + 1) / 2.0;
        QVERIFY2(qAbs(centre - tick) <= 1.5, QByteArray::number(tick) + " label at "
                 + QByteArray::number(centre));
        QVERIFY2(box.top() >= top && box.top() < top + ps / 2, QByteArray::number(box.top()));
    }
}

// Y labels 0 .. 9 are right-aligned and end 12 px left of the axis, at x = 52, each
// centred on its major tick.
void TestChartXYGeometry::yLabelsEndLeftOfAxis()
{
    const int ps = QFontInfo(m_view.viewport()->font()).pixelSize();
    const int labelEnd = GridLeft - 12;
    for (const qreal tick : tickCentres(PlotBottom - H, H / 3, 4)) {
        const QRect box = inkBox(m_image, QRect(0, int(tick) - ps, labelEnd + 3, 2 * ps));
        QVERIFY2(!box.isNull(), QByteArray::number(tick));
        // The glyphs' side bearing leaves a pixel or two before the rectangle's edge.
        QVERIFY2(box.right() <= labelEnd && box.right() >= labelEnd - 3,
                 QByteArray::number(tick) + " ends at " + QByteArray::number(box.right()));
        const qreal middle = (box.top() + box.bottom() + 1) / 2.0;
        QVERIFY2(qAbs(middle - tick) <= 2.0, QByteArray::number(middle));
    }
}

void TestChartXYGeometry::resultChartSettings()
{
    graph dialog;
    double month[6] = {35.2, 34.8, 34.1, 33.9, 33.5, 33.0};
    dialog.prepareview(month);
    const ChartXYSetting *setting = dialog.findChild<ChartXY *>(QStringLiteral("chart"))->setting();
    const ChartXYBorder *border = setting->border();
    const ChartXYGrid *grid = setting->grid();

    const QList<QPair<const char *, QVariant>> expected = {
        {"border top", 16}, {"border right", 64}, {"border bottom", 64}, {"border left", 64},
        {"border colour", QColor(Qt::white)},
        {"tick X", QPoint(4, 5)}, {"tick Y", QPoint(8, 5)},
        {"grid colour", QColor(192, 192, 192)}, {"foreground", QColor(Qt::black)},
        {"grid visible", true}, {"inset", 8},
    };
    const QList<QVariant> actual = {
        border->top(), border->right(), border->bottom(), border->left(),
        border->background(),
        QPoint(int(grid->tickX().count()), int(grid->tickX().subCount())),
        QPoint(int(grid->tickY().count()), int(grid->tickY().subCount())),
        grid->background(), grid->foreground(),
        grid->visible(), grid->inset(),
    };
    for (int i = 0; i < expected.size(); ++i)
        QVERIFY2(actual.at(i) == expected.at(i).second, expected.at(i).first);
}

void TestChartXYGeometry::crispAtAnyRatio_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

// Every tick mark on the Y axis is as thick as its pen on the device grid (1 or 2 px
// pens: round(ratio) or round(2 * ratio) device pixels), wherever it falls: at a ratio
// of 1.5 a mark at a whole logical position would otherwise cover one or two pixels.
void TestChartXYGeometry::crispAtAnyRatio()
{
    QFETCH(qreal, ratio);
    m_view.setting()->scale()->setLimitView(
        ChartXYLimit(ChartXYLimitAxis(0, 6), ChartXYLimitAxis(0.0, 9.0)));
    m_view.setting()->grid()->tickY().setSubCount(7);
    const QImage image = chartImageAt(m_view, ViewSize, ratio);
    m_view.setting()->grid()->tickY().setSubCount(4);
    // Left of the axis, where every mark (minor ones 6 px long) crosses.
    const int x = int((GridLeft - 4) * ratio);
    const QList<Run> runs = inkRuns(image, Qt::Vertical, x, int(10 * ratio),
                                    int((GridBottom + 4) * ratio));
    QCOMPARE(runs.size(), 3 * 6 + 1);
    for (const Run &run : runs)
        QVERIFY2(run.length == qRound(ratio) || run.length == qRound(2 * ratio),
                 qPrintable(QStringLiteral("%1 px at %2").arg(run.length).arg(run.start)));
}

QTEST_MAIN(TestChartXYGeometry)
#include "tst_chartxygeometry.moc"
