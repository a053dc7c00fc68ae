#include "chartxyseriesstyle.h"

bool ChartXYSeriesStyle::drawsLine() const
{
    return m_lineVisible && m_lineStyle != Qt::NoPen;
}

bool ChartXYSeriesStyle::drawsMarkers() const
{
    return m_marker != None && m_markerSize > 0;
}

bool ChartXYSeriesStyle::drawsBand() const
{
    return m_bandTo > 0 && m_bandOpacity > 0;
}
