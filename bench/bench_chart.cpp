// The chart's costs, each beside what it cannot avoid, measured on the random walk of
// benchdata.h at 10^5 and 10^6 rows:
// - updateChart() against a bare loop reading the same DisplayRole data (readModelFloor),
//   for a plain QStandardItemModel and for a subclass the chart reads through data();
// - updateChart() plus the first paint, and a repaint of unchanged data, into a
//   1280 x 720 image (compared with the peers in bench_peers.cpp);
// - a full paint against a bare QPainter loop drawing every segment (paintFloor);
// - one cell edited through the model, which the chart hears as dataChanged.
// Run: bench_chart --benchmark_repetitions=3 (QT_QPA_PLATFORM=offscreen when headless).

#include "benchdata.h"
#include "chartxy.h"
#include "chartxycolumnreduction.h"
#include "chartxydatamapping.h"
#include "chartxysetting.h"
#include "varianttoreal.h"

#include <QApplication>
#include <QHelpEvent>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

namespace {

using benchdata::ViewSize;

// A chart of the given model as the result dialog sets one up, laid out at 1280 x 720 but
// never put on screen.
struct Chart
{
    explicit Chart(QStandardItemModel &data)
    {
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.setModel(&data);
        view.setting()->scale()->setAutoLimitView(true);
        view.setting()->scale()->setAutoRound(true);
        view.updateChart();
        view.show();
        const int frame = view.frameWidth();
        view.resize(ViewSize + QSize(2 * frame, 2 * frame));
        QCoreApplication::processEvents();
    }

    void paint(QImage &image) { view.viewport()->render(&image, QPoint(), QRegion(), {}); }

    ChartXY view;
};

void readModelFloor(benchmark::State &state)
{
    const QAbstractItemModel &data = benchdata::model(int(state.range(0)));
    for (auto _ : state) {
        const int rows = data.rowCount();
        const int columns = data.columnCount();
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                benchmark::DoNotOptimize(data.data(data.index(row, column), Qt::DisplayRole));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void updateChartOf(benchmark::State &state, QStandardItemModel &(*model)(int rows))
{
    Chart chart(model(int(state.range(0))));
    for (auto _ : state)
        chart.view.updateChart();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void updateChart(benchmark::State &state)
{
    updateChartOf(state, benchdata::model);
}

// The same data in a model the chart cannot read through its items.
void updateChartModelSubclass(benchmark::State &state)
{
    updateChartOf(state, benchdata::subclassModel);
}

void updateChartAndFirstPaint(benchmark::State &state)
{
    Chart chart(benchdata::model(int(state.range(0))));
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart.view.updateChart();
        chart.paint(image);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void repaintChart(benchmark::State &state)
{
    Chart chart(benchdata::model(int(state.range(0))));
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    chart.paint(image);
    for (auto _ : state) {
        chart.paint(image);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The mouse resting in the plot area's top left corner, away from the line (which starts
// at 0, far below the walk's maximum): the chart looks for a point to show in a tooltip
// and finds none.
void hoverToolTip(benchmark::State &state)
{
    Chart chart(benchdata::model(int(state.range(0))));
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    chart.paint(image);
    const QPoint pos(80, 30);
    for (auto _ : state) {
        QHelpEvent event(QEvent::ToolTip, pos, chart.view.viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(chart.view.viewport(), &event);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A cell in the middle of the walk set back and forth between its own value and one a
// little off it, never an extreme.
void editMiddleCell(benchmark::State &state, QStandardItemModel &data)
{
    const QModelIndex cell = data.index(data.rowCount() / 2, 1);
    const double value = cell.data().toDouble();
    bool off = false;
    for (auto _ : state) {
        off = !off;
        data.setData(cell, off ? value + 0.25 : value);
    }
    data.setData(cell, value);
}

// The chart hears each edit as dataChanged and re-reads that row only.
void editOneCell(benchmark::State &state)
{
    QStandardItemModel &data = benchdata::model(int(state.range(0)));
    Chart chart(data);
    editMiddleCell(state, data);
}

// The same edits with no chart attached: what the model itself costs.
void editOneCellFloor(benchmark::State &state)
{
    editMiddleCell(state, benchdata::model(int(state.range(0))));
}

// Every segment of the series mapped as the chart maps it with its limits, in the plot
// area of the default settings.
QVector<QPointF> seriesPoints(QStandardItemModel &data, const QRect &plot)
{
    Chart chart(data);
    const ChartXYLimit &limit = chart.view.setting()->scale()->limitView();
    const double xmin = variantToReal(limit.x().min()), xmax = variantToReal(limit.x().max());
    const double ymin = variantToReal(limit.y().min()), ymax = variantToReal(limit.y().max());
    QVector<QPointF> points;
    points.reserve(data.rowCount());
    for (int row = 0; row < data.rowCount(); ++row) {
        const double x = data.index(row, 0).data().toDouble();
        const double y = data.index(row, 1).data().toDouble();
        points.append(QPointF((plot.left() * (x - xmax)) / (xmin - xmax)
                                  - ((x - xmin) * plot.right()) / (xmin - xmax),
                              ((y - ymax) * plot.bottom()) / (ymin - ymax)
                                  - ((y - ymin) * plot.top()) / (ymin - ymax)));
    }
    return points;
}

// Every segment drawn one by one, as a chart without reduction must.
void paintFloor(benchmark::State &state)
{
    const QRect plot(QPoint(72, 24), QPoint(ViewSize.width() - 1 - 16 - 8,
                                            ViewSize.height() - 1 - 64 - 8));
    const QVector<QPointF> points = seriesPoints(benchdata::model(int(state.range(0))), plot);
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setClipRect(plot, Qt::ReplaceClip);
        painter.setPen(benchdata::seriesPen());
        QPointF prev = points.value(0);
        for (const QPointF &p : points) {
            painter.drawLine(QLineF(prev, p));
            prev = p;
        }
        painter.end();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The walk thinned to the pixel columns of the plot area, as a first paint does after the
// limit scan has read the cells.
void reduceWalk(benchmark::State &state)
{
    const benchdata::Walk &walk = benchdata::walk(int(state.range(0)));
    Chart chart(benchdata::model(int(state.range(0))));
    const ChartXYDataMapping mapping(QRect(QPoint(72, 24), QPoint(ViewSize.width() - 1 - 16 - 8,
                                                                ViewSize.height() - 1 - 64 - 8)),
                                     chart.view.setting()->scale()->limitView());
    for (auto _ : state)
        benchmark::DoNotOptimize(reduceToColumns(walk.x, walk.y, mapping, 1.0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// A range of about 10^10 in 7 intervals: the rounding's count could never finish within
// its budget, and gives up before it starts.
void roundHopelessRange(benchmark::State &state)
{
    for (auto _ : state) {
        QVariant min(-3.2e9), max(7.1e9);
        ChartXYScale::roundLimits(min, max, 7, 1.0);
        benchmark::DoNotOptimize(min);
    }
}

// The X limits of the 10^6-row walk, 0 .. 999999 in 3 intervals: a count of a third of a
// million steps, which a first updateChart() pays and later ones with the same extremes
// reuse.
void roundWalkX(benchmark::State &state)
{
    for (auto _ : state) {
        QVariant min(0.0), max(999999.0);
        ChartXYScale::roundLimits(min, max, 3, 1.0);
        benchmark::DoNotOptimize(min);
    }
}

} // namespace

BENCHMARK(readModelFloor)->Apply(benchdata::rows);
BENCHMARK(updateChart)->Apply(benchdata::rows);
BENCHMARK(updateChartModelSubclass)->Apply(benchdata::rows);
BENCHMARK(updateChartAndFirstPaint)->Apply(benchdata::rows);
BENCHMARK(repaintChart)->Apply(benchdata::rows);
BENCHMARK(hoverToolTip)->Apply(benchdata::rows);
BENCHMARK(paintFloor)->Apply(benchdata::rows);
BENCHMARK(reduceWalk)->Apply(benchdata::rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(editOneCell)->Apply(benchdata::rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(editOneCellFloor)->Apply(benchdata::rows)->Unit(benchmark::kMicrosecond);
BENCHMARK(roundHopelessRange)->Unit(benchmark::kMicrosecond);
BENCHMARK(roundWalkX)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
