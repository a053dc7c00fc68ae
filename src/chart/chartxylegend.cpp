#include "chartxylegend.h"

ChartXYLegend::ChartXYLegend(QObject *parent)
    : QObject(parent)
{
}
