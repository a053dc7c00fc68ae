// Series styles and the legend, checked in the pixels where the chart's own mapping puts
// the points, at device pixel ratios 1, 1.5 and 2.

#include "chartxy.h"
#include "chartxydatamapping.h"
#include "chartxyrender.h"
#include "chartxysetting.h"
#include "pdftools.h"
#include "viewportimage.h"

#include <QtTest>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <cmath>

namespace {

const QSize ViewSize(400, 300);
const QColor Blue(0, 0, 255);
const QColor GridGrey(192, 192, 192);
// X and Y from 0 to 10 on both axes, set by hand so that the mapping is known.
const ChartXYLimit Limits(ChartXYLimitAxis(0.0, 10.0), ChartXYLimitAxis(0.0, 10.0));

struct Chart
{
    explicit Chart(const QList<QPointF> &points)
        : model(int(points.size()), 2)
    {
        model.setHorizontalHeaderLabels({QStringLiteral("x"), QStringLiteral("Observed")});
        for (int row = 0; row < points.size(); ++row) {
            model.setData(model.index(row, 0), points.at(row).x());
            model.setData(model.index(row, 1), points.at(row).y());
        }
        model.setData(model.index(0, 1), Blue, Qt::DecorationRole);
        view.setModel(&model);
        view.setting()->scale()->setLimitView(Limits);
        view.setting()->grid()->setVisible(false);
    }
    // Where the point falls on a device of the given ratio: the device pixel it lies in.
    QPoint devicePixel(const QPointF &data, qreal ratio) const
    {
        const ChartXYDataMapping mapping(view.setting()->scale()->limitView().x().type()
                                                 == QMetaType::UnknownType
                                             ? QRect()
                                             : plot(),
                                         Limits);
        const QPointF p = mapping.map(data.x(), data.y()) * ratio;
        return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
    }
    QRect plot() const
    {
        return view.findChild<ChartXYRender *>()->plotArea(ViewSize);
    }
    QImage image(qreal ratio)
    {
        view.updateChart();
        return chartImageAt(view, ViewSize, ratio);
    }

    QStandardItemModel model;
    ChartXY view;
};

bool isBlue(QRgb pixel)
{
    return qBlue(pixel) > 200 && qRed(pixel) < 60 && qGreen(pixel) < 60;
}

bool isBackground(QRgb pixel)
{
    return QColor(pixel) == GridGrey;
}

} // namespace

class TestChartXYStyle : public QObject
{
    Q_OBJECT

private slots:
    void markersAndLines_data();
    void markersAndLines();
    void unstyledAndDefaultStyleDrawAlike_data();
    void unstyledAndDefaultStyleDrawAlike();
    void markersWhereTheLineIsReduced();
    void pointsInOnePixelDrawOneMarker_data();
    void pointsInOnePixelDrawOneMarker();
    void dashedLineHasGaps_data();
    void dashedLineHasGaps();
    void lineWidth_data();
    void lineWidth();
    void legendInItsCorner_data();
    void legendInItsCorner();
    void legendNamesTheSeries();
    void bandBetweenTwoSeries_data();
    void bandBetweenTwoSeries();
    void bandInPdfIsVectors();
};

// Two points far apart: markers of 11 px probed at their centre and 4 px off it to the
// upper right, to the right and above (which tells the shapes apart), the line halfway
// between the points.
void TestChartXYStyle::markersAndLines_data()
{
    QTest::addColumn<int>("marker");
    QTest::addColumn<bool>("line");
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<bool>("corner");
    QTest::addColumn<bool>("side");
    QTest::addColumn<bool>("above");
    QTest::addColumn<bool>("halfway");

    using S = ChartXYSeriesStyle;
    const struct { const char *name; int marker; bool centre, corner, side, above; } markers[] = {
        {"none", S::None, false, false, false, false},
        {"circle", S::Circle, true, false, true, true},
        {"square", S::Square, true, true, true, true},
        {"triangle", S::Triangle, true, false, false, true},
        {"diamond", S::Diamond, true, false, true, true},
        {"cross", S::Cross, true, true, false, false},
    };
    for (qreal ratio : {1.0, 1.5, 2.0})
        for (const auto &m : markers)
            for (bool line : {false, true})
                QTest::addRow("%s %s at %g", m.name, line ? "with line" : "alone", ratio)
                    << m.marker << line << ratio << m.centre << m.corner << m.side
                    << (m.above) << line;
}

void TestChartXYStyle::markersAndLines()
{
    QFETCH(int, marker);
    QFETCH(bool, line);
    QFETCH(qreal, ratio);
    QFETCH(bool, centre);
    QFETCH(bool, corner);
    QFETCH(bool, side);
    QFETCH(bool, above);
    QFETCH(bool, halfway);

    const QPointF a(2, 3), b(8, 3);
    Chart chart({a, b});
    ChartXYSeriesStyle &style = chart.view.setting()->seriesStyle(1);
    style.setMarker(ChartXYSeriesStyle::Marker(marker));
    style.setMarkerSize(11);
    style.setLineVisible(line);
    const QImage image = chart.image(ratio);

    for (const QPointF &p : {a, b}) {
        const QPoint at = chart.devicePixel(p, ratio);
        // Only a line or a marker puts colour on the point itself.
        QCOMPARE(isBlue(image.pixel(at)), centre || line);
        const int off = int(4 * ratio);
        QCOMPARE(isBlue(image.pixel(at + QPoint(off, -off))), corner);
        // The line runs through the point sideways and covers the side probe there.
        QCOMPARE(isBlue(image.pixel(at + QPoint(p == a ? -off : off, 0))), side);
        QCOMPARE(isBlue(image.pixel(at + QPoint(0, -off))), above);
        QVERIFY(isBackground(image.pixel(at + QPoint(0, 1) * int(9 * ratio))));
    }
    QCOMPARE(isBlue(image.pixel(chart.devicePixel((a + b) / 2, ratio))), halfway);
}

// Asking for a style and leaving it at its defaults must change nothing, nor may a
// chart without styles look any different from before.
void TestChartXYStyle::unstyledAndDefaultStyleDrawAlike_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("1.5") << 1.5;
    QTest::newRow("2") << 2.0;
}

void TestChartXYStyle::unstyledAndDefaultStyleDrawAlike()
{
    QFETCH(qreal, ratio);
    const QList<QPointF> points{{0.5, 1}, {3, 9}, {6, 2}, {9.5, 7}};
    Chart plain(points);
    Chart styled(points);
    styled.view.setting()->seriesStyle(1);
    QCOMPARE(styled.image(ratio), plain.image(ratio));
}

// A dense series whose line is thinned to a few points per pixel column still has a
// marker on every point.
void TestChartXYStyle::markersWhereTheLineIsReduced()
{
    QList<QPointF> points;
    for (int i = 0; i < 4000; ++i)
        points.append({i / 400.0, 2.0});
    Chart chart(points);
    // One point halfway up after one at the top, with neighbours in its pixel column on
    // both sides: neither first, last, lowest nor highest there, so the thinned line drops
    // it, and the line's only ink at its height is the narrow drop from the top.
    int middle = 2000;
    while (chart.devicePixel(points.at(middle - 1), 1).x()
               != chart.devicePixel(points.at(middle), 1).x()
           || chart.devicePixel(points.at(middle + 1), 1).x()
                  != chart.devicePixel(points.at(middle), 1).x())
        ++middle;
    chart.model.setData(chart.model.index(middle - 1, 1), 8.0);
    chart.model.setData(chart.model.index(middle, 1), 5.0);
    ChartXYSeriesStyle &style = chart.view.setting()->seriesStyle(1);
    style.setMarker(ChartXYSeriesStyle::Square);
    style.setMarkerSize(9);
    const QImage image = chart.image(1);
    const QPoint at = chart.devicePixel({points.at(middle).x(), 5.0}, 1);
    int blue = 0;
    for (int x = at.x() - 6; x <= at.x() + 6; ++x)
        blue += isBlue(image.pixel(x, at.y())) ? 1 : 0;
    // The line alone covers a few pixels across; the square covers its width and more.
    QVERIFY2(blue >= 9, qPrintable(QString::number(blue)));
}

// Points that fall into one device pixel draw one marker: the picture of a scatter with
// each point repeated (shifted within its pixel) equals that of the points once.
void TestChartXYStyle::pointsInOnePixelDrawOneMarker_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("1") << 1.0;
    QTest::newRow("2") << 2.0;
}

void TestChartXYStyle::pointsInOnePixelDrawOneMarker()
{
    QFETCH(qreal, ratio);
    QList<QPointF> once, repeated;
    for (int i = 0; i < 20; ++i) {
        const QPointF p(0.5 + i * 0.45, 5 + 4 * std::sin(i));
        once.append(p);
        // Far less than a device pixel: about 0.0002 of one.
        repeated << p << p + QPointF(1e-5, 0) << p + QPointF(0, -1e-5);
    }
    Chart a(once), b(repeated);
    for (Chart *chart : {&a, &b}) {
        ChartXYSeriesStyle &style = chart->view.setting()->seriesStyle(1);
        style.setLineVisible(false);
        style.setMarker(ChartXYSeriesStyle::Circle);
    }
    // Shifts that cross a pixel edge would make a second marker; none do here.
    for (int i = 0; i < 60; ++i)
        QCOMPARE(b.devicePixel(repeated.at(i), ratio), a.devicePixel(once.at(i / 3), ratio));
    QCOMPARE(b.image(ratio), a.image(ratio));
}

void TestChartXYStyle::dashedLineHasGaps_data()
{
    QTest::addColumn<int>("penStyle");
    QTest::addColumn<bool>("gaps");
    QTest::newRow("solid") << int(Qt::SolidLine) << false;
    QTest::newRow("dash") << int(Qt::DashLine) << true;
    QTest::newRow("dot") << int(Qt::DotLine) << true;
}

// The dashes run on across points: a line of many short segments still shows gaps.
void TestChartXYStyle::dashedLineHasGaps()
{
    QFETCH(int, penStyle);
    QFETCH(bool, gaps);
    QList<QPointF> points;
    for (int i = 0; i <= 100; ++i)
        points.append({i / 10.0, 5});
    Chart chart(points);
    chart.view.setting()->seriesStyle(1).setLineStyle(Qt::PenStyle(penStyle));
    const QImage image = chart.image(1);
    const int y = chart.devicePixel({5, 5}, 1).y();
    int background = 0;
    for (int x = chart.devicePixel({1, 5}, 1).x(); x < chart.devicePixel({9, 5}, 1).x(); ++x)
        background += isBlue(image.pixel(x, y)) ? 0 : 1;
    QCOMPARE(background > 20, gaps);
}

void TestChartXYStyle::lineWidth_data()
{
    QTest::addColumn<qreal>("width");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("2 at 1") << 2.0 << 1.0;
    QTest::newRow("6 at 1") << 6.0 << 1.0;
    QTest::newRow("6 at 2") << 6.0 << 2.0;
}

void TestChartXYStyle::lineWidth()
{
    QFETCH(qreal, width);
    QFETCH(qreal, ratio);
    Chart chart({{1, 5}, {9, 5}});
    chart.view.setting()->seriesStyle(1).setLineWidth(width);
    const QImage image = chart.image(ratio);
    const QPoint at = chart.devicePixel({5, 5}, ratio);
    int blue = 0;
    for (int y = at.y() - 20; y <= at.y() + 20; ++y)
        blue += isBlue(image.pixel(at.x(), y)) ? 1 : 0;
    // Antialiased edges may or may not count; the body is the width in device pixels.
    QVERIFY2(std::abs(blue - width * ratio) <= 1, qPrintable(QString::number(blue)));
}

// The legend sits in its corner of the plot area and changes nothing outside it, so the
// axes and their labels stay uncovered.
void TestChartXYStyle::legendInItsCorner_data()
{
    QTest::addColumn<int>("corner");
    QTest::addColumn<qreal>("ratio");
    for (qreal ratio : {1.0, 2.0}) {
        QTest::addRow("top left at %g", ratio) << int(Qt::TopLeftCorner) << ratio;
        QTest::addRow("top right at %g", ratio) << int(Qt::TopRightCorner) << ratio;
        QTest::addRow("bottom left at %g", ratio) << int(Qt::BottomLeftCorner) << ratio;
        QTest::addRow("bottom right at %g", ratio) << int(Qt::BottomRightCorner) << ratio;
    }
}

void TestChartXYStyle::legendInItsCorner()
{
    QFETCH(int, corner);
    QFETCH(qreal, ratio);
    Chart chart({{0, 0}, {10, 10}});
    chart.view.setting()->seriesStyle(1).setLineVisible(false);
    const QImage without = chart.image(ratio);
    chart.view.setting()->legend()->setVisible(true);
    chart.view.setting()->legend()->setCorner(Qt::Corner(corner));
    const QImage with = chart.image(ratio);

    const QRect plot = chart.plot();
    const QRect devicePlot(plot.topLeft() * ratio, plot.size() * ratio);
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if (!devicePlot.contains(x, y) && with.pixel(x, y) != without.pixel(x, y))
                QFAIL(qPrintable(QStringLiteral("changed outside the plot at %1, %2").arg(x).arg(y)));
    // Just inside the corner's margin, the legend's white box.
    const bool right = corner == Qt::TopRightCorner || corner == Qt::BottomRightCorner;
    const bool bottom = corner == Qt::BottomLeftCorner || corner == Qt::BottomRightCorner;
    const QPointF inside(right ? plot.right() - 9 : plot.left() + 9,
                         bottom ? plot.bottom() - 9 : plot.top() + 9);
    const QPointF across(right ? plot.left() + 9 : plot.right() - 9, inside.y());
    QCOMPARE(QColor(with.pixel((inside * ratio).toPoint())), QColor(Qt::white));
    QVERIFY(isBackground(with.pixel((across * ratio).toPoint())));
}

// Each series is named by its horizontal header, read back from a PDF of the chart.
void TestChartXYStyle::legendNamesTheSeries()
{
    QStandardItemModel model(3, 3);
    model.setHorizontalHeaderLabels({QStringLiteral("Month"), QStringLiteral("Predicted BMI"),
                                     QStringLiteral("Observed BMI")});
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 3; ++column)
            model.setData(model.index(row, column), row * 10 + column);
    ChartXY view;
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.resize(ViewSize);
    QTemporaryDir dir;
    const QString hidden = dir.filePath(QStringLiteral("hidden.pdf"));
    const QString shown = dir.filePath(QStringLiteral("shown.pdf"));
    view.updateChart();
    QVERIFY(view.saveImage(hidden));
    view.setting()->legend()->setVisible(true);
    view.updateChart();
    QVERIFY(view.saveImage(shown));

    QVERIFY(!pdfText(hidden).contains(QStringLiteral("BMI")));
    const QString text = pdfText(shown);
    QVERIFY2(text.contains(QStringLiteral("Predicted BMI")), qPrintable(text));
    QVERIFY2(text.contains(QStringLiteral("Observed BMI")), qPrintable(text));
    QVERIFY(text.indexOf(QStringLiteral("Predicted BMI")) < text.indexOf(QStringLiteral("Observed BMI")));
    QVERIFY(!text.contains(QStringLiteral("Month")));
}

namespace {

// Three series over X 0 to 10: a lower edge at 2, an upper edge at 6 that ends at X 8, and a
// line at 4 through the middle of the band.
struct BandChart
{
    BandChart()
        : model(11, 4)
    {
        model.setHorizontalHeaderLabels({QStringLiteral("x"), QStringLiteral("Clinic range"),
                                         QStringLiteral("Upper edge"), QStringLiteral("Course")});
        for (int row = 0; row <= 10; ++row) {
            model.setData(model.index(row, 0), double(row));
            model.setData(model.index(row, 1), 2.0);
            if (row <= 8)
                model.setData(model.index(row, 2), 6.0);
            model.setData(model.index(row, 3), 4.0);
        }
        model.setData(model.index(0, 1), Blue, Qt::DecorationRole);
        model.setData(model.index(0, 3), QColor(Qt::red), Qt::DecorationRole);
        view.setModel(&model);
        view.setting()->scale()->setLimitView(Limits);
        view.setting()->grid()->setVisible(false);
        view.resize(ViewSize);
        ChartXYSeriesStyle &lower = view.setting()->seriesStyle(1);
        lower.setLineVisible(false);
        lower.setBandTo(2);
        ChartXYSeriesStyle &upper = view.setting()->seriesStyle(2);
        upper.setLineVisible(false);
        upper.setInLegend(false);
    }
    QPoint at(double x, double y, qreal ratio) const
    {
        const QRect plot = view.findChild<ChartXYRender *>()->plotArea(ViewSize);
        const QPointF p = ChartXYDataMapping(plot, Limits).map(x, y) * ratio;
        return QPoint(int(std::floor(p.x())), int(std::floor(p.y())));
    }

    QStandardItemModel model;
    ChartXY view;
};

// Blue at a quarter over the grid's grey: bluer than grey, yet not the series' blue.
bool isTinted(QRgb pixel)
{
    return qBlue(pixel) > qRed(pixel) + 20 && !isBlue(pixel);
}

} // namespace

void TestChartXYStyle::bandBetweenTwoSeries_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<qreal>("opacity");
    for (qreal ratio : {1.0, 1.5, 2.0}) {
        QTest::addRow("at %g", ratio) << ratio << 0.25;
        QTest::addRow("opaque at %g", ratio) << ratio << 1.0;
    }
}

// The band fills between its two edges and nowhere else, ends where the shorter edge ends,
// stays behind the line drawn through it, and the legend names it once.
void TestChartXYStyle::bandBetweenTwoSeries()
{
    QFETCH(qreal, ratio);
    QFETCH(qreal, opacity);
    BandChart chart;
    chart.view.setting()->seriesStyle(1).setBandOpacity(opacity);
    chart.view.updateChart();
    const QImage image = chartImageAt(chart.view, ViewSize, ratio);
    const auto inBand = [&](double x, double y) {
        const QRgb pixel = image.pixel(chart.at(x, y, ratio));
        return opacity < 1 ? isTinted(pixel) : isBlue(pixel);
    };
    QVERIFY(inBand(1, 3));
    QVERIFY(inBand(7.5, 5.5));
    QVERIFY(isBackground(image.pixel(chart.at(5, 7, ratio))));
    QVERIFY(isBackground(image.pixel(chart.at(5, 1, ratio))));
    // Past X 8 the upper edge has no points; the band ends with it.
    QVERIFY(isBackground(image.pixel(chart.at(9.5, 3, ratio))));
    // The course's red is drawn over the band, not under it.
    const QRgb line = image.pixel(chart.at(3, 4, ratio));
    QVERIFY2(qRed(line) > 200 && qBlue(line) < 60, qPrintable(QColor(line).name()));

    // The style off: the same chart without the band.
    chart.view.setting()->seriesStyle(1).setBandTo(ChartXYSeriesStyle::NoBand);
    chart.view.updateChart();
    const QImage plain = chartImageAt(chart.view, ViewSize, ratio);
    QVERIFY(isBackground(plain.pixel(chart.at(1, 3, ratio))));
}

// On a PDF page the band is a shape: no picture on the page, and the band where it belongs
// when the page is rasterised. The legend names the band and the line, not the far edge.
void TestChartXYStyle::bandInPdfIsVectors()
{
    BandChart chart;
    chart.view.setting()->legend()->setVisible(true);
    chart.view.setting()->legend()->setCorner(Qt::BottomRightCorner);
    chart.view.updateChart();
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("band.pdf"));
    QVERIFY(chart.view.saveImage(pdf));
    QCOMPARE(runTool(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).count(QLatin1Char('\n')), 2);
    const QString text = pdfText(pdf);
    QVERIFY2(text.contains(QStringLiteral("Clinic range")) && text.contains(QStringLiteral("Course")), qPrintable(text));
    QVERIFY(!text.contains(QStringLiteral("Upper edge")));

    const QString png = dir.filePath(QStringLiteral("page"));
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("72"),
                                         QStringLiteral("-singlefile"), pdf, png});
    const QImage page(png + QStringLiteral(".png"));
    QVERIFY(!page.isNull());
    // The page holds the chart scaled; the band's share of it is the same.
    const QSizeF scale(qreal(page.width()) / ViewSize.width(), qreal(page.height()) / ViewSize.height());
    const auto pagePixel = [&](double x, double y) {
        const QPoint p = chart.at(x, y, 1);
        return page.pixel(int(p.x() * scale.width()), int(p.y() * scale.height()));
    };
    QVERIFY(isTinted(pagePixel(1, 3)));
    QVERIFY(!isTinted(pagePixel(5, 7)));
}

QTEST_MAIN(TestChartXYStyle)
#include "tst_chartxystyle.moc"
