#include "chartxygrid.h"

ChartXYGrid::ChartXYGrid(QObject *parent)
    : QObject(parent)
{
}
