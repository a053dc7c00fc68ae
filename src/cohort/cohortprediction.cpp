#include "cohortprediction.h"

#include "cohorttr.h"
#include "csvwriter.h"

#include <QIODevice>

#include <algorithm>
#include <memory>

CohortPrediction::CohortPrediction(const CohortReadOptions &options)
    : m_options(options)
{
}

bool CohortPrediction::run(CohortInput &input, QIODevice &output)
{
    std::unique_ptr<CsvWriter> writer;

    int fieldCount = 0;
    const auto onHeader = [&](const CsvRow &header, const CohortColumns &columns) -> QString {
        for (std::string_view name : header.fields) {
            if (CohortColumns::isAddedColumn(name)) {
                return CohortTr::tr("The file already has a column “%1”, which predict adds.")
                    .arg(QString::fromUtf8(name.data(), qsizetype(name.size())).trimmed());
            }
        }
        fieldCount = columns.fieldCount();
        writer = std::make_unique<CsvWriter>(output, input.delimiter(), input.lineEnd(), m_options.mark);
        if (input.hadByteOrderMark())
            writer->raw("\xEF\xBB\xBF");
        if (!header.text.empty()) {
            writer->fields(header.text);
        } else {
            for (std::string_view name : header.fields)
                writer->field(name);
        }
        for (int month = 1; month <= CourseMonths; ++month)
            writer->field("predicted_month_" + std::to_string(month));
        writer->field("error");
        writer->endRecord();
        return QString();
    };

    const auto onRecord = [&](const CsvRow &row, const CohortRecord &record) {
        // A row with the wrong number of fields is aligned with the header, so that the added
        // columns stay in place; its error says how many fields it had.
        if (!row.text.empty() && int(row.fields.size()) == fieldCount) {
            writer->fields(row.text); // as it came
        } else {
            const int kept = std::min(int(row.fields.size()), fieldCount);
            for (int i = 0; i < kept; ++i)
                writer->field(row.fields[i]);
            for (int i = kept; i < fieldCount; ++i)
                writer->emptyField();
        }
        if (record.error.isEmpty()) {
            for (double month : predictBmiCourse(record.predictors))
                writer->number(month);
            writer->emptyField();
        } else {
            for (int month = 0; month < CourseMonths; ++month)
                writer->emptyField();
            writer->field(record.error.toStdString());
        }
        writer->endRecord();
    };

    if (!input.read(onHeader, onRecord)) {
        m_error = input.error();
        return false;
    }
    if (!writer->flush()) {
        m_error = CohortTr::tr("Cannot write the output: %1.").arg(writer->error());
        return false;
    }
    return true;
}
