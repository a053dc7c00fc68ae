#include "chartxy.h"
#include "chartxysetting.h"
#include "modaldriver.h"

#include <QtTest>
#include <QClipboard>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
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

// A view with a model of its own.
struct Chart
{
    ChartXY view;
    QStandardItemModel model;
};

// Charts the table as the result dialog does, at 400 x 300; gives the view.
ChartXY &chartResultTable(Chart &chart)
{
    ChartXY &view = chart.view;
    QStandardItemModel &model = chart.model;
    fillResultTable(model);
    view.setModel(&model);
    view.setting()->scale()->setAutoLimitView(true);
    view.setting()->scale()->setAutoRound(true);
    view.updateChart();
    view.resize(400, 300);
    return view;
}

// Shows the view with a viewport of 400 x 300.
bool shownExposed(ChartXY &view)
{
    const int frame = view.frameWidth();
    view.resize(400 + 2 * frame, 300 + 2 * frame);
    view.show();
    return QTest::qWaitForWindowExposed(&view);
}

const QList<QVariant> Months = {0, 5, 10};
const QList<QVariant> Bmis = {10.0, 52.25, 90.125};

// A chart of month and BMI columns with the limits fixed at X 0..10 and Y 0..100, so
// that with the default borders and inset the plot spans x 72..375 and y 24..227.
// Gives the view.
ChartXY &chartFixed(Chart &chart, const QList<QVariant> &xs = Months,
                const QList<QVariant> &ys = Bmis)
{
    ChartXY &view = chart.view;
    QStandardItemModel &model = chart.model;
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
    return view;
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

// Output of a poppler tool run on file; these tools must be installed for the tests.
QString popplerOutput(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("(%1 failed: %2)").arg(tool, process.errorString());
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Opens the chart's context menu at pos and picks the entry named text once it shows.
// False when no such menu entry appeared.
bool pickFromContextMenu(ChartXY &view, const QPoint &pos, const QString &text)
{
    bool picked = false;
    QTimer::singleShot(0, [&]() {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction *action : menu->actions()) {
            if (action->text() == text) {
                menu->setActiveAction(action);
                QTest::keyClick(menu, Qt::Key_Return);
                picked = true;
                return;
            }
        }
        menu->close();
    });
    QWidget *viewport = view.viewport();
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QCoreApplication::sendEvent(viewport, &event);
    return picked;
}

// Names the file in the next file dialog and accepts it, then runs next (if given).
void answerFileDialog(const QString &fileName, bool *seen,
                      const std::function<void()> &next = nullptr)
{
    onNextModal([fileName, next](QWidget *modal) {
        auto *dialog = qobject_cast<QFileDialog *>(modal);
        if (!dialog) {
            modal->close();
            return;
        }
        // The dialog leaves a name the user is typing alone: take the focus away first.
        if (QWidget *focus = dialog->focusWidget())
            focus->clearFocus();
        dialog->selectFile(fileName);
        // Through QDialog, where accept() is public; the file dialog's own one runs.
        if (next)
            next();
        static_cast<QDialog *>(dialog)->accept();
    }, seen);
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
    void savesPngAndVectorPdf();
    void failedSaveSaysWhyAndLeavesNoFile_data();
    void failedSaveSaysWhyAndLeavesNoFile();
    void copiesFromMenuAndKeyboard();
    void contextMenuSavesOrSaysWhyNot();
    void copiesResultTableAndPicture();
    void copiesAnyCellTypeSafely();
    void copiesNothingButHeadersWithoutRows();
};

void TestChartXYInteraction::copiesResultTableAndPicture()
{
    Chart chart;
    ChartXY &view = chartResultTable(chart);
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

    const QList<QVariant> &months = Months;
    const QList<QVariant> &bmi = Bmis;
    const QList<QVariant> days = {QDate(2024, 1, 1), QDate(2024, 1, 6), QDate(2024, 1, 11)};
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
    Chart chart;
    ChartXY &view = chartFixed(chart, xs, ys);
    QVERIFY(shownExposed(view));
    // The places probed are where the chart draws its points.
    QVERIFY(inkAt(view, placeOf(0, 10)));

    QCOMPARE(toolTipAt(view, pos), text);
}

void TestChartXYInteraction::toolTipPrefersModelText()
{
    Chart chart;
    ChartXY &view = chartFixed(chart);
    QStandardItemModel &model = chart.model;
    model.setData(model.index(1, 1), QStringLiteral("week 20: 52.25"), Qt::ToolTipRole);
    // Only the cell itself counts: the X cell's tip is not the point's.
    model.setData(model.index(2, 0), QStringLiteral("ignored"), Qt::ToolTipRole);
    QVERIFY(shownExposed(view));

    QCOMPARE(toolTipAt(view, placeOf(5, 52.25)), QStringLiteral("week 20: 52.25"));
    QCOMPARE(toolTipAt(view, placeOf(10, 90.125)), QStringLiteral("Month: 10\nBMI: 90.125"));
    QCOMPARE(view.indexAt(placeOf(5, 52.25)), QModelIndex());
}

// The PNG is the picture on screen. The PDF's numbers are text, so the chart is drawn as
// vectors, on one page of its size.
void TestChartXYInteraction::savesPngAndVectorPdf()
{
    Chart chart;
    ChartXY &view = chartFixed(chart);
    QVERIFY(shownExposed(view));
    QTemporaryDir dir;
    const QString pngName = dir.filePath(QStringLiteral("chart.PNG"));
    const QString fileName = dir.filePath(QStringLiteral("chart.pdf"));

    QString error = QStringLiteral("untouched");
    QVERIFY(view.saveImage(pngName, &error));
    QCOMPARE(error, QStringLiteral("untouched"));
    const QImage saved(pngName, "png");
    QCOMPARE(saved.size(), QSize(400, 300));
    QCOMPARE(saved, view.viewport()->grab().toImage().convertToFormat(saved.format()));

    QVERIFY(view.saveImage(fileName));
    const QStringList words = popplerOutput(QStringLiteral("pdftotext"), {fileName, "-"})
                                  .split(QRegularExpression(QStringLiteral("\\s+")),
                                         Qt::SkipEmptyParts);
    for (const char *label : {"0", "3.33333", "6.66667", "10", "33.3333", "66.6667", "100"})
        QVERIFY2(words.contains(QLatin1String(label)), label);
    const QString info = popplerOutput(QStringLiteral("pdfinfo"), {fileName});
    QVERIFY2(info.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))), qPrintable(info));
    const qreal points = 72.0 / view.logicalDpiX();
    const QRegularExpression pageSize(QStringLiteral("Page size:\\s+%1 x %2 pts")
                                          .arg(400 * points)
                                          .arg(300 * points));
    QVERIFY2(info.contains(pageSize), qPrintable(info));
    const QStringList images = popplerOutput(QStringLiteral("pdfimages"), {"-list", fileName})
                                   .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QCOMPARE(images.size(), 2); // the table's two header lines, no image
}

void TestChartXYInteraction::failedSaveSaysWhyAndLeavesNoFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason");
    QTest::addColumn<QSize>("size");
    const QSize shown(300, 200);
    QTest::newRow("png, no such folder") << "missing/chart.png" << "No such file" << shown;
    QTest::newRow("pdf, no such folder") << "missing/chart.pdf" << "No such file" << shown;
    QTest::newRow("other format") << "chart.jpg" << ".png or .pdf" << shown;
    QTest::newRow("no suffix") << "chart" << ".png or .pdf" << shown;
    QTest::newRow("png, collapsed") << "chart.png" << "no room" << QSize(0, 0);
    QTest::newRow("pdf, collapsed") << "chart.pdf" << "no room" << QSize(0, 0);
}

void TestChartXYInteraction::failedSaveSaysWhyAndLeavesNoFile()
{
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QFETCH(QSize, size);
    ChartXY view;
    // As a layout squeezing the view to its frame would leave it.
    view.viewport()->resize(size);
    QTemporaryDir dir;
    const QString fileName = dir.filePath(name);

    QString error;
    QVERIFY(!view.saveImage(fileName, &error));
    QVERIFY2(error.contains(reason), qPrintable(error));
    QVERIFY(!QFileInfo::exists(fileName));
    QCOMPARE(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries), QStringList());
}

// The menu's Copy and Ctrl+C put the same on the clipboard.
void TestChartXYInteraction::copiesFromMenuAndKeyboard()
{
    Chart chart;
    ChartXY &view = chartResultTable(chart);
    QVERIFY(shownExposed(view));
    QGuiApplication::clipboard()->clear();

    QVERIFY(pickFromContextMenu(view, QPoint(200, 150), QStringLiteral("Copy")));
    QCOMPARE(clipboardLines().value(3), QStringLiteral("3\t31.9"));
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());
    // The right button itself still leaves the cursor alone.
    QTest::mousePress(view.viewport(), Qt::RightButton, {}, QPoint(200, 150));
    QCOMPARE(view.cursor().shape(), Qt::ArrowCursor);
    QTest::mouseRelease(view.viewport(), Qt::RightButton, {}, QPoint(200, 150));

    // Ctrl+C is the chart's while it has the focus, even where the window has a Copy too.
    QAction windowCopy(QStringLiteral("Copy"));
    windowCopy.setShortcut(QKeySequence::Copy);
    view.addAction(&windowCopy);
    windowCopy.setShortcutContext(Qt::WindowShortcut);
    QSignalSpy windowCopies(&windowCopy, &QAction::triggered);
    QGuiApplication::clipboard()->clear();
    view.activateWindow();
    view.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    QTest::keyClick(&view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(windowCopies.count(), 0);
    QCOMPARE(clipboardLines().value(0), QStringLiteral("Month\tBMI(kg/m2"));
    QCOMPARE(clipboardLines().size(), 8);
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasImage());
}

// A name without a suffix gets the chosen format's; a failure names the file and the
// reason, and leaves no file.
void TestChartXYInteraction::contextMenuSavesOrSaysWhyNot()
{
    Chart chart;
    ChartXY &view = chartResultTable(chart);
    QVERIFY(shownExposed(view));
    QTemporaryDir dir;
    const QString fileName = dir.filePath(QStringLiteral("course"));

    bool asked = false;
    answerFileDialog(fileName, &asked);
    QVERIFY(pickFromContextMenu(view, QPoint(200, 150), QStringLiteral("Save Image…")));
    QVERIFY(asked);
    QCOMPARE(QImage(fileName + QStringLiteral(".png")).size(), QSize(400, 300));

    const QString gifName = dir.filePath(QStringLiteral("chart.gif"));
    bool told = false;
    QString message;
    // The message box follows once the file dialog has gone.
    answerFileDialog(gifName, &asked, [&]() {
        onNextModal([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal))
                message = box->text();
            modal->close();
        }, &told);
    });
    QVERIFY(pickFromContextMenu(view, QPoint(200, 150), QStringLiteral("Save Image…")));
    QVERIFY(asked);
    QVERIFY(told);
    QVERIFY2(message.contains(QDir::toNativeSeparators(gifName)), qPrintable(message));
    QVERIFY2(message.contains(QStringLiteral(".png or .pdf")), qPrintable(message));
    QVERIFY(!QFileInfo::exists(gifName));
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
