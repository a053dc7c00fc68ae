#ifndef CHARTXYLIMIT_H
#define CHARTXYLIMIT_H

#include "chartxylimitaxis.h"

// The limits of both chart axes.
class ChartXYLimit
{
public:
    ChartXYLimit() = default;
    ChartXYLimit(const ChartXYLimitAxis &x, const ChartXYLimitAxis &y);

    const ChartXYLimitAxis &x() const { return m_x; }
    const ChartXYLimitAxis &y() const { return m_y; }

    // The type shared by both axes, or QMetaType::UnknownType when they differ (an int X
    // axis with a double Y axis, say).
    int type() const;
    bool canConvert(int type) const;

    bool operator==(const ChartXYLimit &other) const;
    bool operator!=(const ChartXYLimit &other) const { return !(*this == other); }

private:
    ChartXYLimitAxis m_x;
    ChartXYLimitAxis m_y;
};

Q_DECLARE_METATYPE(ChartXYLimit)

#endif // CHARTXYLIMIT_H
