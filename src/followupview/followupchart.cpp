#include "followupchart.h"

#include "chartxy.h"
#include "chartxysetting.h"
#include "followupchartmodel.h"

void showFollowUpChart(ChartXY *chart, FollowUpChartModel *model)
{
    ChartXYSetting *setting = chart->setting();
    if (chart->model() != model)
        chart->setModel(model);
    // The result dialog's frame, so that both charts read alike.
    setting->border()->setRight(64);
    setting->grid()->tickX().setCount(4);
    setting->grid()->tickX().setSubCount(5);
    setting->grid()->tickY().setCount(8);
    setting->grid()->tickY().setSubCount(5);
    // The course is a line in the result dialog's red; the visits are blue squares on a
    // thin line, told apart by shape too, so the chart reads in black and white.
    ChartXYSeriesStyle &predicted = setting->seriesStyle(FollowUpChartModel::PredictedColumn);
    predicted.setLineWidth(2);
    predicted.setMarker(ChartXYSeriesStyle::None);
    ChartXYSeriesStyle &observed = setting->seriesStyle(FollowUpChartModel::ObservedColumn);
    observed.setLineWidth(1);
    observed.setMarker(ChartXYSeriesStyle::Square);
    observed.setMarkerSize(8);
    // The clinic's range is a translucent band behind the lines, its centre a thin dashed
    // line; the band's upper edge is only its border and goes unnamed.
    ChartXYSeriesStyle &low = setting->seriesStyle(FollowUpChartModel::RangeLowColumn);
    low.setLineVisible(false);
    low.setBandTo(FollowUpChartModel::RangeHighColumn);
    low.setBandOpacity(0.22);
    ChartXYSeriesStyle &high = setting->seriesStyle(FollowUpChartModel::RangeHighColumn);
    high.setLineVisible(false);
    high.setInLegend(false);
    ChartXYSeriesStyle &average = setting->seriesStyle(FollowUpChartModel::ClinicAverageColumn);
    average.setLineWidth(1);
    average.setLineStyle(Qt::DashLine);
    setting->legend()->setVisible(true);
    setting->legend()->setCorner(Qt::TopRightCorner);
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    chart->updateChart();
}
