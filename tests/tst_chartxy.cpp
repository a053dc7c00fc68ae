#include "chartxy.h"
#include "chartxyrender.h"
#include "chartxysetting.h"
#include "viewportimage.h"

#include <QtTest>
#include <QStandardItemModel>

#include <cmath>
#include <limits>

namespace {

// Counts the paint events a widget receives.
class PaintCounter : public QObject
{
public:
    explicit PaintCounter(QWidget *widget) { widget->installEventFilter(this); }
    int count = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++count;
        return false;
    }
};

// Months 1..3 as ints, BMI values as doubles.
void fill(QStandardItemModel &model)
{
    const double values[] = {30.5, 31.0, 32.5};
    model.setColumnCount(2);
    for (int row = 0; row < 3; ++row)
        model.appendRow({new QStandardItem, new QStandardItem});
    for (int row = 0; row < 3; ++row) {
        model.setData(model.index(row, 0), row + 1);
        model.setData(model.index(row, 1), values[row]);
    }
}

// Fills model and charts it, the view limits found from the data.
void chartFilled(ChartXY &view, QStandardItemModel &model)
{
    fill(model);
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.updateChart();
}

// Shows the view at 300 x 200; false if it never got on screen.
bool shownExposed(ChartXY &view)
{
    view.resize(300, 200);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

ChartXYLimitAxis viewX(ChartXY &view)
{
    return view.setting()->scale()->limitView().x();
}

ChartXYLimitAxis viewY(ChartXY &view)
{
    return view.setting()->scale()->limitView().y();
}

} // namespace

class TestChartXY : public QObject
{
    Q_OBJECT

private slots:
    void onlyUpdateChartIsASlot();
    void updateChartWithoutModel();
    void changedCellRecomputesLimits();
    void insertedRowsMoveLimits();
    void editsGiveFullScanLimits();
    void overflowingRangeStillDrawn();
    void cursorFollowsLeftButton();
    void nothingIsSelectable();
};

void TestChartXY::onlyUpdateChartIsASlot()
{
    const QMetaObject &mo = ChartXY::staticMetaObject;
    QCOMPARE(mo.className(), "ChartXY");
    QCOMPARE(mo.methodCount() - mo.methodOffset(), 1);
    QCOMPARE(mo.method(mo.methodOffset()).methodSignature(), QByteArray("updateChart()"));
    QCOMPARE(mo.method(mo.methodOffset()).access(), QMetaMethod::Public);
}

void TestChartXY::updateChartWithoutModel()
{
    ChartXY view;
    view.setting()->scale()->setAutoLimitView(true);
    QVERIFY(shownExposed(view));
    PaintCounter paints(view.viewport());
    view.updateChart();
    QTRY_VERIFY(paints.count > 0);
    QCOMPARE(view.setting()->scale()->limitView(), ChartXYLimit());
}

void TestChartXY::changedCellRecomputesLimits()
{
    ChartXY view;
    QStandardItemModel model;
    chartFilled(view, model);
    QCOMPARE(viewY(view), ChartXYLimitAxis(30.5, 32.5));
    QVERIFY(shownExposed(view));

    PaintCounter paints(view.viewport());
    model.setData(model.index(1, 1), 40.25);
    QCOMPARE(viewY(view), ChartXYLimitAxis(30.5, 40.25));
    QTRY_VERIFY(paints.count > 0);
    model.setData(model.index(2, 0), 9);
    QCOMPARE(viewX(view), ChartXYLimitAxis(1, 9));
}

// With automatic limits on, rows that come or go move the limits without a call.
void TestChartXY::insertedRowsMoveLimits()
{
    ChartXY view;
    QStandardItemModel model;
    chartFilled(view, model);

    // Built apart and then appended, so no cell of the model changes.
    auto *month = new QStandardItem;
    month->setData(10, Qt::EditRole);
    auto *bmi = new QStandardItem;
    bmi->setData(20.0, Qt::EditRole);
    model.appendRow({month, bmi});
    model.removeRow(0);
    // One update for both changes, once control returns to the event loop.
    QCOMPARE(viewX(view), ChartXYLimitAxis(1, 3));
    QTRY_COMPARE(viewX(view), ChartXYLimitAxis(2, 10));
    QCOMPARE(viewY(view), ChartXYLimitAxis(20.0, 32.5));
}

// Every edit, whether it moves an extreme, takes one away, or brings a value that cannot be
// drawn, leaves the view with the limits a full scan of the model gives.
void TestChartXY::editsGiveFullScanLimits()
{
    QStandardItemModel model(200, 3);
    for (int row = 0; row < 200; ++row) {
        model.setData(model.index(row, 0), row + 1);
        model.setData(model.index(row, 1), 30.0 + std::sin(row / 9.0));
        model.setData(model.index(row, 2), 28.0 + std::cos(row / 7.0));
    }
    ChartXY view;
    view.setModel(&model);
    ChartXYScale *scale = view.setting()->scale();
    scale->setAutoLimitView(true);
    scale->setAutoRound(true);
    view.updateChart();

    ChartXYScale reference;
    reference.setAutoLimitView(true);
    reference.setAutoRound(true);
    reference.updateLimits(&model, 3, 3);
    QCOMPARE(scale->limitView(), reference.limitView());

    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        int row;
        int column;
        QVariant value;
    } edits[] = {
        {100, 1, 30.5},   // inside the range
        {100, 2, 45.0},   // a new maximum
        {100, 2, 29.0},   // ... which leaves again
        {0, 1, nan},      // the first row cannot be drawn
        {50, 2, inf},
        {70, 1, -inf},
        {199, 0, 1000},   // a new X maximum
        {199, 0, QVariant()},
        {0, 0, 0},        // a new X minimum in the first row
        {3, 2, 12.25},
    };
    for (const auto &edit : edits) {
        model.setData(model.index(edit.row, edit.column), edit.value);
        reference.updateLimits(&model, 3, 3);
        QCOMPARE(scale->limitView(), reference.limitView());
        const ChartXYLimit &limit = scale->limitView();
        for (const QVariant &value : {limit.x().min(), limit.x().max(), limit.y().min(), limit.y().max()})
            QVERIFY(std::isfinite(value.toDouble()));
    }
    QCOMPARE(viewY(view), ChartXYLimitAxis(8.0, 32.0));

    // Changed unheard, then reported without naming a cell: everything is read again.
    model.blockSignals(true);
    model.setData(model.index(150, 2), 60.0);
    model.blockSignals(false);
    emit model.dataChanged(QModelIndex(), QModelIndex());
    reference.updateLimits(&model, 3, 3);
    QCOMPARE(scale->limitView(), reference.limitView());
    QVERIFY(viewY(view).max().toDouble() >= 60.0);
}

// From -1e308 to 1e308 the Y range overflows a double and stays unrounded, yet the series
// is drawn across the plot: its middle point at the middle of the plot, its ends at its
// bottom and top edges.
void TestChartXY::overflowingRangeStillDrawn()
{
    QStandardItemModel model(3, 2);
    const double values[] = {-1e308, 0.0, 1e308};
    for (int row = 0; row < 3; ++row) {
        model.setData(model.index(row, 0), row + 1);
        model.setData(model.index(row, 1), values[row]);
    }
    model.setData(model.index(0, 1), QColor(Qt::red), Qt::DecorationRole);
    ChartXY view;
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.setting()->scale()->setAutoRound(true);
    view.updateChart();
    QCOMPARE(viewY(view), ChartXYLimitAxis(-1e308, 1e308));

    // Rounded to tenths, 0.8 .. 3.2, the X limits go back to their int type as 1 .. 3.
    QCOMPARE(viewX(view), ChartXYLimitAxis(1, 3));

    // 400 x 300: plot area (72, 24)-(375, 227), its left edge moved right by as much as
    // the labels (-1e+308) need beyond the default margin.
    const QImage image = viewportImage(view, QSize(400, 300));
    QVERIFY(!image.isNull());
    const QRect plot = view.findChild<ChartXYRender *>()->plotArea(QSize(400, 300));
    QCOMPARE(plot.right(), 375);
    const int left = plot.left();
    const qreal w = 375 - left;
    const auto isRed = [&](double x, double y) {
        const QColor c = image.pixelColor(qRound(x), qRound(y));
        return c.red() > 200 && c.green() < 100 && c.blue() < 100;
    };
    // The middle point, and half way from it to each end, on the line.
    QVERIFY(isRed(left + w / 2.0, 125));
    QVERIFY(isRed(left + w / 4.0, 227 - 203 / 4.0));
    QVERIFY(isRed(left + w * 3 / 4.0, 24 + 203 / 4.0));

    // The inner Y tick labels are finite too: a third of the way up is -1e308 / 3.
    auto *render = view.findChild<ChartXYRender *>();
    QVERIFY(render);
    QVariant tick;
    QVERIFY(QMetaObject::invokeMethod(render, "tickValue", Q_RETURN_ARG(QVariant, tick),
                                      Q_ARG(ChartXYLimitAxis, viewY(view)),
                                      Q_ARG(ChartXYGridTick, ChartXYGridTick(4, 4)),
                                      Q_ARG(uint, 1)));
    QVERIFY(qAbs(tick.toDouble() / (-1e308 / 3) - 1) < 1e-12);
}

void TestChartXY::cursorFollowsLeftButton()
{
    ChartXY view;
    QVERIFY(shownExposed(view));
    QWidget *viewport = view.viewport();
    const QPoint at(150, 100);

    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QCOMPARE(view.cursor().shape(), Qt::CrossCursor);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);

    QTest::mousePress(viewport, Qt::LeftButton, {}, at);
    QTest::mousePress(viewport, Qt::RightButton, {}, at);
    QCOMPARE(view.cursor().shape(), Qt::CrossCursor);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, at);
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, at);
}

void TestChartXY::nothingIsSelectable()
{
    ChartXY view;
    QStandardItemModel model;
    fill(model);
    view.setModel(&model);
    QVERIFY(shownExposed(view));
    view.setFocus();

    QWidget *viewport = view.viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(100, 100));
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, QPoint(200, 150));
    QTest::mouseDClick(viewport, Qt::LeftButton, {}, QPoint(120, 80));
    QTest::mousePress(viewport, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseMove(viewport, QPoint(290, 190));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, QPoint(290, 190));
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_Right, Qt::Key_End, Qt::Key_Space, Qt::Key_Home})
        QTest::keyClick(&view, key, Qt::ShiftModifier);
    QTest::keyClick(&view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(&view, Qt::Key_Space, Qt::ControlModifier);

    QVERIFY(!view.selectionModel()->hasSelection());
    QVERIFY(view.selectionModel()->selectedIndexes().isEmpty());
}

QTEST_MAIN(TestChartXY)
#include "tst_chartxy.moc"
