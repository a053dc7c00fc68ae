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
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    chart->updateChart();
}
