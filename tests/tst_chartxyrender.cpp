#include "chartxy.h"
#include "chartxyrender.h"
#include "chartxysetting.h"
#include "viewportimage.h"

#include <QtTest>
#include <QPainter>
#include <QStandardItemModel>

namespace {

const QColor Red(255, 0, 0);
const QColor Grey(192, 192, 192);
const QColor White(255, 255, 255);

// A model with int X values in column 0 and one series in column 1.
QStandardItemModel *seriesModel(const QList<QPair<QVariant, QVariant>> &points,
                                const QVariant &colour = QColor(Red), QObject *parent = nullptr)
{
    auto *model = new QStandardItemModel(int(points.size()), 2, parent);
    for (int row = 0; row < points.size(); ++row) {
        model->setData(model->index(row, 0), points.at(row).first);
        model->setData(model->index(row, 1), points.at(row).second);
    }
    if (colour.isValid())
        model->setData(model->index(0, 1), colour, Qt::DecorationRole);
    return model;
}

ChartXYLimit limit(const QVariant &xmin, const QVariant &xmax, const QVariant &ymin,
                   const QVariant &ymax)
{
    return ChartXYLimit(ChartXYLimitAxis(xmin, xmax), ChartXYLimitAxis(ymin, ymax));
}

QImage paintedViewport(ChartXY &view, const QSize &size)
{
    return viewportImage(view, size);
}

// Charts model on X 0 .. 6 and Y 0.0 .. 10.0 in a 400 x 300 viewport.
QImage paintedSeries(ChartXY &view, QStandardItemModel *model)
{
    view.setModel(model);
    view.setting()->scale()->setLimitView(limit(0, 6, 0.0, 10.0));
    return paintedViewport(view, QSize(400, 300));
}

bool isRed(QRgb pixel)
{
    return qRed(pixel) > 200 && qGreen(pixel) < 90 && qBlue(pixel) < 90;
}

bool hasDarkPixel(const QImage &image, const QRect &area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return true;
    return false;
}

bool allOf(const QImage &image, const QColor &colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) != colour.rgb())
                return false;
    return true;
}

} // namespace

class TestChartXYRender : public QObject
{
    Q_OBJECT

private slots:
    void slotsInMetaObject();
    void tickValues_data();
    void tickValues();
    void tickValueStrings_data();
    void tickValueStrings();
    void dataPositions_data();
    void dataPositions();

    void gridAreaAndGridLines();
    void tooSmallShowsOnlyBorder_data();
    void tooSmallShowsOnlyBorder();
    void seriesFollowsLimits();
    void mismatchedRowsAreSkipped_data();
    void mismatchedRowsAreSkipped();
    void flatSeriesIsMidHeight();
    void labelsNeedLimits();
    void renderedOffScreenMatchesViewport();

private:
    ChartXYRender *render(ChartXY &view) { return view.findChild<ChartXYRender *>(); }
};

void TestChartXYRender::slotsInMetaObject()
{
    const QMetaObject &mo = ChartXYRender::staticMetaObject;
    const QByteArrayList expected = {
        "paint()",
        "paintBorder(QPainter&)",
        "paintGrid(QPainter&)",
        "paintGridLine(QPainter&,QRect&)",
        "paintGridLineX(QPainter&,QRect&)",
        "paintGridLineY(QPainter&,QRect&)",
        "paintAxis(QPainter&,QRect&)",
        "paintAxisX(QPainter&,QRect&)",
        "paintAxisXTickvalue(QPainter&,QRect&)",
        "paintAxisY(QPainter&,QRect&)",
        "paintAxisYTickvalue(QPainter&,QRect&)",
        "paintData(QPainter&,QRect&)",
        "paintDataColumn(QPainter&,QRect&,int)",
        "tickValue(ChartXYLimitAxis,ChartXYGridTick,uint)",
        "tickValueToString(QVariant)",
        "dataGridPosition(QRect&,QVariant,QVariant)",
    };
    QCOMPARE(mo.methodCount() - mo.methodOffset(), int(expected.size()));
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = mo.method(mo.methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected.at(i));
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), i == 0 ? QMetaMethod::Public : QMetaMethod::Protected);
    }
    const QMetaMethod tick = mo.method(mo.indexOfMethod("tickValue(ChartXYLimitAxis,ChartXYGridTick,uint)"));
    QCOMPARE(tick.parameterNames(), QByteArrayList({"limit_axis", "grid_tick", "tick"}));
    const QMetaMethod column = mo.method(mo.indexOfMethod("paintDataColumn(QPainter&,QRect&,int)"));
    QCOMPARE(column.parameterNames(), QByteArrayList({"painter", "rect", "column"}));
    const QMetaMethod position = mo.method(mo.indexOfMethod("dataGridPosition(QRect&,QVariant,QVariant)"));
    QCOMPARE(position.parameterNames(), QByteArrayList({"rect", "x", "y"}));
    QCOMPARE(mo.method(mo.indexOfMethod("tickValueToString(QVariant)")).parameterNames(),
             QByteArrayList({"tick_value"}));
}

void TestChartXYRender::tickValues_data()
{
    QTest::addColumn<ChartXYLimitAxis>("axis");
    QTest::addColumn<uint>("count");
    QTest::addColumn<QVariantList>("expected");

    QTest::newRow("int ends stay int") << ChartXYLimitAxis(0, 6) << 4u
                                       << QVariantList{0, 2.0, 4.0, 6};
    QTest::newRow("double") << ChartXYLimitAxis(31.0, 34.5) << 8u
                            << QVariantList{31.0, 31.5, 32.0, 32.5, 33.0, 33.5, 34.0, 34.5};
    QTest::newRow("time") << ChartXYLimitAxis(QTime(8, 0), QTime(20, 0)) << 4u
                          << QVariantList{QTime(8, 0), QTime(12, 0), QTime(16, 0), QTime(20, 0)};
    QTest::newRow("date") << ChartXYLimitAxis(QDate(2020, 1, 1), QDate(2020, 1, 31)) << 4u
                          << QVariantList{QDate(2020, 1, 1), QDate(2020, 1, 11),
                                          QDate(2020, 1, 21), QDate(2020, 1, 31)};
    // Before and after 1970: the middle must lie between the ends.
    QTest::newRow("date across epoch")
        << ChartXYLimitAxis(QDate(1969, 12, 1), QDate(1970, 1, 30)) << 3u
        << QVariantList{QDate(1969, 12, 1), QDate(1969, 12, 31), QDate(1970, 1, 30)};
    const QDateTime start(QDate(2021, 3, 1), QTime(6, 0));
    QTest::newRow("date-time") << ChartXYLimitAxis(start, start.addDays(3)) << 4u
                               << QVariantList{start, start.addDays(1), start.addDays(2),
                                               start.addDays(3)};
    QTest::newRow("invalid") << ChartXYLimitAxis() << 3u
                             << QVariantList{QVariant(), QVariant(), QVariant()};
    QTest::newRow("mixed types") << ChartXYLimitAxis(0, 6.0) << 3u
                                 << QVariantList{QVariant(), QVariant(), QVariant()};
}

void TestChartXYRender::tickValues()
{
    QFETCH(ChartXYLimitAxis, axis);
    QFETCH(uint, count);
    QFETCH(QVariantList, expected);
    ChartXY view;
    const ChartXYGridTick tick(count, 4);
    for (uint i = 0; i < count; ++i) {
        QVariant value;
        QVERIFY(QMetaObject::invokeMethod(render(view), "tickValue", Qt::DirectConnection,
                                          Q_RETURN_ARG(QVariant, value),
                                          Q_ARG(ChartXYLimitAxis, axis),
                                          Q_ARG(ChartXYGridTick, tick), Q_ARG(uint, i)));
        QCOMPARE(value.typeId(), expected.at(i).typeId());
        QCOMPARE(value, expected.at(i));
    }
}

void TestChartXYRender::tickValueStrings_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole double") << QVariant(2.0) << "2";
    QTest::newRow("int") << QVariant(6) << "6";
    QTest::newRow("half") << QVariant(31.5) << "31.5";
    QTest::newRow("third") << QVariant(1.0 / 3) << "0.333333";
    QTest::newRow("large") << QVariant(1234567.0) << "1.23457e+06";
    QTest::newRow("time") << QVariant(QTime(9, 5, 7)) << "09:05:07";
    QTest::newRow("date") << QVariant(QDate(2021, 3, 4)) << "04/03/2021";
    QTest::newRow("date-time") << QVariant(QDateTime(QDate(2021, 3, 4), QTime(13, 2, 1)))
                               << "04/03/2021 13:02:01";
    QTest::newRow("invalid") << QVariant() << "";
    QTest::newRow("colour") << QVariant(QColor(Qt::red)) << "";
}

void TestChartXYRender::tickValueStrings()
{
    QFETCH(QVariant, value);
    QFETCH(QString, text);
    ChartXY view;
    QString result;
    QVERIFY(QMetaObject::invokeMethod(render(view), "tickValueToString", Qt::DirectConnection,
                                      Q_RETURN_ARG(QString, result), Q_ARG(QVariant, value)));
    QCOMPARE(result, text);
}

void TestChartXYRender::dataPositions_data()
{
    QTest::addColumn<ChartXYLimit>("limits");
    QTest::addColumn<QVariant>("x");
    QTest::addColumn<QVariant>("y");
    QTest::addColumn<QPointF>("position");
    // The plot area of a 400 x 300 viewport with the default settings.
    const ChartXYLimit ints = limit(0, 6, 0.0, 10.0);
    QTest::newRow("lower limits") << ints << QVariant(0) << QVariant(0.0) << QPointF(72, 227);
    QTest::newRow("upper limits") << ints << QVariant(6) << QVariant(10.0) << QPointF(375, 24);
    QTest::newRow("middle") << ints << QVariant(3) << QVariant(5.0) << QPointF(223.5, 125.5);
    QTest::newRow("outside") << ints << QVariant(12) << QVariant(-10.0) << QPointF(678, 430);
    QTest::newRow("flat y") << limit(0, 6, 33.0, 33.0) << QVariant(6) << QVariant(33.0)
                            << QPointF(375, 125.5);
    QTest::newRow("flat x") << limit(2, 2, 0.0, 10.0) << QVariant(2) << QVariant(10.0)
                            << QPointF(223.5, 24);
    const QTime noon(12, 0);
    QTest::newRow("times") << limit(QTime(6, 0), QTime(18, 0), 0.0, 1.0) << QVariant(noon)
                           << QVariant(1.0) << QPointF(223.5, 24);
}

void TestChartXYRender::dataPositions()
{
    QFETCH(ChartXYLimit, limits);
    QFETCH(QVariant, x);
    QFETCH(QVariant, y);
    QFETCH(QPointF, position);
    ChartXY view;
    view.setting()->scale()->setLimitView(limits);
    QRect plot(QPoint(72, 24), QPoint(375, 227));
    QPointF result;
    QVERIFY(QMetaObject::invokeMethod(render(view), "dataGridPosition", Qt::DirectConnection,
                                      Q_RETURN_ARG(QPointF, result), Q_ARG(QRect &, plot),
                                      Q_ARG(QVariant, x), Q_ARG(QVariant, y)));
    QCOMPARE(result, position);
}

void TestChartXYRender::gridAreaAndGridLines()
{
    ChartXY view;
    const QImage image = paintedViewport(view, QSize(400, 300));
    QVERIFY(!image.isNull());
    // Border outside the grid area (64, 16)-(383, 235), grid background inside it.
    for (const QPoint &p : {QPoint(0, 0), QPoint(61, 100), QPoint(384, 100), QPoint(200, 15),
                            QPoint(200, 299), QPoint(399, 299)})
        QCOMPARE(QColor(image.pixel(p)), White);
    for (const QPoint &p : {QPoint(66, 18), QPoint(381, 18), QPoint(120, 120), QPoint(381, 200)})
        QCOMPARE(QColor(image.pixel(p)), Grey);

    // Dotted lines: within a few pixels down each grid-line column some are black; the
    // columns beside them stay grey.
    const auto dotted = [&image](int x) {
        return hasDarkPixel(image, QRect(x, 120, 1, 4));
    };
    for (int x : {72, 173, 274, 375})
        QVERIFY2(dotted(x), qPrintable(QString::number(x)));
    for (int x : {71, 100, 174, 273, 275, 376})
        QVERIFY2(!dotted(x), qPrintable(QString::number(x)));
}

void TestChartXYRender::tooSmallShowsOnlyBorder_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<bool>("onlyBorder");
    // The defaults need 64 + 16 + 2 * 8 + 1 = 97 pixels across and 16 + 64 + 16 + 1 = 97 down.
    QTest::newRow("narrow") << QSize(96, 200) << true;
    QTest::newRow("wide enough") << QSize(97, 200) << false;
    QTest::newRow("low") << QSize(200, 96) << true;
    QTest::newRow("high enough") << QSize(200, 97) << false;
}

void TestChartXYRender::tooSmallShowsOnlyBorder()
{
    QFETCH(QSize, size);
    QFETCH(bool, onlyBorder);
    ChartXY view;
    view.setMinimumSize(0, 0);
    const QImage image = paintedViewport(view, size);
    QVERIFY(!image.isNull());
    QCOMPARE(allOf(image, White), onlyBorder);
}

void TestChartXYRender::seriesFollowsLimits()
{
    ChartXY view;
    QScopedPointer<QStandardItemModel> model(
        seriesModel({{0, 0.0}, {6, 10.0}, {12, 10.0}}));
    const QImage image = paintedSeries(view, model.data());
    QVERIFY(!image.isNull());
    // From (72, 227) to (375, 24), then off to the right beyond the plot area.
    QVERIFY(isRed(image.pixel(223, 125)));
    QVERIFY(isRed(image.pixel(148, 176)));
    QVERIFY(!isRed(image.pixel(223, 60)));
    // Clipped to the plot area: nothing red in the grid inset or the border.
    for (int x = 376; x < 400; ++x)
        QVERIFY2(!isRed(image.pixel(x, 24)), qPrintable(QString::number(x)));
}

void TestChartXYRender::mismatchedRowsAreSkipped_data()
{
    QTest::addColumn<QVariant>("x");
    QTest::addColumn<QVariant>("y");
    QTest::newRow("text y") << QVariant(3) << QVariant(QStringLiteral("3.0"));
    QTest::newRow("int y") << QVariant(3) << QVariant(0);
    QTest::newRow("double x") << QVariant(3.0) << QVariant(0.0);
    QTest::newRow("empty cell") << QVariant() << QVariant();
    QTest::newRow("nan y") << QVariant(3) << QVariant(qQNaN());
    QTest::newRow("infinite y") << QVariant(3) << QVariant(-qInf());
}

void TestChartXYRender::mismatchedRowsAreSkipped()
{
    QFETCH(QVariant, x);
    QFETCH(QVariant, y);
    ChartXY view;
    QScopedPointer<QStandardItemModel> model(seriesModel({{0, 0.0}, {x, y}, {6, 10.0}}));
    const QImage image = paintedSeries(view, model.data());
    QVERIFY(!image.isNull());
    // The line runs straight from the first row to the last.
    QVERIFY(isRed(image.pixel(223, 125)));
    QVERIFY(isRed(image.pixel(300, 74)));
    QVERIFY(!isRed(image.pixel(223, 226)));
}

void TestChartXYRender::flatSeriesIsMidHeight()
{
    ChartXY view;
    QList<QPair<QVariant, QVariant>> points;
    for (int month = 1; month <= 6; ++month)
        points.append({month, 33.25});
    QScopedPointer<QStandardItemModel> model(seriesModel(points));
    view.setModel(model.data());
    view.setting()->scale()->setAutoLimitView(true);
    view.setting()->scale()->setAutoRound(true);
    view.updateChart();
    QCOMPARE(view.setting()->scale()->limitView().y(), ChartXYLimitAxis(33.25, 33.25));
    const QImage image = paintedViewport(view, QSize(400, 300));
    QVERIFY(!image.isNull());
    // X 0 .. 6: months 1 and 6 lie at 122.5 and 375; the middle of Y, 125.5, is the
    // centre of pixel row 125.
    for (int x : {125, 200, 300, 372})
        QVERIFY2(isRed(image.pixel(x, 125)), qPrintable(QString::number(x)));
    for (int x : {100, 200, 300})
        QVERIFY(!isRed(image.pixel(x, 120)) && !isRed(image.pixel(x, 131)));
}

void TestChartXYRender::labelsNeedLimits()
{
    ChartXY view;
    QScopedPointer<QStandardItemModel> model(seriesModel({{0, 0.0}, {6, 10.0}}));
    view.setModel(model.data());
    // The Y labels sit in x 4 .. 52, the X labels below y 247.
    const QRect yLabels(0, 0, 52, 300);
    const QRect xLabels(64, 247, 336, 53);

    QImage image = paintedViewport(view, QSize(400, 300));
    QVERIFY(!image.isNull());
    QVERIFY(!hasDarkPixel(image, yLabels));
    QVERIFY(!hasDarkPixel(image, xLabels));
    QVERIFY(!isRed(image.pixel(223, 125)));

    view.setting()->scale()->setLimitView(limit(0, 6, 0.0, 10.0));
    image = viewportPainted(view.viewport());
    QVERIFY(hasDarkPixel(image, yLabels));
    QVERIFY(hasDarkPixel(image, xLabels));

    // Too narrow a left margin leaves no room for the Y labels; the ticks stay.
    view.setting()->border()->setLeft(15);
    image = viewportPainted(view.viewport());
    QVERIFY(!hasDarkPixel(image, QRect(0, 0, 6, 300)));
    QVERIFY(hasDarkPixel(image, QRect(7, 16, 8, 220)));
    QVERIFY(hasDarkPixel(image, xLabels));
}

// The same drawing must reach an image (or a PDF page) as reaches the screen, at the
// viewport's size or any other.
void TestChartXYRender::renderedOffScreenMatchesViewport()
{
    ChartXY view;
    auto *model = seriesModel({{0, 1.0}, {3, 9.0}, {6, 4.0}}, QColor(Red), &view);
    const QImage onScreen = paintedSeries(view, model);
    QVERIFY(!onScreen.isNull());

    QImage offScreen(onScreen.size(), QImage::Format_RGB32);
    offScreen.fill(Qt::black);
    QPainter painter(&offScreen);
    painter.setFont(view.viewport()->font());
    view.renderChart(painter, offScreen.size());
    painter.end();
    QCOMPARE(offScreen, onScreen);

    // A larger target has its grid area where the margins put it, not the viewport's.
    QImage large(800, 600, QImage::Format_RGB32);
    large.fill(Qt::black);
    painter.begin(&large);
    view.renderChart(painter, large.size());
    painter.end();
    QCOMPARE(large.pixel(799, 599), White.rgb());
    QCOMPARE(large.pixel(700, 200), Grey.rgb());
    // Plot area (72, 24)-(775, 527); the point (3, 9.0) lies at its middle, 9/10 up.
    QVERIFY(isRed(large.pixel(72 + (775 - 72) / 2, 527 - (527 - 24) * 9 / 10)));
}

QTEST_MAIN(TestChartXYRender)
#include "tst_chartxyrender.moc"
