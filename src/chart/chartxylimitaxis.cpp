#include "chartxylimitaxis.h"

ChartXYLimitAxis::ChartXYLimitAxis(const QVariant &min, const QVariant &max)
    : m_min(min), m_max(max)
{
}

int ChartXYLimitAxis::type() const
{
    return m_min.typeId() == m_max.typeId() ? m_min.typeId() : int(QMetaType::UnknownType);
}

bool ChartXYLimitAxis::canConvert(int type) const
{
    return m_min.canConvert(QMetaType(type)) && m_max.canConvert(QMetaType(type));
}

bool ChartXYLimitAxis::operator==(const ChartXYLimitAxis &other) const
{
    return m_min == other.m_min && m_max == other.m_max;
}
