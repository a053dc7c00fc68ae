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
    setting->legend()->setVisible(true);
    setting->legend()->setCorner(Qt::TopRightCorner);
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    chart->updateChart();
}
