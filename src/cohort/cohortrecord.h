#ifndef COHORTRECORD_H
#define COHORTRECORD_H

#include "bmicourse.h"
#include "cohortcolumns.h"
#include "csvreader.h"
#include "numberfield.h"

#include <QString>

#include <array>

// One person of a cohort file as the model sees them.
struct CohortRecord {
    PredictorValues predictors{};
    // The observed BMI at the end of months 1 to 6; NaN where the file has none.
    std::array<double, CourseMonths> observed{};
    // Empty when the row was accepted, else every failing column and why,
    // e.g. "initial_bmi: 70 is outside 15 to 67".
    QString error;
};

// Checks the rows of a cohort file with the window's rules.
class CohortRecordReader
{
public:
    CohortRecordReader(const CohortColumns &columns, DecimalMark mark);

    // False when the row is refused: a field count other than the header's, a predictor
    // that fails its check, or an observed value that is not a number in 10 to 100.
    bool read(const CsvRow &row, CohortRecord *record) const;

    // The accepted observed BMI.
    static const PredictorRange &observedRange();

private:
    void refuse(CohortRecord *record, const std::string &column, std::string_view text,
                const PredictorRange &range) const;

    const CohortColumns &m_columns;
    DecimalMark m_mark;
};

#endif // COHORTRECORD_H
