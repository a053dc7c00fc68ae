#include "chartxysetting.h"

ChartXYSetting::ChartXYSetting(QObject *parent)
    : QObject(parent),
      m_border(new ChartXYBorder(this)),
      m_grid(new ChartXYGrid(this)),
      m_scale(new ChartXYScale(this)),
      m_legend(new ChartXYLegend(this))
{
}

ChartXYSeriesStyle &ChartXYSetting::seriesStyle(int column)
{
    return m_seriesStyles[column];
}

const ChartXYSeriesStyle *ChartXYSetting::findSeriesStyle(int column) const
{
    const auto found = m_seriesStyles.find(column);
    return found == m_seriesStyles.end() ? nullptr : &found->second;
}
