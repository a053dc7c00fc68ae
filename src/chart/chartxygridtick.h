#ifndef CHARTXYGRIDTICK_H
#define CHARTXYGRIDTICK_H

#include <QMetaType>

// Tick counts of one axis. Both counts include the ends of what they divide and are kept
// at 2 or more, so that a renderer may divide by count - 1 and subCount - 1.
class ChartXYGridTick
{
public:
    ChartXYGridTick() = default;
    ChartXYGridTick(uint count, uint subCount);

    // Major tick positions on the axis, which is also the number of grid lines across it.
    uint count() const { return m_count; }
    void setCount(uint count);
    // Minor tick positions in one major interval.
    uint subCount() const { return m_subCount; }
    void setSubCount(uint subCount);

private:
    uint m_count = 4;
    uint m_subCount = 4;
};

Q_DECLARE_METATYPE(ChartXYGridTick)

#endif // CHARTXYGRIDTICK_H
