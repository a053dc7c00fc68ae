#include "cohortrecord.h"

#include "cohorttr.h"
#include "predictorcheck.h"

#include <cmath>
#include <limits>

const PredictorRange &CohortRecordReader::observedRange()
{
    static const PredictorRange range{10, 100, nullptr};
    return range;
}

CohortRecordReader::CohortRecordReader(const CohortColumns &columns, DecimalMark mark)
    : m_columns(columns)
    , m_mark(mark)
{
}

void CohortRecordReader::refuse(CohortRecord *record, const std::string &column,
                                std::string_view text, const PredictorRange &range) const
{
    const QString reason = refusalClause(numberFieldRefusal(text, range, m_mark));
    if (!record->error.isEmpty())
        record->error += QLatin1String("; ");
    record->error += QString::fromStdString(column) + QLatin1String(": ") + reason;
}

bool CohortRecordReader::read(const CsvRow &row, CohortRecord *record) const
{
    record->error.clear();
    record->observed.fill(std::numeric_limits<double>::quiet_NaN());
    const int fields = int(row.fields.size());
    if (fields != m_columns.fieldCount()) {
        record->error = CohortTr::tr("the row has %1 fields where the header has %2")
                            .arg(fields)
                            .arg(m_columns.fieldCount());
        return false;
    }

    for (int i = 0; i < PredictorCount; ++i) {
        const std::string_view text = row.fields[m_columns.predictor(i)];
        const PredictorRange &range = predictorRange(static_cast<Predictor>(i));
        if (!readNumberField(text, range, m_mark, &record->predictors[i]))
            refuse(record, CohortColumns::predictorName(i), text, range);
    }
    for (int month = 1; month <= CourseMonths; ++month) {
        const int column = m_columns.observed(month);
        if (column < 0)
            continue;
        const std::string_view text = row.fields[column];
        if (text.find_first_not_of(" \t") == std::string_view::npos)
            continue; // not observed
        if (!readNumberField(text, observedRange(), m_mark, &record->observed[month - 1]))
            refuse(record, CohortColumns::observedName(month), text, observedRange());
    }
    return record->error.isEmpty();
}
