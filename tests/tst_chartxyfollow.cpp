// The chart follows its model and shows what its limits are: labels whole and without
// rounding residue, cells that are no number left out, row changes and resets moving the
// automatic limits, and changes of roles it never shows costing nothing.

#include "chartxy.h"
#include "chartxyrender.h"
#include "chartxysetting.h"
#include "pdftools.h"
#include "viewportimage.h"

#include <QtTest>
#include <QDateTime>
#include <QFontMetricsF>
#include <QIdentityProxyModel>
#include <QStandardItemModel>
#include <QTemporaryDir>

#include <functional>

namespace {

const QSize ViewSize(400, 300);

using Fill = std::function<void(QStandardItemModel &)>;

// X then Y, one row per pair.
void fill(QStandardItemModel &model, const QList<QPair<QVariant, QVariant>> &rows)
{
    model.clear();
    model.setColumnCount(2);
    for (const auto &[x, y] : rows)
        model.appendRow({new QStandardItem, new QStandardItem});
    for (int row = 0; row < rows.size(); ++row) {
        model.setData(model.index(row, 0), rows.at(row).first);
        model.setData(model.index(row, 1), rows.at(row).second);
    }
    model.setData(model.index(0, 1), QColor(Qt::red), Qt::DecorationRole);
}

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

void autoLimits(ChartXY &view)
{
    view.setting()->scale()->setAutoLimitView(true);
    view.setting()->scale()->setAutoRound(true);
    view.updateChart();
}

QString label(const ChartXY &view, Qt::Orientation axis, uint tick)
{
    const ChartXYRender *render = view.findChild<ChartXYRender *>();
    const ChartXYLimit &limit = view.setting()->scale()->limitView();
    const ChartXYGrid *grid = view.setting()->grid();
    QVariant value;
    QMetaObject::invokeMethod(const_cast<ChartXYRender *>(render), "tickValue",
                              Qt::DirectConnection, Q_RETURN_ARG(QVariant, value),
                              Q_ARG(ChartXYLimitAxis, axis == Qt::Horizontal ? limit.x() : limit.y()),
                              Q_ARG(ChartXYGridTick, axis == Qt::Horizontal ? grid->tickX() : grid->tickY()),
                              Q_ARG(uint, tick));
    QString text;
    QMetaObject::invokeMethod(const_cast<ChartXYRender *>(render), "tickValueToString",
                              Qt::DirectConnection, Q_RETURN_ARG(QString, text),
                              Q_ARG(QVariant, value));
    return text;
}

QString savedPdfText(ChartXY &view)
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));
    return view.saveImage(pdf) ? pdfText(pdf) : QString();
}

} // namespace

Q_DECLARE_METATYPE(Fill)

class TestChartXYFollow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void labelsWhole_data();
    void labelsWhole();
    void residueLabelledZero_data();
    void residueLabelledZero();
    void textCellLeftOut();
    void rowChangesMoveLimits_data();
    void rowChangesMoveLimits();
    void unshownRolesCostNothing();
    void colourFollowsFirstRow();
    void keptRealsLetGo();
};

void TestChartXYFollow::initTestCase()
{
    qRegisterMetaType<ChartXYLimitAxis>();
    qRegisterMetaType<ChartXYGridTick>();
}

// Every label shows whole in the PDF's text (none wrapped), and the widest Y label's ink
// in the picture is as wide as its text (none cut at the margin).
void TestChartXYFollow::labelsWhole_data()
{
    QTest::addColumn<Fill>("data");
    QTest::newRow("millions") << Fill([](QStandardItemModel &m) {
        fill(m, {{0, 1.2e6}, {1, 1.9e6}, {2, 2.5e6}});
    });
    QTest::newRow("ends of the double range") << Fill([](QStandardItemModel &m) {
        fill(m, {{0, -1e308}, {1, 1e308}});
    });
    const QDateTime start(QDate(2024, 3, 1), QTime(8, 0));
    QTest::newRow("date-times") << Fill([start](QStandardItemModel &m) {
        fill(m, {{start, 1.0}, {start.addSecs(7200), 2.0}, {start.addSecs(14400), 3.0}});
    });
}

void TestChartXYFollow::labelsWhole()
{
    QFETCH(Fill, data);
    QStandardItemModel model;
    data(model);
    ChartXY view;
    view.setModel(&model);
    view.resize(ViewSize);
    autoLimits(view);
    const QString text = savedPdfText(view);
    QVERIFY(!text.isEmpty());
    QString widest;
    const QFontMetricsF metrics(view.viewport()->font(), view.viewport());
    for (uint i = 0; i < view.setting()->grid()->tickY().count(); ++i) {
        const QString y = label(view, Qt::Vertical, i);
        QVERIFY2(text.contains(y), qPrintable(y + " in " + text));
        if (metrics.horizontalAdvance(y) > metrics.horizontalAdvance(widest))
            widest = y;
    }
    for (uint i = 0; i < view.setting()->grid()->tickX().count(); ++i)
        QVERIFY2(text.contains(label(view, Qt::Horizontal, i)), qPrintable(text));

    const QImage image = chartImageAt(view, ViewSize, 1);
    const QRect plot = view.findChild<ChartXYRender *>()->plotArea(ViewSize);
    const int inset = view.setting()->grid()->inset();
    int first = plot.left();
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < plot.left() - inset - 12; ++x)
            if (qGray(image.pixel(x, y)) < 128)
                first = std::min(first, x);
    const int ink = plot.left() - inset - 12 - first;
    QVERIFY2(first > 0 && ink >= metrics.horizontalAdvance(widest) - 2,
             qPrintable(QStringLiteral("%1 px of %2").arg(ink).arg(widest)));
}

void TestChartXYFollow::residueLabelledZero_data()
{
    QTest::addColumn<Fill>("data");
    QTest::addColumn<uint>("yTicks");
    QTest::newRow("tenths, 11 ticks") << Fill([](QStandardItemModel &m) {
        QList<QPair<QVariant, QVariant>> rows;
        for (int row = 0; row <= 10; ++row)
            rows.append({row, row / 10.0});
        fill(m, rows);
    }) << 11u;
    QTest::newRow("-3 to 7, 12 intervals") << Fill([](QStandardItemModel &m) {
        fill(m, {{0, -3.0}, {1, 7.0}});
    }) << 13u;
}

void TestChartXYFollow::residueLabelledZero()
{
    QFETCH(Fill, data);
    QFETCH(uint, yTicks);
    QStandardItemModel model;
    data(model);
    ChartXY view;
    view.setModel(&model);
    view.resize(ViewSize);
    view.setting()->grid()->tickY().setCount(yTicks);
    autoLimits(view);
    const QString text = savedPdfText(view);
    QVERIFY(!text.isEmpty());
    QVERIFY2(!text.contains(QStringLiteral("e-1")), qPrintable(text));
    QVERIFY2(text.split(QLatin1Char(' ')).contains(QStringLiteral("0")), qPrintable(text));
}

// A text that is no number is left out like an empty cell: it neither becomes the
// minimum nor blanks the chart.
void TestChartXYFollow::textCellLeftOut()
{
    QStandardItemModel model;
    fill(model, {{0, 5.0}, {1, QStringLiteral("abc")}, {2, 7.0}, {3, 6.0}});
    ChartXY view;
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.updateChart();
    const ChartXYLimitAxis y = view.setting()->scale()->limitView().y();
    QCOMPARE(y.min(), QVariant(5.0));
    QCOMPARE(y.max(), QVariant(7.0));
    const QImage image = chartImageAt(view, ViewSize, 1);
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            red += QColor(image.pixel(x, y)) == QColor(Qt::red);
    QVERIFY(red > 100);
}

using Change = std::function<void(QStandardItemModel &)>;

QList<QStandardItem *> itemRow(const QVariant &x, const QVariant &y)
{
    auto *xItem = new QStandardItem;
    xItem->setData(x, Qt::DisplayRole);
    auto *yItem = new QStandardItem;
    yItem->setData(y, Qt::DisplayRole);
    return {xItem, yItem};
}

// With automatic limits, rows inserted, removed or reset move the limits as an edit
// does. The rows come with their values, so no cell edit follows to move them.
void TestChartXYFollow::rowChangesMoveLimits_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QRectF>("limits");
    QTest::newRow("remove 990, append one") << Change([](QStandardItemModel &m) {
        m.removeRows(10, 990);
        m.appendRow(itemRow(2000, 100.0));
    }) << QRectF(QPointF(0, 0), QPointF(2000, 100));
    QTest::newRow("insert at the top") << Change([](QStandardItemModel &m) {
        m.insertRow(0, itemRow(-500, -50.0));
    }) << QRectF(QPointF(-500, -50), QPointF(999, 99.9));
    QTest::newRow("remove the last rows") << Change([](QStandardItemModel &m) {
        m.removeRows(500, 500);
    }) << QRectF(QPointF(0, 0), QPointF(499, 49.9));
    QTest::newRow("reset") << Change([](QStandardItemModel &m) {
        m.clear();
        m.appendRow(itemRow(1, 3.0));
        m.appendRow(itemRow(3, 4.0));
    }) << QRectF(QPointF(1, 3), QPointF(3, 4));
}

void TestChartXYFollow::rowChangesMoveLimits()
{
    QFETCH(Change, change);
    QFETCH(QRectF, limits);
    QStandardItemModel model;
    QList<QPair<QVariant, QVariant>> rows;
    for (int row = 0; row < 1000; ++row)
        rows.append({row, row / 10.0});
    fill(model, rows);
    ChartXY view;
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.updateChart();
    change(model);
    const ChartXYScale *scale = view.setting()->scale();
    const auto shown = [scale] {
        const ChartXYLimit &l = scale->limitView();
        return QRectF(QPointF(l.x().min().toDouble(), l.y().min().toDouble()),
                      QPointF(l.x().max().toDouble(), l.y().max().toDouble()));
    };
    QTRY_COMPARE(shown(), limits);
}

// A change of a role the chart never shows reads nothing; a value change reads its row.
void TestChartXYFollow::unshownRolesCostNothing()
{
    QStandardItemModel model;
    QList<QPair<QVariant, QVariant>> rows;
    for (int row = 0; row < 1000; ++row)
        rows.append({row, row / 10.0});
    fill(model, rows);
    CountingModel counting;
    counting.setSourceModel(&model);
    ChartXY view;
    view.setModel(&counting);
    view.setting()->scale()->setAutoLimitView(true);
    view.updateChart();
    chartImageAt(view, ViewSize, 1);
    counting.reads = 0;
    model.setData(model.index(500, 1), QStringLiteral("tip"), Qt::ToolTipRole);
    model.setData(model.index(0, 1), QStringLiteral("Sans"), Qt::FontRole);
    chartImageAt(view, ViewSize, 1);
    QCOMPARE(counting.reads, 0);
    model.setData(model.index(500, 1), 3.5);
    QVERIFY(counting.reads > 0 && counting.reads < 10);
}

void TestChartXYFollow::colourFollowsFirstRow()
{
    QStandardItemModel model;
    fill(model, {{0, 0.0}, {10, 10.0}});
    ChartXY view;
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.updateChart();
    const auto count = [&view](const QColor &colour) {
        const QImage image = chartImageAt(view, ViewSize, 1);
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += QColor(image.pixel(x, y)) == colour;
        return n;
    };
    QVERIFY(count(Qt::red) > 100);
    model.setData(model.index(0, 1), QColor(Qt::blue), Qt::DecorationRole);
    QCOMPARE(count(Qt::red), 0);
    QVERIFY(count(Qt::blue) > 100);
}

void TestChartXYFollow::keptRealsLetGo()
{
    QStandardItemModel model;
    fill(model, {{0, 0.0}, {10, 10.0}});
    ChartXY view;
    view.setModel(&model);
    ChartXYScale *scale = view.setting()->scale();
    scale->setAutoLimitView(true);
    view.updateChart();
    QVERIFY(scale->scan().reals(&model, 1, QMetaType::Double));
    scale->setAutoLimitView(false);
    QVERIFY(!scale->scan().reals(&model, 1, QMetaType::Double));
}

QTEST_MAIN(TestChartXYFollow)
#include "tst_chartxyfollow.moc"
