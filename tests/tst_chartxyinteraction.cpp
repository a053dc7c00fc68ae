#include "chartxy.h"
#include "chartxysetting.h"

#include <QtTest>
#include <QClipboard>
#include <QMimeData>
#include <QStandardItemModel>

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

QStringList clipboardLines()
{
    return QGuiApplication::clipboard()->text().split(QLatin1Char('\n'));
}

} // namespace

class TestChartXYInteraction : public QObject
{
    Q_OBJECT

private slots:
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
