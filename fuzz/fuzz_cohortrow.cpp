// Feeds arbitrary bytes as the rows of a cohort file (after a fixed header line) through the
// reader and predict. Checks: an accepted row holds values the window would accept, the fast
// number reader agrees with the window's, and predict's output reads back into the same
// fields with the seven added columns.
#include "cohortinput.h"
#include "cohortprediction.h"
#include "numberfield.h"
#include "predictorcheck.h"

#include <QBuffer>

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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text = header + QByteArray(reinterpret_cast<const char *>(data), int(size));
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
