// Markers: the random walk of benchdata.h as a scatter (circles of 5 px, antialiased, no
// line) at 10^5 and 10^6 points, updateChart() + first paint beside QCustomPlot's setData
// + replot of the same scatter (ssDisc, 5 px); and a line with markers at 10^3 points
// beside the line alone.
// Run: bench_chart --benchmark_filter='Scatter|Markers' (QT_QPA_PLATFORM=offscreen).

#include "benchdata.h"
#include "chartxy.h"
#include "chartxysetting.h"

#include <QImage>
#include <QStandardItemModel>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

namespace {

using benchdata::ViewSize;
constexpr int MarkerSize = 5;

struct StyledChart
{
    StyledChart(QStandardItemModel &data, bool line, bool markers)
    {
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.setModel(&data);
        view.setting()->scale()->setAutoLimitView(true);
        view.setting()->scale()->setAutoRound(true);
        if (!line || markers) {
            ChartXYSeriesStyle &style = view.setting()->seriesStyle(1);
            style.setLineVisible(line);
            style.setMarker(markers ? ChartXYSeriesStyle::Circle : ChartXYSeriesStyle::None);
            style.setMarkerSize(MarkerSize);
        }
        view.updateChart();
        view.show();
        const int frame = view.frameWidth();
        view.resize(ViewSize + QSize(2 * frame, 2 * frame));
        QCoreApplication::processEvents();
    }

    void paint(QImage &image) { view.viewport()->render(&image, QPoint(), QRegion(), {}); }

    ChartXY view;
};

void updateAndFirstPaint(benchmark::State &state, bool line, bool markers)
{
    StyledChart chart(benchdata::model(int(state.range(0))), line, markers);
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart.view.updateChart();
        chart.paint(image);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void chartScatterFirstPaint(benchmark::State &state)
{
    updateAndFirstPaint(state, false, true);
}

void chartLineFirstPaint(benchmark::State &state)
{
    updateAndFirstPaint(state, true, false);
}

void chartLineWithMarkersFirstPaint(benchmark::State &state)
{
    updateAndFirstPaint(state, true, true);
}

void customPlotScatterSetDataReplot(benchmark::State &state)
{
    const benchdata::Walk &walk = benchdata::walk(int(state.range(0)));
    QCustomPlot plot;
    plot.setAttribute(Qt::WA_DontShowOnScreen);
    plot.setAntialiasedElements(QCP::aePlottables | QCP::aeScatters);
    QCPGraph *graph = plot.addGraph();
    graph->setPen(benchdata::seriesPen());
    graph->setLineStyle(QCPGraph::lsNone);
    graph->setScatterStyle(QCPScatterStyle(QCPScatterStyle::ssDisc, MarkerSize));
    plot.show();
    plot.resize(ViewSize);
    QCoreApplication::processEvents();
    for (auto _ : state) {
        graph->setData(walk.x, walk.y, true);
        plot.rescaleAxes();
        plot.replot(QCustomPlot::rpImmediateRefresh);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(chartScatterFirstPaint)->Apply(benchdata::rows);
BENCHMARK(customPlotScatterSetDataReplot)->Apply(benchdata::rows);
BENCHMARK(chartLineFirstPaint)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(chartLineWithMarkersFirstPaint)->Arg(1000)->Unit(benchmark::kMicrosecond);
