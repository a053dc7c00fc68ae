#include "chartxylimit.h"

ChartXYLimit::ChartXYLimit(const ChartXYLimitAxis &x, const ChartXYLimitAxis &y)
    : m_x(x), m_y(y)
{
}

int ChartXYLimit::type() const
{
    return m_x.type() == m_y.type() ? m_x.type() : int(QMetaType::UnknownType);
}

bool ChartXYLimit::canConvert(int type) const
{
    return m_x.canConvert(type) && m_y.canConvert(type);
}

bool ChartXYLimit::operator==(const ChartXYLimit &other) const
{
    return m_x == other.m_x && m_y == other.m_y;
}
