#include "chartxyborder.h"

ChartXYBorder::ChartXYBorder(QObject *parent)
    : QObject(parent)
{
}
