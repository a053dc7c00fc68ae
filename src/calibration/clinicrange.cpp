#include "clinicrange.h"

#include "calibrationtr.h"

#include <QCoreApplication>

#include <cmath>

ClinicRange::ClinicRange(const Calibration &calibration)
{
    m_knots.push_back({0, Offsets()});
    for (int k = 1; k <= CourseMonths; ++k) {
        const CalibrationMonth &month = calibration.month(k);
        if (month.hasOffsets())
            m_knots.push_back({k, {*month.low, month.meanError, *month.high}});
    }
}

std::optional<ClinicRange::Offsets> ClinicRange::offsetsAt(double month) const
{
    if (isEmpty() || !(month >= 0) || month > lastMonth())
        return std::nullopt;
    size_t i = 1;
    while (m_knots[i].month < month)
        ++i;
    const Knot &a = m_knots[i - 1];
    const Knot &b = m_knots[i];
    const double share = (month - a.month) / (b.month - a.month);
    const auto between = [share](double x, double y) { return x + share * (y - x); };
    return Offsets{between(a.offsets.low, b.offsets.low), between(a.offsets.mean, b.offsets.mean),
                   between(a.offsets.high, b.offsets.high)};
}

std::optional<ClinicRange::Range> ClinicRange::rangeAt(const PredictorValues &predictors,
                                                       double month) const
{
    return rangeAround(predictBmiAt(predictors, month), month);
}

std::optional<ClinicRange::Range> ClinicRange::rangeAround(double predicted, double month) const
{
    const std::optional<Offsets> offsets = offsetsAt(month);
    if (!offsets)
        return std::nullopt;
    return Range{predicted + offsets->low, predicted + offsets->mean, predicted + offsets->high};
}

ClinicRange::Course ClinicRange::courseOf(double observed, const Range &range)
{
    // The word must agree with the figures beside it.
    const auto hundredths = [](double value) { return std::llround(value * 100); };
    if (hundredths(observed) > hundredths(range.high))
        return Course::LessLoss;
    if (hundredths(observed) < hundredths(range.low))
        return Course::MoreLoss;
    return Course::AsExpected;
}

QString ClinicRange::courseText(Course course)
{
    switch (course) {
    case Course::AsExpected:
        return CalibrationTr::tr("as expected");
    case Course::LessLoss:
        return CalibrationTr::tr("less loss than expected");
    case Course::MoreLoss:
        return CalibrationTr::tr("more loss than expected");
    }
    return QString();
}

QString ClinicRange::rangeText(const Range &range)
{
    return QString::number(range.low, 'f', 2) + QChar(0x2013) + QString::number(range.high, 'f', 2);
}
