// Cost of the chart's two per-row passes, each beside its floor:
// - updateChart() against a bare loop that reads the same DisplayRole data;
// - a full paint into a 1280 x 720 image against a bare QPainter loop that draws the
//   same segments with the same pen, clip and antialiasing into the same image.
// Run: bench_chart --benchmark_repetitions=3 (QT_QPA_PLATFORM=offscreen when headless).

#include "chartxy.h"
#include "chartxysetting.h"
#include "varianttoreal.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>

#include <benchmark/benchmark.h>

#include <cmath>
#include <map>
#include <memory>

namespace {

const QSize ImageSize(1280, 720);

// One series: int X values 0 .. rows - 1, a wavy BMI-like double Y, red.
QStandardItemModel &model(int rows)
{
    static std::map<int, std::unique_ptr<QStandardItemModel>> models;
    auto &slot = models[rows];
    if (!slot) {
        slot = std::make_unique<QStandardItemModel>(rows, 2);
        for (int row = 0; row < rows; ++row) {
            slot->setData(slot->index(row, 0), row);
            slot->setData(slot->index(row, 1), 30.0 + 5.0 * std::sin(row * 0.001) + (row % 7) * 0.1);
        }
        slot->setData(slot->index(0, 1), QColor(255, 0, 0), Qt::DecorationRole);
    }
    return *slot;
}

// A chart of the given model, laid out but never put on screen, with a 1280 x 720 viewport.
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
        view.resize(ImageSize + QSize(2 * frame, 2 * frame));
        QCoreApplication::processEvents();
    }

    ChartXY view;
};

void updateChart(benchmark::State &state)
{
    Chart chart(model(int(state.range(0))));
    for (auto _ : state)
        chart.view.updateChart();
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void readModelFloor(benchmark::State &state)
{
    const QAbstractItemModel &data = model(int(state.range(0)));
    for (auto _ : state) {
        const int rows = data.rowCount();
        const int columns = data.columnCount();
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                benchmark::DoNotOptimize(data.data(data.index(row, column), Qt::DisplayRole));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void paintChart(benchmark::State &state)
{
    Chart chart(model(int(state.range(0))));
    QImage image(ImageSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart.view.viewport()->render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

// The segments paintChart draws: the plot area of a 1280 x 720 viewport with the default
// settings, and the limits the chart computed.
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

void paintFloor(benchmark::State &state)
{
    const QRect plot(QPoint(72, 24), QPoint(ImageSize.width() - 1 - 16 - 8,
                                            ImageSize.height() - 1 - 64 - 8));
    const QVector<QPointF> points = seriesPoints(model(int(state.range(0))), plot);
    const QPen pen(QBrush(QColor(255, 0, 0), Qt::SolidPattern), 2.0, Qt::SolidLine,
                   Qt::SquareCap, Qt::BevelJoin);
    QImage image(ImageSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setClipRect(plot, Qt::ReplaceClip);
        painter.setPen(pen);
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

void rows(benchmark::internal::Benchmark *benchmark)
{
    benchmark->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(updateChart)->Apply(rows);
BENCHMARK(readModelFloor)->Apply(rows);
BENCHMARK(paintChart)->Apply(rows);
BENCHMARK(paintFloor)->Apply(rows);

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
