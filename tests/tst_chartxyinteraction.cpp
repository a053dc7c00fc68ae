#include "chartxy.h"
#include "chartxydatamapping.h"
#include "chartxypointfinder.h"
#include "chartxysetting.h"
#include "modaldriver.h"
#include "pdftools.h"
#include "viewportimage.h"

#include <QtTest>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QStandardItemModel>
#include <QToolTip>

namespace {

struct Chart
{
    ChartXY view;
    QStandardItemModel model;
};

// Fills a month and a BMI column and charts them. Without limits given, they are found
// from the data and rounded, as the result dialog has them.
ChartXY &charted(Chart &chart, const QList<QVariant> &xs, const QList<QVariant> &ys,
                 const ChartXYLimit &limits = ChartXYLimit())
{
    QStandardItemModel &model = chart.model;
    model.setRowCount(int(xs.size()));
    model.setColumnCount(2);
    model.setHorizontalHeaderLabels({QStringLiteral("Month"), QStringLiteral("BMI(kg/m2")});
    for (int row = 0; row < xs.size(); ++row) {
        model.setData(model.index(row, 0), xs.at(row));
        model.setData(model.index(row, 1), ys.at(row));
    }
    model.setData(model.index(0, 1), QColor(Qt::red), Qt::DecorationRole);
    chart.view.setModel(&model);
    ChartXYScale *scale = chart.view.setting()->scale();
    scale->setLimitView(limits);
    scale->setAutoLimitView(limits == ChartXYLimit());
    scale->setAutoRound(true);
    chart.view.updateChart();
    return chart.view;
}

// The result dialog's table: months 1..6 as ints, the predicted BMI as doubles.
ChartXY &resultChart(Chart &chart)
{
    return charted(chart, {1, 2, 3, 4, 5, 6},
                   {33.17, 32.508, 31.9, 31.25, 30.6666666666667, 30.1});
}

// Limits fixed at X 0..10 and Y 0..100: with the default borders and inset, and a
// 400 x 300 viewport, the plot spans x 72..375 and y 24..227.
ChartXY &fixedChart(Chart &chart, const QList<QVariant> &xs = {0, 5, 10},
                    const QList<QVariant> &ys = {10.0, 52.25, 90.125})
{
    // Five Y ticks label 0, 25, .. 100, narrow enough for the default left margin.
    chart.view.setting()->grid()->tickY().setCount(5);
    return charted(chart, xs, ys,
                   ChartXYLimit(ChartXYLimitAxis(xs.first(), xs.last()),
                                ChartXYLimitAxis(0.0, 100.0)));
}

QPoint placeOf(double x, double y)
{
    return QPointF(72 + x / 10 * (375 - 72), 227 - y / 100 * (227 - 24)).toPoint();
}

bool shownExposed(ChartXY &view)
{
    const int frame = view.frameWidth();
    view.resize(400 + 2 * frame, 300 + 2 * frame);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

// The tip the chart shows where the mouse rests at pos; empty where it shows none.
QString toolTipAt(ChartXY &view, const QPoint &pos)
{
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }))
        return QStringLiteral("(an earlier tip stayed)");
    QHelpEvent event(QEvent::ToolTip, pos, view.viewport()->mapToGlobal(pos));
    QCoreApplication::sendEvent(view.viewport(), &event);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

// Opens the chart's context menu and picks the entry named text; false if it never showed.
bool pickFromContextMenu(ChartXY &view, const QString &text)
{
    bool picked = false;
    QTimer::singleShot(0, [&]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        for (QAction *action : menu ? menu->actions() : QList<QAction *>()) {
            if (action->text() == text) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                picked = true;
            }
        }
        if (menu && !picked)
            menu->close();
    });
    const QPoint pos(200, 150);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, view.viewport()->mapToGlobal(pos));
    QCoreApplication::sendEvent(view.viewport(), &event);
    return picked;
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
    void pointsFoundAlikeFromKeptReals();
    void copiesResultTableAndPicture();
    void copiesAnyCellTypeSafely();
    void copiesFromMenuAndKeyboard();
    void savesPngAndVectorPdf();
    void failedSaveSaysWhyAndLeavesNoFile_data();
    void failedSaveSaysWhyAndLeavesNoFile();
    void menuReportsFailedSave();
};

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
    const QString middleTip = QStringLiteral("Month: 5\nBMI(kg/m2: 52.25");
    QTest::newRow("on a point") << months << bmi << middle << middleTip;
    QTest::newRow("4 px off") << months << bmi << middle + QPoint(0, -4) << middleTip;
    QTest::newRow("on the plot's edge") << months << bmi << placeOf(10, 90) + QPoint(-3, 2)
                                        << "Month: 10\nBMI(kg/m2: 90.125";
    QTest::newRow("dates as labelled") << days << bmi << placeOf(0, 10)
                                       << "Month: 01/01/2024\nBMI(kg/m2: 10";
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
    Chart chart;
    ChartXY &view = fixedChart(chart, xs, ys);
    QVERIFY(shownExposed(view));
    // The chart draws its first point where the rows above expect it.
    const QColor ink = viewportPainted(view.viewport()).pixelColor(placeOf(0, 10));
    QVERIFY(ink.red() > 200 && ink.green() < 100);

    QCOMPARE(toolTipAt(view, pos), text);
}

void TestChartXYInteraction::toolTipPrefersModelText()
{
    Chart chart;
    ChartXY &view = fixedChart(chart);
    chart.model.setData(chart.model.index(1, 1), QStringLiteral("week 20"), Qt::ToolTipRole);
    // Only the point's own cell counts, not its X cell.
    chart.model.setData(chart.model.index(2, 0), QStringLiteral("X"), Qt::ToolTipRole);
    QVERIFY(shownExposed(view));

    QCOMPARE(toolTipAt(view, placeOf(5, 52.25)), QStringLiteral("week 20"));
    QCOMPARE(toolTipAt(view, placeOf(10, 90.125)), QStringLiteral("Month: 10\nBMI(kg/m2: 90.125"));
    QCOMPARE(view.indexAt(placeOf(5, 52.25)), QModelIndex());
}

// The tip looks through the reals the limit scan kept where it can, and must find the same
// points as reading the model: cells that cannot be drawn, a column of mixed types and
// all.
void TestChartXYInteraction::pointsFoundAlikeFromKeptReals()
{
    QStandardItemModel model(60, 3);
    QRandomGenerator random(3);
    for (int row = 0; row < model.rowCount(); ++row) {
        model.setData(model.index(row, 0), row % 17 == 5 ? QVariant() : QVariant(row));
        for (int column = 1; column < 3; ++column)
            model.setData(model.index(row, column),
                          row % 13 == 7 ? qQNaN() : random.bounded(100.0));
    }
    model.setData(model.index(30, 2), 50);
    ChartXYScale scale;
    scale.setAutoLimitView(true);
    scale.updateLimits(&model, 3, 3);
    QVERIFY(scale.scan().reals(&model, 1, QMetaType::Double));

    const QRect plot(QPoint(72, 24), QPoint(375, 227));
    const ChartXYLimit &limit = scale.limitView();
    const ChartXYDataMapping mapping(plot, limit);
    const QPointF atMin = mapping.map(limit.x().min().toDouble(), limit.y().min().toDouble());
    const QPointF atMax = mapping.map(limit.x().max().toDouble(), limit.y().max().toDouble());
    const ChartXYPointFinder fromReals(model, limit, plot, atMin, atMax, &scale.scan());
    const ChartXYPointFinder fromModel(model, limit, plot, atMin, atMax);
    int found = 0;
    for (int y = plot.top() - 6; y <= plot.bottom() + 6; y += 2) {
        for (int x = plot.left() - 6; x <= plot.right() + 6; x += 2) {
            const QModelIndex cell = fromModel.nearest(QPointF(x, y), 5);
            QCOMPARE(fromReals.nearest(QPointF(x, y), 5), cell);
            found += cell.isValid();
        }
    }
    QVERIFY(found > 100);
}

void TestChartXYInteraction::copiesResultTableAndPicture()
{
    Chart chart;
    ChartXY &view = resultChart(chart);
    view.resize(400, 300);
    QGuiApplication::clipboard()->clear();

    view.copyToClipboard();
    QCOMPARE(clipboardLines(),
             QStringList({"Month\tBMI(kg/m2", "1\t33.17", "2\t32.508", "3\t31.9", "4\t31.25",
                          "5\t30.6666666666667", "6\t30.1", ""}));
    const QImage image = QGuiApplication::clipboard()->image();
    QCOMPARE(image.deviceIndependentSize().toSize(), view.viewport()->size());
    // The white border at a corner and the grey grid area in the middle: the chart itself.
    QCOMPARE(image.pixelColor(2, 2), QColor(Qt::white));
    QCOMPARE(image.pixelColor(image.width() / 2, image.height() / 2).red(), 0xc0);
}

// Whatever a cell holds, each row stays one line with one field per column, and numbers
// read back exactly whatever the user's locale.
void TestChartXYInteraction::copiesAnyCellTypeSafely()
{
    const QVariant cells[] = {
        0.1 + 0.2, 1234567.5, QVariant(), QDate(2024, 2, 29), QTime(7, 5, 3, 20),
        QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59)), QStringLiteral("a\tb\nc\r"), QDate(),
    };
    QStandardItemModel model(1, 8);
    for (int column = 0; column < 8; ++column)
        model.setData(model.index(0, column), cells[column]);
    model.setHeaderData(0, Qt::Horizontal, QStringLiteral("X\tvalue"));
    ChartXY view;
    view.setModel(&model);
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    view.copyToClipboard();
    QLocale::setDefault(previous);

    QCOMPARE(clipboardLines(), QStringList({"X value\t2\t3\t4\t5\t6\t7\t8",
                                            "0.30000000000000004\t1234567.5\t\t2024-02-29\t"
                                            "07:05:03.020\t1969-12-31 23:59:59\ta b c \t",
                                            ""}));
}

void TestChartXYInteraction::copiesFromMenuAndKeyboard()
{
    Chart chart;
    ChartXY &view = resultChart(chart);
    QVERIFY(shownExposed(view));
    QGuiApplication::clipboard()->clear();
    QVERIFY(pickFromContextMenu(view, QStringLiteral("Copy")));
    QCOMPARE(clipboardLines().value(3), QStringLiteral("3\t31.9"));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());
    // The right button itself still leaves the cursor alone.
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, QPoint(200, 150));
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, QPoint(200, 150));

    // Ctrl+C is the focused chart's, even where the window has a Copy of its own.
    QAction windowCopy(QStringLiteral("Copy"));
    windowCopy.setShortcut(QKeySequence::Copy);
    view.addAction(&windowCopy);
    QSignalSpy windowCopies(&windowCopy, &QAction::triggered);
    QGuiApplication::clipboard()->clear();
    view.activateWindow();
    view.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(windowCopies.count(), 0);
    QCOMPARE(clipboardLines().size(), 8);
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());
    // As sharp as the screen shows it: one image pixel per device pixel.
    const QImage copied = QGuiApplication::clipboard()->image();
    QCOMPARE(copied.size(), view.viewport()->size() * view.devicePixelRatio());
}

// The PNG is the picture on screen. The PDF's labels are text, so the chart is drawn as
// vectors, on one page.
void TestChartXYInteraction::savesPngAndVectorPdf()
{
    Chart chart;
    ChartXY &view = fixedChart(chart);
    QVERIFY(shownExposed(view));
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("chart.PNG"));
    const QString pdf = dir.filePath(QStringLiteral("chart.pdf"));

    QString error = QStringLiteral("untouched");
    QVERIFY(view.saveImage(png, &error) && view.saveImage(pdf, &error));
    QCOMPARE(error, QStringLiteral("untouched"));
    // At the screen's ratio: the PNG holds the device pixels the screen shows.
    QImage saved(png, "png");
    const QImage shown = view.viewport()->grab().toImage().convertToFormat(saved.format());
    saved.setDevicePixelRatio(shown.devicePixelRatio());
    QCOMPARE(saved, shown);

    QCOMPARE(pageCount(pdf), 1);
    const QStringList words = pdfText(pdf).split(QLatin1Char(' '));
    for (const char *label : {"0", "3.33333", "6.66667", "10", "25", "50", "75", "100"})
        QVERIFY2(words.contains(QLatin1String(label)), label);
}

void TestChartXYInteraction::failedSaveSaysWhyAndLeavesNoFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QString>("reason");
    const QSize size(300, 200);
    QTest::newRow("png, no such folder") << "missing/chart.png" << size << "No such file";
    QTest::newRow("pdf, no such folder") << "missing/chart.pdf" << size << "No such file";
    QTest::newRow("other format") << "chart.jpg" << size << ".png or .pdf";
    QTest::newRow("collapsed view") << "chart.pdf" << QSize(0, 0) << "no room";
}

void TestChartXYInteraction::failedSaveSaysWhyAndLeavesNoFile()
{
    QFETCH(QString, name);
    QFETCH(QSize, size);
    QFETCH(QString, reason);
    ChartXY view;
    // As a layout squeezing the view to its frame would leave it.
    view.viewport()->resize(size);
    QTemporaryDir dir;

    QString error;
    QVERIFY(!view.saveImage(dir.filePath(name), &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

// Through the menu and the file dialog, a failure names the file and the reason.
void TestChartXYInteraction::menuReportsFailedSave()
{
    Chart chart;
    ChartXY &view = resultChart(chart);
    QVERIFY(shownExposed(view));
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("chart.gif"));
    QString message;
    bool asked = false;
    bool told = false;
    onNextModal([&](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        // The dialog leaves alone a name the user is typing: take the focus away first.
        if (QWidget *focus = modal->focusWidget())
            focus->clearFocus();
        if (dialog)
            dialog->selectFile(fileName);
        onNextModal([&](QWidget *box) {
            if (auto *messageBox = qobject_cast<QMessageBox *>(box))
                message = messageBox->text();
            box->close();
        }, &told);
        static_cast<QDialog *>(modal)->accept();
    }, &asked);

    QVERIFY(pickFromContextMenu(view, QStringLiteral("Save Image…")));
    QVERIFY(asked && told);
    QVERIFY2(message.contains(QDir::toNativeSeparators(fileName)), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral(".png or .pdf")), qPrintable(message));
    QVERIFY(!QFileInfo::exists(fileName));
}

QTEST_MAIN(TestChartXYInteraction)
#include "tst_chartxyinteraction.moc"
