#include "chartxysetting.h"

ChartXYSetting::ChartXYSetting(QObject *parent)
    : QObject(parent),
      m_border(new ChartXYBorder(this)),
      m_grid(new ChartXYGrid(this)),
      m_scale(new ChartXYScale(this))
{
}
