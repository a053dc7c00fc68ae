// Feeds arbitrary text into the eight predictor checks and, when all pass, into the model.
// Input: up to eight field texts separated by newlines (UTF-8, possibly invalid).
#include "bmicourse.h"
#include "predictorcheck.h"

#include <QByteArray>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    QStringList texts;
    for (const QByteArray &line : bytes.split('\n'))
        texts << QString::fromUtf8(line);

    for (int i = 0; i < PredictorCount && i < texts.size(); ++i) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(i));
        double value = 0;
        if (!readPredictor(texts.at(i), range, &value))
            continue;
        if (!(std::isfinite(value) && value >= range.lower && value <= range.upper))
            std::abort();
        // A comma is never a thousands separator here: "0,035" must not pass as 35.
        if (texts.at(i).contains(QLatin1Char(',')))
            std::abort();
    }

    PredictorValues values{};
    if (firstInvalidPredictor(texts, &values) >= 0)
        return 0;
    const BmiCourse course = predictBmiCourse(values);
    double previous = values[static_cast<int>(Predictor::InitialBmi)];
    for (double month : course) {
        if (!std::isfinite(month) || month <= 0 || month >= previous)
            std::abort();
        previous = month;
    }
    return 0;
}
