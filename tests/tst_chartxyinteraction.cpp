#include "chartxy.h"
#include "chartxysetting.h"

#include <QtTest>
#include <QClipboard>
#include <QMimeData>
#include <QStandardItemModel>
#include <QToolTip>

namespace {

// The result dialog's table: months 1..6 as ints, the predicted BMI as doubles.
const double Bmi[] = {33.17, 32.508, 31.9, 31.25, 30.6666666666667, 30.1};

void fillResultTable(QStandardItemModel &model)
{
    model.setRowCount(6);
    model.setColumnCount(2);
    model.setHeaderData(0, Qt::Horizontal, QStringLiteral("Month"));
    model.setHeaderData(1, Qt::Horizontal, QStringLiteral("BMI(kg/m2"));
    for (int row = 0; row < 6; ++row) {
        model.setData(model.index(row, 0), row + 1);
        model.setData(model.index(row, 1), Bmi[row]);
        model.setData(model.index(row, 1), QColor(Qt::red), Qt::DecorationRole);
    }
}

// Charts the model as the result dialog does, at 400 x 300.
void chartResultTable(ChartXY &view, QStandardItemModel &model)
{
    fillResultTable(model);
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.setting()->scale()->setAutoRound(true);
    view.updateChart();
    view.resize(400, 300);
}

// Shows the view with a viewport of 400 x 300.
bool shownExposed(ChartXY &view)
{
    const int frame = view.frameWidth();
    view.resize(400 + 2 * frame, 300 + 2 * frame);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

// A chart of month and BMI columns with the limits fixed at X 0..10 and Y 0..100, so
// that with the default borders and inset the plot spans x 72..375 and y 24..227.
void chartFixed(ChartXY &view, QStandardItemModel &model, const QList<QVariant> &xs,
                const QList<QVariant> &ys)
{
    model.setRowCount(int(xs.size()));
    model.setColumnCount(2);
    model.setHorizontalHeaderLabels({QStringLiteral("Month"), QStringLiteral("BMI")});
    for (int row = 0; row < xs.size(); ++row) {
        model.setData(model.index(row, 0), xs.at(row));
        model.setData(model.index(row, 1), ys.at(row));
    }
    model.setData(model.index(0, 1), QColor(Qt::red), Qt::DecorationRole);
    view.setModel(&model);
    view.setting()->scale()->setLimitView(
        ChartXYLimit(ChartXYLimitAxis(xs.first(), xs.last()), ChartXYLimitAxis(0.0, 100.0)));
}

// Where a point of chartFixed lies in the viewport.
QPoint placeOf(double x, double y)
{
    return QPointF(72 + x / 10 * (375 - 72), 227 - y / 100 * (227 - 24)).toPoint();
}

// The tooltip the chart shows when the mouse rests at pos; empty where it shows none.
QString toolTipAt(ChartXY &view, const QPoint &pos)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(an earlier tip stayed)");
    QWidget *viewport = view.viewport();
    QHelpEvent event(QEvent::ToolTip, pos, viewport->mapToGlobal(pos));
    QCoreApplication::sendEvent(viewport, &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

bool inkAt(ChartXY &view, const QPoint &pos)
{
    const QColor colour = view.viewport()->grab().toImage().pixelColor(pos);
    return colour.red() > 200 && colour.green() < 100;
}

QStringList clipboardLines()
{
    return QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
}

} // namespace

class TestChartXYInteraction : public QObject
{
    Q_OBJECT

private slots:
    void toolTipNamesNearestPoint_data();
    void toolTipNamesNearestPoint();
    void toolTipPrefersModelText();
    void copiesResultTableAndPicture();
    void copiesAnyCellTypeSafely();
    void copiesNothingButHeadersWithoutRows();
};

void TestChartXYInteraction::copiesResultTableAndPicture()
{
    ChartXY view;
    QStandardItemModel model;
    chartResultTable(view, model);
    QGuiApplication::clipboard()->clear();

    view.copyToClipboard();
    QCOMPARE(clipboardLines(), QStringList({QStringLiteral("Month\tBMI(kg/m2"),
                                            QStringLiteral("1\t33.17"),
                                            QStringLiteral("2\t32.508"),
                                            QStringLiteral("3\t31.9"),
                                            QStringLiteral("4\t31.25"),
                                            QStringLiteral("5\t30.6666666666667"),
                                            QStringLiteral("6\t30.1"),
                                            QString()}));

    const QMimeData *data = QGuiApplication::clipboard()->mimeData();
    QVERIFY(data->hasImage());
    const QImage image = qvariant_cast<QImage>(data->imageData());
    QCOMPARE(image.deviceIndependentSize().toSize(), view.viewport()->size());
    // The white border at a corner and the grey grid area in the middle: the chart itself.
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2).red(), 0xc0);
}

void TestChartXYInteraction::toolTipNamesNearestPoint_data()
{
    QTest::addColumn<QList<QVariant>>("xs");
    QTest::addColumn<QList<QVariant>>("ys");
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<QString>("text");

    const QList<QVariant> months = {0, 5, 10};
    const QList<QVariant> days = {QDate(2024, 1, 1), QDate(2024, 1, 6), QDate(2024, 1, 11)};
    const QList<QVariant> bmi = {10.0, 52.25, 90.125};
    const QPoint middle = placeOf(5, 52.25);
    QTest::newRow("on a point") << months << bmi << middle << "Month: 5\nBMI: 52.25";
    QTest::newRow("4 px off") << months << bmi << middle + QPoint(0, -4)
                              << "Month: 5\nBMI: 52.25";
    QTest::newRow("on the plot's edge") << months << bmi << placeOf(10, 90) + QPoint(-3, 2)
                                        << "Month: 10\nBMI: 90.125";
    QTest::newRow("dates as labelled") << days << bmi << placeOf(0, 10)
                                       << "Month: 01/01/2024\nBMI: 10";
    QTest::newRow("8 px off") << months << bmi << middle + QPoint(0, -8) << QString();
    // On the drawn line, but halfway between two points.
    QTest::newRow("between points") << months << bmi << placeOf(2.5, 31.125) << QString();
    QTest::newRow("outside the plot") << months << bmi << QPoint(20, 20) << QString();
    // Above the Y limit, so clipped away and not drawn.
    QTest::newRow("clipped") << months << QList<QVariant>{10.0, 52.25, 102.0}
                             << placeOf(10, 102) << QString();
    QTest::newRow("cell of another type") << months << QList<QVariant>{10.0, 52, 90.125}
                                          << middle << QString();
}

// The tip shows the values of a point under the mouse, formatted as the axes label them,
// and nothing where no point is drawn near.
void TestChartXYInteraction::toolTipNamesNearestPoint()
{
    QFETCH(QList<QVariant>, xs);
    QFETCH(QList<QVariant>, ys);
    QFETCH(QPoint, pos);
    QFETCH(QString, text);
    ChartXY view;
    QStandardItemModel model;
    chartFixed(view, model, xs, ys);
    QVERIFY(shownExposed(view));
    // The places probed are where the chart draws its points.
    QVERIFY(inkAt(view, placeOf(0, 10)));

    QCOMPARE(toolTipAt(view, pos), text);
}

void TestChartXYInteraction::toolTipPrefersModelText()
{
    ChartXY view;
    QStandardItemModel model;
    chartFixed(view, model, {0, 5, 10}, {10.0, 52.25, 90.125});
    model.setData(model.index(1, 1), QStringLiteral("week 20: 52.25"), Qt::ToolTipRole);
    // Only the cell itself counts: the X cell's tip is not the point's.
    model.setData(model.index(2, 0), QStringLiteral("ignored"), Qt::ToolTipRole);
    QVERIFY(shownExposed(view));

    QCOMPARE(toolTipAt(view, placeOf(5, 52.25)), QStringLiteral("week 20: 52.25"));
    QCOMPARE(toolTipAt(view, placeOf(10, 90.125)), QStringLiteral("Month: 10\nBMI: 90.125"));
    QCOMPARE(view.indexAt(placeOf(5, 52.25)), QModelIndex());
}

// Whatever a cell holds, each row stays one line with one field per column, numbers
// read back exactly and independently of the user's locale.
void TestChartXYInteraction::copiesAnyCellTypeSafely()
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    QStandardItemModel model(1, 8);
    const QVariant cells[] = {
        QVariant(0.1 + 0.2),
        QVariant(1234567.5),
        QVariant(),
        QVariant(QDate(2024, 2, 29)),
        QVariant(QTime(7, 5, 3, 20)),
        QVariant(QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59))),
        QVariant(QStringLiteral("a\tb\nc\r")),
        QVariant(QDate()),
    };
    for (int column = 0; column < 8; ++column)
        model.setData(model.index(0, column), cells[column]);
    model.setHeaderData(0, Qt::Horizontal, QStringLiteral("X\tvalue"));
    ChartXY view;
    view.setModel(&model);

    view.copyToClipboard();
    QLocale::setDefault(previous);
    QCOMPARE(clipboardLines(),
             QStringList({QStringLiteral("X value\t2\t3\t4\t5\t6\t7\t8"),
                          QStringLiteral("0.30000000000000004\t1234567.5\t\t2024-02-29\t"
                                         "07:05:03.020\t1969-12-31 23:59:59\ta b c \t"),
                          QString()}));
}

void TestChartXYInteraction::copiesNothingButHeadersWithoutRows()
{
    ChartXY view;
    view.copyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());

    QStandardItemModel model(0, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Month"), QStringLiteral("BMI")});
    view.setModel(&model);
    view.copyToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("Month\tBMI\n"));
}

QTEST_MAIN(TestChartXYInteraction)
#include "tst_chartxyinteraction.moc"
