#ifndef CHARTXYLIMITAXIS_H
#define CHARTXYLIMITAXIS_H

#include <QMetaType>
#include <QVariant>

// The lower and upper limit of one chart axis. Both keep the type of the data they came
// from (int, double, QDate, QTime, QDateTime, ...); both are invalid by default.
class ChartXYLimitAxis
{
public:
    ChartXYLimitAxis() = default;
    ChartXYLimitAxis(const QVariant &min, const QVariant &max);

    QVariant min() const { return m_min; }
    QVariant max() const { return m_max; }

    // The type id shared by both limits, or QMetaType::UnknownType when they differ.
    int type() const;
    bool canConvert(int type) const;

    bool operator==(const ChartXYLimitAxis &other) const;
    bool operator!=(const ChartXYLimitAxis &other) const { return !(*this == other); }

private:
    QVariant m_min;
    QVariant m_max;
};

Q_DECLARE_METATYPE(ChartXYLimitAxis)

#endif // CHARTXYLIMITAXIS_H
