// Feeds arbitrary bytes as the rows of a cohort file (after a fixed header line) through the
// reader and predict. Checks: an accepted row holds values the window would accept, the fast
// number reader agrees with the window's, predict's output reads back into the same fields
// with the seven added columns, and records neither change with the block size nor are
// copied whole from bytes that are not theirs.
#include "cohortinput.h"
#include "cohortprediction.h"
#include "numberfield.h"
#include "predictorcheck.h"

#include <QBuffer>

#include <algorithm>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const QByteArray header = "code,restrained_eating,emotional_eating,external_eating,personal_standards,"
                          "concern_over_mistakes,body_image_dissatisfaction,alexithymia,initial_bmi,"
                          "bmi_month_1,note\n";
constexpr size_t HeaderFields = 11;

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Spaces around a field, as libcsv trims them.
std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

// The records of text read in blocks of the given size: their fields, and each record's own
// text checked against them wherever the reader offers it for copying whole.
std::vector<std::vector<std::string>> recordsInBlocks(const QByteArray &text, size_t block)
{
    std::vector<std::vector<std::string>> records;
    CsvReader reader(',', [&](const CsvRow &row) {
        records.emplace_back(row.fields.begin(), row.fields.end());
        if (row.text.empty())
            return;
        size_t field = 0, begin = 0;
        for (size_t end = 0; end <= row.text.size(); ++end) {
            if (end == row.text.size() || row.text[end] == ',') {
                check(field < row.fields.size()
                      && trimmed(row.text.substr(begin, end - begin)) == row.fields[field]);
                ++field;
                begin = end + 1;
            }
        }
        check(field == row.fields.size());
    });
    for (qsizetype i = 0; i < text.size(); i += qsizetype(block))
        check(reader.parse(text.constData() + i, std::min<size_t>(block, size_t(text.size() - i))));
    check(reader.finish());
    return records;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text = header + QByteArray(reinterpret_cast<const char *>(data), int(size));

    // Where the blocks of a large file end must not change a record.
    if (size > 0)
        check(recordsInBlocks(text, size_t(text.size())) == recordsInBlocks(text, 1 + data[0] % 13));
    QBuffer in;
    in.setData(text);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);

    CohortInput input(in, QStringLiteral("fuzz.csv"), {});
    input.setRefusalStream(nullptr);
    CohortPrediction prediction({});
    std::vector<std::vector<std::string>> rows;
    if (!prediction.run(input, out))
        return 0; // e.g. a NUL byte: not a text file

    // Read the input again on its own, to compare each row with what predict wrote.
    QBuffer again;
    again.setData(text);
    again.open(QIODevice::ReadOnly);
    CohortInput second(again, QStringLiteral("fuzz.csv"), {});
    second.setRefusalStream(nullptr);
    const bool secondOk = second.read(
        [](const CsvRow &, const CohortColumns &) { return QString(); },
        [&](const CsvRow &row, const CohortRecord &record) {
            rows.emplace_back(row.fields.begin(), row.fields.end());
            for (size_t i = 1; i < row.fields.size() && i <= size_t(PredictorCount); ++i) {
                const PredictorRange &range = predictorRange(static_cast<Predictor>(i - 1));
                double fast = 0, window = 0;
                const std::string_view field = row.fields[i];
                const bool fastOk = readNumberField(field, range, DecimalMark::Point, &fast);
                const bool windowOk = readPredictor(QString::fromUtf8(field.data(), qsizetype(field.size())), range, &window);
                check(fastOk == windowOk && (!fastOk || fast == window));
            }
            if (record.error.isEmpty()) {
                for (int i = 0; i < PredictorCount; ++i) {
                    const PredictorRange &range = predictorRange(static_cast<Predictor>(i));
                    check(record.predictors[i] >= range.lower && record.predictors[i] <= range.upper);
                }
                check(std::isnan(record.observed[0]) || (record.observed[0] >= 10 && record.observed[0] <= 100));
            }
        });
    check(secondOk);

    // The output reads back: the header, then every row with its fields (aligned with the
    // header) and the six predictions and the error.
    std::vector<std::vector<std::string>> written;
    CsvReader reader(',', [&](const CsvRow &row) { written.emplace_back(row.fields.begin(), row.fields.end()); });
    const QByteArray output = out.data();
    check(reader.parse(output.constData(), size_t(output.size())) && reader.finish());
    check(written.size() == rows.size() + 1);
    for (size_t r = 0; r < rows.size(); ++r) {
        const std::vector<std::string> &row = written[r + 1];
        check(row.size() == HeaderFields + 7);
        if (rows[r].size() == HeaderFields) {
            for (size_t i = 0; i < HeaderFields; ++i)
                check(row[i] == rows[r][i]);
        }
    }
    return 0;
}
