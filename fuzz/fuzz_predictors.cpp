// Feeds the eight predictor checks with field texts written the ways people type them and,
// when all pass, the model, checking what it promises: a finite course that never rises and
// starts below the initial BMI.
//
// Random bytes almost never make eight valid numbers in a row, so the bytes choose how each
// field is written instead: a number in its range, spelled as a person might ("35", "35.50",
// " 35", "+35", "3.5e1"), and in some inputs one odd field: a little out of range, a decimal
// comma, a hostile text or raw bytes.
#include "bmicourse.h"
#include "predictorcheck.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <QByteArray>
#include <QLocale>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// How often the formula was reached, printed at exit so that a run shows its reach.
struct Reach {
    long inputs = 0;
    long modelled = 0;
    ~Reach()
    {
        if (inputs > 0)
            std::fprintf(stderr, "fuzz_predictors: %ld of %ld inputs reached the model (%.1f %%)\n",
                         modelled, inputs, 100.0 * modelled / inputs);
    }
} reach;

const char *const hostileTexts[] = {"", " ", "nan", "NaN", "inf", "-inf", "infinity", "1,000",
                                    "0x10", "1e999", "-0", "abc", "３５", "35..5", "1e-400",
                                    ("\xef\xbb\xbf" "35")};

// A number in range, written one of the ways people type numbers.
QString plainNumber(FuzzedDataProvider &data, double lower, double upper)
{
    double value = data.ConsumeFloatingPointInRange(lower, upper);
    if (data.ConsumeBool())
        value = std::round(value);
    switch (data.ConsumeIntegralInRange(0, 6)) {
    case 0: return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
    case 1: return QString::number(value, 'f', 2);
    case 2: return QString::number(value, 'g', 6);
    case 3: return QStringLiteral(" %1 ").arg(value, 0, 'f', 1);
    case 4: return QStringLiteral("+%1").arg(value, 0, 'f', 3);
    case 5: return QString::number(value, 'e', 4);
    default: return QString::number(value, 'f', data.ConsumeIntegralInRange(0, 17));
    }
}

// Something a slip of the hand or a hostile paste puts in a field.
QString oddText(FuzzedDataProvider &data, const PredictorRange &range)
{
    const double span = range.upper - range.lower;
    switch (data.ConsumeIntegralInRange(0, 3)) {
    case 0: return plainNumber(data, range.lower - 0.05 * span, range.upper + 0.05 * span);
    case 1: return plainNumber(data, range.lower, range.upper).replace(QLatin1Char('.'),
                                                                      QLatin1Char(','));
    case 2: return QString::fromUtf8(data.PickValueInArray(hostileTexts));
    default: {
        const std::string bytes = data.ConsumeRandomLengthString(24);
        return QString::fromUtf8(bytes.data(), int(bytes.size()));
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *bytes, size_t size)
{
    FuzzedDataProvider data(bytes, size);
    ++reach.inputs;
    // At most one field of an input is odd, and in three inputs of four none is (always so
    // for an exhausted input, which reads 0): the others reach the model, while every odd
    // kind still meets the checks.
    const int oddField =
        data.ConsumeIntegralInRange(0, 4 * PredictorCount - 1) - 3 * PredictorCount;
    QStringList texts;
    for (int i = 0; i < PredictorCount; ++i) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(i));
        const QString text = i == oddField ? oddText(data, range)
                                           : plainNumber(data, range.lower, range.upper);
        texts << text;
        double value = 0;
        if (!readPredictor(text, range, &value))
            continue;
        if (!(std::isfinite(value) && value >= range.lower && value <= range.upper))
            std::abort();
        // A comma is never a thousands separator here: "0,035" must not pass as 35.
        if (text.contains(QLatin1Char(',')))
            std::abort();
    }

    PredictorValues values{};
    const int failing = firstInvalidPredictor(texts, &values);
    if (failing >= 0) {
        // Every refusal can say why.
        if (refusalReason(texts.at(failing), predictorRange(static_cast<Predictor>(failing)))
                .isEmpty())
            std::abort();
        return 0;
    }
    ++reach.modelled;
    const BmiCourse course = predictBmiCourse(values);
    double previous = values[static_cast<int>(Predictor::InitialBmi)];
    // Month 1 already below the initial BMI; then finite, positive, and never rising.
    if (!(course.front() < previous))
        std::abort();
    for (double month : course) {
        if (!std::isfinite(month) || month <= 0 || month > previous)
            std::abort();
        previous = month;
    }
    return 0;
}
