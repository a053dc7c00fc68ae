#include "chartxygridtick.h"

#include <algorithm>

// Fewer than two positions would leave nothing to divide an axis or an interval into.
static uint atLeastTwo(uint count)
{
    return std::max(count, 2u);
}

ChartXYGridTick::ChartXYGridTick(uint count, uint subCount)
    : m_count(atLeastTwo(count)), m_subCount(atLeastTwo(subCount))
{
}

void ChartXYGridTick::setCount(uint count)
{
    m_count = atLeastTwo(count);
}

void ChartXYGridTick::setSubCount(uint subCount)
{
    m_subCount = atLeastTwo(subCount);
}
