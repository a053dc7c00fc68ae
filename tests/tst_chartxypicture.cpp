// Dense series drawn thinned to pixel columns must look like the full drawing, a chart
// must follow its data, limits and size although it keeps its series between paints,
// and hostile cells and settings must neither vanish into spikes nor hang the painting.

#include "chartxy.h"
#include "chartxycolumnreduction.h"
#include "chartxydatamapping.h"
#include "chartxyrender.h"
#include "chartxyseriescache.h"
#include "chartxysetting.h"
#include "viewportimage.h"

#include <QtTest>
#include <QIdentityProxyModel>
#include <QPainter>
#include <QRandomGenerator>
#include <QStandardItemModel>

#include <algorithm>
#include <climits>
#include <cmath>
#include <functional>

namespace {

const QSize ViewSize(400, 300);
// The plot area of a 400 x 300 viewport with the default settings.
const QRect Plot(QPoint(72, 24), QPoint(375, 227));
const QColor Red(255, 0, 0);

using Series = QList<QPointF>;

Series randomWalk(int count)
{
    QRandomGenerator random(7);
    Series points;
    qreal y = 0;
    for (int i = 0; i < count; ++i) {
        y += random.generateDouble() - 0.5;
        points.append({qreal(i), y});
    }
    return points;
}

Series noisySine(int count)
{
    QRandomGenerator random(11);
    Series points;
    for (int i = 0; i < count; ++i)
        points.append({qreal(i), std::sin(i * 0.002) + 0.3 * random.generateDouble()});
    return points;
}

Series monotone(int count)
{
    Series points;
    for (int i = 0; i < count; ++i)
        points.append({qreal(i), std::sqrt(qreal(i))});
    return points;
}

ChartXYLimit limitsOf(const Series &data)
{
    const auto [low, high] = std::minmax_element(
        data.cbegin(), data.cend(), [](const QPointF &a, const QPointF &b) { return a.y() < b.y(); });
    // Integer X limits, as the models below hold integer X values.
    return ChartXYLimit(ChartXYLimitAxis(int(data.first().x()), int(data.last().x())),
                        ChartXYLimitAxis(low->y(), high->y()));
}


// Maps 0 .. 100 onto 0 .. 100 on both axes (Y upside down): pixel columns are data
// intervals [0, 1), [1, 2), ...
const ChartXYDataMapping ByUnits(QRect(QPoint(0, 0), QPoint(100, 100)),
                                 ChartXYLimit(ChartXYLimitAxis(0.0, 100.0),
                                              ChartXYLimitAxis(0.0, 100.0)));

ChartXYColumnReduction reduce(const Series &data, const ChartXYDataMapping &mapping)
{
    QList<double> xs, ys;
    for (const QPointF &p : data) {
        xs.append(p.x());
        ys.append(p.y());
    }
    return reduceToColumns(xs, ys, mapping, 1.0);
}

Series mappedBy(const ChartXYDataMapping &mapping, const Series &data)
{
    Series points;
    for (const QPointF &p : data)
        points.append(mapping.map(p.x(), p.y()));
    return points;
}

Series mapped(const Series &data, const ChartXYLimit &limit, const QRect &plot = Plot)
{
    return mappedBy(ChartXYDataMapping(plot, limit), data);
}

// Where the view draws its series now: the margins widen for labels too wide for them.
QRect plotOf(const ChartXY &view)
{
    return view.findChild<ChartXYRender *>()->plotArea(view.viewport()->size());
}

// The line as the chart draws a series: segment by segment, 2 px, clipped to the plot.
void drawSegments(QPainter &painter, const Series &line, const QColor &colour,
                  const QRect &plot = Plot)
{
    painter.save();
    painter.setClipRect(plot);
    painter.setPen(QPen(QBrush(colour), 2.0, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    QPointF prev = line.first();
    for (const QPointF &p : line) {
        painter.drawLine(QLineF(prev, p));
        prev = p;
    }
    painter.restore();
}

QImage aliasedDrawing(const Series &line)
{
    QImage image(ViewSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    drawSegments(painter, line, Qt::black);
    return image;
}

bool isInk(QRgb pixel)
{
    return qGray(pixel) < 128;
}

bool inkNear(const QImage &image, int x, int y)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (image.valid(x + dx, y + dy) && isInk(image.pixel(x + dx, y + dy)))
                return true;
    return false;
}

// Pixels that differ between two drawings: how many there are, and how many of those lie
// more than a pixel away from the full drawing's ink.
struct Difference
{
    int differing = 0;
    int astray = 0;
    int ink = 0;
};

Difference compare(const QImage &full, const QImage &other, int tolerance = 0)
{
    Difference d;
    for (int y = 0; y < full.height(); ++y) {
        for (int x = 0; x < full.width(); ++x) {
            const QRgb a = full.pixel(x, y);
            const QRgb b = other.pixel(x, y);
            d.ink += isInk(a) || (qRed(a) > 200 && qGreen(a) < 100);
            const int delta = std::max({qAbs(qRed(a) - qRed(b)), qAbs(qGreen(a) - qGreen(b)),
                                        qAbs(qBlue(a) - qBlue(b))});
            if (delta <= tolerance)
                continue;
            ++d.differing;
            if (!inkNear(full, x, y))
                ++d.astray;
        }
    }
    return d;
}

// A model of one series, X in column 0 as ints, Y as doubles, red.
QStandardItemModel *seriesModel(const Series &data, QObject *parent)
{
    auto *model = new QStandardItemModel(int(data.size()), 2, parent);
    for (int row = 0; row < data.size(); ++row) {
        model->setData(model->index(row, 0), int(data.at(row).x()));
        model->setData(model->index(row, 1), data.at(row).y());
    }
    model->setData(model->index(0, 1), Red, Qt::DecorationRole);
    return model;
}

QImage painted(ChartXY &view)
{
    return viewportImage(view, ViewSize);
}

void autoLimits(ChartXY &view)
{
    view.setting()->scale()->setAutoLimitView(true);
    view.setting()->scale()->setAutoRound(true);
    view.updateChart();
}

bool redIn(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qRed(p) > 200 && qGreen(p) < 120 && qBlue(p) < 120)
                return true;
        }
    return false;
}

// Counts the model reads that reach it, to see that a repaint reads nothing.
class CountingModel : public QIdentityProxyModel
{
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        ++reads;
        return QIdentityProxyModel::data(index, role);
    }
    mutable int reads = 0;
};

using Setter = std::function<void(ChartXYSetting *, int)>;

} // namespace

Q_DECLARE_METATYPE(Setter)

class TestChartXYPicture : public QObject
{
    Q_OBJECT

private slots:
    void columnReduction_data();
    void columnReduction();
    void thinnedLooksLikeFull_data();
    void thinnedLooksLikeFull();
    void chartAgainstFullDrawing_data();
    void chartAgainstFullDrawing();

    void editedCellsReadAlone();
    void paintsReadNoCellTwice();
    void mixedColumnReadByType();
    void followsCellsLimitsRowsAndSize();
    void otherSizeLeavesViewportAlone();

    void invalidDatesAndTimesSkipped_data();
    void invalidDatesAndTimesSkipped();
    void hugeTickCountsFinish();
    void extremeMarginsShowOnlyBorder_data();
    void extremeMarginsShowOnlyBorder();
};

// Columns are one pixel wide: [0, 1), [1, 2), ... A row whose X or Y is NaN cannot be
// drawn and is left out.
void TestChartXYPicture::columnReduction_data()
{
    QTest::addColumn<Series>("points");
    QTest::addColumn<Series>("kept");
    QTest::newRow("low before high") << Series{{0.1, 5}, {0.2, 1}, {0.3, 3}, {0.5, 9}, {0.9, 4}}
                                     << Series{{0.1, 5}, {0.2, 1}, {0.5, 9}, {0.9, 4}};
    QTest::newRow("high before low") << Series{{0.1, 5}, {0.4, 9}, {0.6, 1}, {0.7, 2}, {0.8, 4}}
                                     << Series{{0.1, 5}, {0.4, 9}, {0.6, 1}, {0.8, 4}};
    QTest::newRow("first is lowest") << Series{{2.0, 0}, {2.1, 3}, {2.2, 8}, {2.5, 6}, {2.9, 7}}
                                     << Series{{2.0, 0}, {2.2, 8}, {2.9, 7}};
    QTest::newRow("one per column") << Series{{0.5, 1}, {1.5, 2}, {3.5, 0}}
                                    << Series{{0.5, 1}, {1.5, 2}, {3.5, 0}};
    QTest::newRow("two columns")
        << Series{{0.0, 1}, {0.3, 7}, {0.6, 0}, {0.9, 2}, {1.0, 5}, {1.2, 9}, {1.4, 9}, {1.9, 4}}
        << Series{{0.0, 1}, {0.3, 7}, {0.6, 0}, {0.9, 2}, {1.0, 5}, {1.2, 9}, {1.9, 4}};
    QTest::newRow("left of zero") << Series{{-0.9, 1}, {-0.5, 4}, {-0.2, 2}, {0.1, 3}}
                                  << Series{{-0.9, 1}, {-0.5, 4}, {-0.2, 2}, {0.1, 3}};
    const qreal nan = std::numeric_limits<qreal>::quiet_NaN();
    QTest::newRow("undrawable rows") << Series{{0.1, 5}, {0.2, nan}, {nan, 0}, {0.7, 6}, {0.8, 4}}
                                     << Series{{0.1, 5}, {0.7, 6}, {0.8, 4}};
    QTest::newRow("empty") << Series() << Series();
}

void TestChartXYPicture::columnReduction()
{
    QFETCH(Series, points);
    QFETCH(Series, kept);
    const ChartXYColumnReduction reduction = reduce(points, ByUnits);
    QVERIFY(reduction.sorted);
    QCOMPARE(reduction.points, mappedBy(ByUnits, kept));
    QCOMPARE(reduction.drawable, std::count_if(points.cbegin(), points.cend(), [](QPointF p) {
                 return !std::isnan(p.x()) && !std::isnan(p.y());
             }));

    // X going back anywhere, even past undrawable rows, leaves nothing to draw thinned.
    if (points.isEmpty())
        return;
    Series back = points;
    back.append({-5.0, 1.0});
    QCOMPARE(reduce(back, ByUnits).sorted, false);
    QVERIFY(reduce(back, ByUnits).points.isEmpty());
}

void TestChartXYPicture::thinnedLooksLikeFull_data()
{
    QTest::addColumn<Series>("data");
    QTest::newRow("random walk 1e5") << randomWalk(100000);
    QTest::newRow("noisy sine 1e4") << noisySine(10000);
    QTest::newRow("monotone 1e6") << monotone(1000000);
}

// Aliased, so that only where the ink goes counts, not how it is blended.
void TestChartXYPicture::thinnedLooksLikeFull()
{
    QFETCH(Series, data);
    const Series points = mapped(data, limitsOf(data));
    const Series thinned = reduce(data, ChartXYDataMapping(Plot, limitsOf(data))).points;
    QVERIFY(thinned.size() <= 4 * (Plot.width() + 1));

    const QImage full = aliasedDrawing(points);
    const QImage reduced = aliasedDrawing(thinned);
    const Difference d = compare(full, reduced);
    qInfo("%d of %d ink pixels differ (%.2f%%)", d.differing, d.ink, 100.0 * d.differing / d.ink);
    QCOMPARE(d.astray, 0);
    // A 2 px pen inks both neighbours of a column here and there where the full line,
    // with its many points, wanders across the column: about 8% of the ink.
    QVERIFY2(d.differing <= d.ink / 8, qPrintable(QString::number(d.differing)));
}

void TestChartXYPicture::chartAgainstFullDrawing_data()
{
    QTest::addColumn<Series>("data");
    QTest::addColumn<bool>("exact");
    QTest::newRow("dense, thinned") << randomWalk(100000) << false;
    // X values out of order (each pair swapped) cannot be thinned by columns: every
    // segment is drawn.
    Series unsorted = randomWalk(5000);
    for (int i = 0; i < unsorted.size(); ++i)
        unsorted[i].setX(i ^ 1);
    QTest::newRow("unsorted, in full") << unsorted << true;
}

// The chart, antialiased, against the full drawing laid over the same chart without data.
void TestChartXYPicture::chartAgainstFullDrawing()
{
    QFETCH(Series, data);
    QFETCH(bool, exact);
    ChartXY view;
    view.setModel(seriesModel(data, &view));
    const ChartXYLimit limit(ChartXYLimitAxis(0, int(data.size() - 1)), limitsOf(data).y());
    view.setting()->scale()->setLimitView(limit);
    const QImage chart = painted(view);
    QVERIFY(!chart.isNull());
    const QRect plot = plotOf(view);

    QImage full(ViewSize, QImage::Format_RGB32);
    QStandardItemModel noSeries(0, 1);
    view.setModel(&noSeries);
    QPainter painter(&full);
    view.renderChart(painter, ViewSize);
    painter.setRenderHint(QPainter::Antialiasing);
    drawSegments(painter, mapped(data, limit, plot), Red, plot);
    painter.end();
    if (exact) {
        QCOMPARE(chart, full);
        return;
    }
    // Blending differs where many segments overlap; count clear differences only.
    const Difference d = compare(full, chart, 96);
    qInfo("%d of %d ink pixels differ clearly (%.2f%%)", d.differing, d.ink,
          100.0 * d.differing / d.ink);
    QCOMPARE(d.astray, 0);
    QVERIFY2(d.differing <= d.ink / 6, qPrintable(QString::number(d.differing)));
}

// An edited cell is read again on its own, not with the whole model.
void TestChartXYPicture::editedCellsReadAlone()
{
    QStandardItemModel *data = seriesModel(randomWalk(1000), this);
    CountingModel counting;
    counting.setSourceModel(data);
    ChartXYSeriesCache cache;
    const ChartXYLimit limit(ChartXYLimitAxis(0, 999), ChartXYLimitAxis(-100.0, 100.0));
    QCOMPARE(cache.series(&counting, 1, limit, Plot, true).points.size(), 1000);

    counting.reads = 0;
    data->setData(data->index(500, 1), 100.0);
    const ChartXYSeriesCache::Series &series = cache.series(&counting, 1, limit, Plot, true);
    QVERIFY2(counting.reads <= 2, qPrintable(QString::number(counting.reads)));
    QCOMPARE(series.points.at(500), ChartXYDataMapping(Plot, limit).map(500, 100.0));

    // A text in place of a number takes the row out of the line.
    data->setData(data->index(20, 0), QStringLiteral("twenty"));
    QCOMPARE(cache.series(&counting, 1, limit, Plot, true).points.size(), 999);
    delete data;
}

// updateChart() reads every cell once. The first paint draws from what it read (only the
// series' colour is read), and a repaint, or a picture at another size, reads nothing.
void TestChartXYPicture::paintsReadNoCellTwice()
{
    QStandardItemModel source;
    QStandardItemModel *data = seriesModel(randomWalk(2000), &source);
    CountingModel counting;
    counting.setSourceModel(data);
    ChartXY view;
    view.setModel(&counting);
    autoLimits(view);
    QVERIFY(counting.reads >= 2 * 2000);
    counting.reads = 0;
    const QImage first = painted(view);
    QVERIFY(!first.isNull());
    QVERIFY2(counting.reads <= 2, qPrintable(QString::number(counting.reads)));

    counting.reads = 0;
    const QImage again = viewportPainted(view.viewport());
    QCOMPARE(counting.reads, 0);
    QCOMPARE(again, first);

    // Nor does a picture at another size: the cells were read already.
    QImage large(800, 600, QImage::Format_RGB32);
    QPainter painter(&large);
    view.renderChart(painter, large.size());
    painter.end();
    QCOMPARE(counting.reads, 0);
}

// A column holding a value of another type than its limits is not taken from the scan but
// read again by type, and that value is left out of the line.
void TestChartXYPicture::mixedColumnReadByType()
{
    QStandardItemModel source;
    QStandardItemModel *data = seriesModel(randomWalk(2000), &source);
    data->setData(data->index(300, 1), 1);
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.updateLimits(data, 3, 3);
    ChartXYSeriesCache cache(&scale.scan());
    QCOMPARE(cache.series(data, 1, scale.limitView(), Plot, true).points.size(), 1999);
}

// What is kept must never outlive what it was made from.
void TestChartXYPicture::followsCellsLimitsRowsAndSize()
{
    ChartXY view;
    QStandardItemModel *model = seriesModel({{0, 0.0}, {3, 5.0}, {6, 10.0}}, &view);
    view.setModel(model);
    view.setting()->scale()->setLimitView(
        ChartXYLimit(ChartXYLimitAxis(0, 6), ChartXYLimitAxis(0.0, 10.0)));
    QImage image = painted(view);
    QVERIFY(!image.isNull());
    const auto regrab = [&view] {
        return viewportPainted(view.viewport());
    };
    // (3, 5.0) lies at (223.5, 125.5).
    QVERIFY(redIn(image, QRect(221, 123, 5, 5)));

    // A cell edited: the middle point drops to the bottom.
    model->setData(model->index(1, 1), 0.0);
    image = regrab();
    QVERIFY(!redIn(image, QRect(221, 123, 5, 5)));
    QVERIFY(redIn(image, QRect(221, 224, 5, 4)));

    // New limits set directly, without updateChart(): the line follows them.
    view.setting()->scale()->setLimitView(
        ChartXYLimit(ChartXYLimitAxis(0, 12), ChartXYLimitAxis(0.0, 10.0)));
    image = regrab();
    QVERIFY(!redIn(image, QRect(373, 22, 3, 5)));
    QVERIFY(redIn(image, QRect(220, 22, 6, 5)));

    // A row appended, filled before it arrives, reaches the picture at the next paint.
    auto *x = new QStandardItem;
    x->setData(12, Qt::DisplayRole);
    auto *y = new QStandardItem;
    y->setData(0.0, Qt::DisplayRole);
    model->appendRow({x, y});
    image = regrab();
    QVERIFY(redIn(image, QRect(295, 120, 6, 8)));

    // Another size: the plot area moves, and so do the points.
    const int frame = view.frameWidth();
    view.resize(QSize(600, 300) + QSize(2 * frame, 2 * frame));
    QTRY_COMPARE(view.viewport()->size(), QSize(600, 300));
    image = regrab();
    // Plot (72, 24)-(575, 227): (6, 10.0) now lies at x = 323.5.
    QVERIFY(redIn(image, QRect(321, 22, 5, 5)));

    // The model replaced: its series alone is drawn.
    QStandardItemModel *other = seriesModel({{0, 10.0}, {12, 10.0}}, &view);
    view.setModel(other);
    image = regrab();
    QVERIFY(redIn(image, QRect(100, 22, 5, 5)));
    QVERIFY(!redIn(image, QRect(100, 200, 400, 27)));
}

// A picture at another size (a PDF page, say) must neither draw with the viewport's
// points nor spoil them.
void TestChartXYPicture::otherSizeLeavesViewportAlone()
{
    ChartXY view;
    view.setModel(seriesModel(randomWalk(3000), &view));
    autoLimits(view);
    const QImage before = painted(view);
    QVERIFY(!before.isNull());

    QImage large(800, 600, QImage::Format_RGB32);
    QPainter painter(&large);
    view.renderChart(painter, large.size());
    painter.end();
    // Scaled up twice: the series fills the large plot, not its top-left quarter.
    QVERIFY(redIn(large, QRect(400, 24, 376, 504)));

    QCOMPARE(viewportPainted(view.viewport()), before);
}

void TestChartXYPicture::invalidDatesAndTimesSkipped_data()
{
    QTest::addColumn<QVariantList>("xs");
    const QDate day(2024, 3, 1);
    QTest::newRow("date") << QVariantList{day, day.addDays(1), day.addDays(2), QDate(),
                                          day.addDays(3), day.addDays(4)};
    const QTime hour(9, 0);
    QTest::newRow("time") << QVariantList{hour, hour.addSecs(3600), hour.addSecs(7200), QTime(),
                                          hour.addSecs(10800), hour.addSecs(14400)};
    const QDateTime start(day, hour);
    QTest::newRow("date-time") << QVariantList{start, start.addDays(1), start.addDays(2),
                                               QDateTime(), start.addDays(3), start.addDays(4)};
}

// An invalid date or time is no point in time: its row is left out like a type
// mismatch, instead of a spike to 1970-01-01 or -01:01:01 at the far left.
void TestChartXYPicture::invalidDatesAndTimesSkipped()
{
    QFETCH(QVariantList, xs);
    const QList<double> ys = {0.0, 0.0, 0.0, 10.0, 0.0, 0.0};
    ChartXY view;
    auto *model = new QStandardItemModel(int(xs.size()), 2, &view);
    for (int row = 0; row < xs.size(); ++row) {
        model->setData(model->index(row, 0), xs.at(row));
        model->setData(model->index(row, 1), ys.at(row));
    }
    model->setData(model->index(0, 1), Red, Qt::DecorationRole);
    view.setModel(model);
    autoLimits(view);
    const QImage image = painted(view);
    QVERIFY(!image.isNull());
    // The spike would climb from the middle of the bottom line to the top left.
    QVERIFY(!redIn(image, QRect(Plot.left(), Plot.top(), Plot.width() / 2, Plot.height() / 2)));
    QVERIFY(redIn(image, QRect(Plot.left(), Plot.bottom() - 12, Plot.width(), 13)));
}

// 4,294,967,295 grid lines and ticks would take for ever; one per pixel fills the axis.
void TestChartXYPicture::hugeTickCountsFinish()
{
    ChartXY view;
    view.setModel(seriesModel({{0, 1.0}, {6, 9.0}}, &view));
    ChartXYGrid *grid = view.setting()->grid();
    grid->tickX().setCount(UINT_MAX);
    grid->tickY().setSubCount(UINT_MAX);
    grid->tickY().setCount(UINT_MAX);
    grid->tickX().setSubCount(UINT_MAX);
    view.setting()->scale()->setLimitView(
        ChartXYLimit(ChartXYLimitAxis(0, 6), ChartXYLimitAxis(0.0, 10.0)));
    const QImage image = painted(view);
    QVERIFY(!image.isNull());
    QCOMPARE(grid->tickX().count(), UINT_MAX);
    QCOMPARE(grid->tickY().subCount(), UINT_MAX);
    // Dotted lines in every column and row: the grid area is mostly ink.
    const QRect plot = plotOf(view);
    int dark = 0;
    for (int x = plot.left(); x <= plot.right(); ++x)
        dark += qGray(image.pixel(x, 100)) < 100;
    QVERIFY2(dark > plot.width() / 3, qPrintable(QString::number(dark)));
    // Every pixel along the X axis carries a tick.
    for (int x = plot.left(); x <= plot.right(); ++x)
        QVERIFY2(qGray(image.pixel(x, 239)) < 100, qPrintable(QString::number(x)));

    // The same with the limits computed, as the result dialog does.
    autoLimits(view);
    QVERIFY(!view.viewport()->grab().isNull());
}

void TestChartXYPicture::extremeMarginsShowOnlyBorder_data()
{
    QTest::addColumn<Setter>("set");
    QTest::addColumn<int>("value");
    const QList<QPair<const char *, Setter>> setters = {
        {"top", [](ChartXYSetting *s, int v) { s->border()->setTop(v); }},
        {"right", [](ChartXYSetting *s, int v) { s->border()->setRight(v); }},
        {"bottom", [](ChartXYSetting *s, int v) { s->border()->setBottom(v); }},
        {"left", [](ChartXYSetting *s, int v) { s->border()->setLeft(v); }},
        {"inset", [](ChartXYSetting *s, int v) { s->grid()->setInset(v); }},
    };
    for (const auto &[name, setter] : setters) {
        QTest::addRow("%s INT_MAX", name) << setter << INT_MAX;
        QTest::addRow("%s INT_MIN", name) << setter << INT_MIN;
    }
}

// Sums of such margins do not fit an int; no grid area fits such margins either.
void TestChartXYPicture::extremeMarginsShowOnlyBorder()
{
    QFETCH(Setter, set);
    QFETCH(int, value);
    ChartXY view;
    view.setModel(seriesModel({{0, 1.0}, {6, 9.0}}, &view));
    set(view.setting(), value);
    autoLimits(view);
    const QImage image = painted(view);
    QVERIFY(!image.isNull());
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            QCOMPARE(image.pixel(x, y), QColor(Qt::white).rgb());
}

QTEST_MAIN(TestChartXYPicture)
#include "tst_chartxypicture.moc"
