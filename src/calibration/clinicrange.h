#ifndef CLINICRANGE_H
#define CLINICRANGE_H

#include "calibration.h"

#include <QString>

#include <optional>
#include <vector>

// The clinic's range around one person's predicted course P(t): at month t it is
// [P(t) + low(t), P(t) + high(t)], centred on P(t) + mean(t). The offsets are those of the
// calibration's whole months, linear in between and 0 at month 0; a month without offsets
// is bridged by its neighbours. The range ends at the last month that has offsets.
class ClinicRange
{
public:
    struct Offsets {
        double low = 0;
        double mean = 0;
        double high = 0;
    };
    struct Range {
        double low = 0;
        double centre = 0;
        double high = 0;
    };
    // Where an observed BMI lies against the range.
    enum class Course { AsExpected, LessLoss, MoreLoss };

    ClinicRange() = default;
    explicit ClinicRange(const Calibration &calibration);

    // Whether there is a range at all: some month has offsets.
    bool isEmpty() const { return lastMonth() == 0; }
    // The last month with offsets; 0 when none has.
    int lastMonth() const { return m_knots.size() > 1 ? m_knots.back().month : 0; }

    // None before month 0 and after lastMonth().
    std::optional<Offsets> offsetsAt(double month) const;
    std::optional<Range> rangeAt(const PredictorValues &predictors, double month) const;
    // The same around a prediction already worked out for that month.
    std::optional<Range> rangeAround(double predicted, double month) const;

    // Inside the range, bounds included, is as expected; above it the person lost less than
    // expected, below it more. Compared as the table shows them, to the hundredth.
    static Course courseOf(double observed, const Range &range);
    // "as expected", "less loss than expected", "more loss than expected".
    static QString courseText(Course course);
    // "32.10–35.40".
    static QString rangeText(const Range &range);

private:
    struct Knot {
        int month;
        Offsets offsets;
    };
    std::vector<Knot> m_knots; // month 0 and every month with offsets, in order
};

#endif // CLINICRANGE_H
