// The same walk, size and pen in two general Qt chart libraries, for comparison only:
// - QCustomPlot: setData (already sorted) + rescaleAxes + an immediate replot, and the
//   replot alone;
// - Qt Charts: replace the series' points + fit the axes + render the view into an image,
//   and the render alone.
// Each library keeps its own defaults otherwise (QCustomPlot's adaptive sampling is on).

#include "benchdata.h"

#include <QChart>
#include <QChartView>
#include <QImage>
#include <QLineSeries>
#include <QValueAxis>
#include <qcustomplot.h>

#include <benchmark/benchmark.h>

#include <algorithm>

namespace {

using benchdata::ViewSize;

struct CustomPlot
{
    CustomPlot()
    {
        plot.setAttribute(Qt::WA_DontShowOnScreen);
        plot.setAntialiasedElements(QCP::aePlottables);
        plot.addGraph()->setPen(benchdata::seriesPen());
        plot.show();
        plot.resize(ViewSize);
        QCoreApplication::processEvents();
    }

    void setData(const benchdata::Walk &walk)
    {
        plot.graph(0)->setData(walk.x, walk.y, true);
        plot.rescaleAxes();
    }

    QCustomPlot plot;
};

void customPlotSetDataReplot(benchmark::State &state)
{
    const benchdata::Walk &walk = benchdata::walk(int(state.range(0)));
    CustomPlot chart;
    for (auto _ : state) {
        chart.setData(walk);
        chart.plot.replot(QCustomPlot::rpImmediateRefresh);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void customPlotReplot(benchmark::State &state)
{
    CustomPlot chart;
    chart.setData(benchdata::walk(int(state.range(0))));
    chart.plot.replot(QCustomPlot::rpImmediateRefresh);
    for (auto _ : state)
        chart.plot.replot(QCustomPlot::rpImmediateRefresh);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

struct QtChart
{
    QtChart()
    {
        series->setPen(benchdata::seriesPen());
        chart->addSeries(series);
        chart->addAxis(axisX, Qt::AlignBottom);
        chart->addAxis(axisY, Qt::AlignLeft);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
        chart->legend()->hide();
        view.setRenderHint(QPainter::Antialiasing);
        view.setAttribute(Qt::WA_DontShowOnScreen);
        view.show();
        view.resize(ViewSize);
        QCoreApplication::processEvents();
    }

    // Qt Charts does not fit its axes to new data by itself.
    void setData(const benchdata::Walk &walk, const QList<QPointF> &points)
    {
        series->replace(points);
        const auto [ymin, ymax] = std::minmax_element(walk.y.begin(), walk.y.end());
        axisX->setRange(walk.x.first(), walk.x.last());
        axisY->setRange(*ymin, *ymax);
    }

    void render(QImage &image) { view.viewport()->render(&image, QPoint(), QRegion(), {}); }

    QChart *chart = new QChart;
    QLineSeries *series = new QLineSeries;
    QValueAxis *axisX = new QValueAxis;
    QValueAxis *axisY = new QValueAxis;
    QChartView view{chart};
};

QList<QPointF> pointsOf(const benchdata::Walk &walk)
{
    QList<QPointF> points;
    points.reserve(walk.x.size());
    for (int i = 0; i < walk.x.size(); ++i)
        points.append(QPointF(walk.x[i], walk.y[i]));
    return points;
}

void qtChartsReplaceRender(benchmark::State &state)
{
    const benchdata::Walk &walk = benchdata::walk(int(state.range(0)));
    const QList<QPointF> points = pointsOf(walk);
    QtChart chart;
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        chart.setData(walk, points);
        chart.render(image);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void qtChartsRender(benchmark::State &state)
{
    const benchdata::Walk &walk = benchdata::walk(int(state.range(0)));
    QtChart chart;
    chart.setData(walk, pointsOf(walk));
    QImage image(ViewSize, QImage::Format_ARGB32_Premultiplied);
    chart.render(image);
    for (auto _ : state) {
        chart.render(image);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

} // namespace

BENCHMARK(customPlotSetDataReplot)->Apply(benchdata::rows);
BENCHMARK(customPlotReplot)->Apply(benchdata::rows);
BENCHMARK(qtChartsReplaceRender)->Apply(benchdata::rows);
BENCHMARK(qtChartsRender)->Apply(benchdata::rows);
