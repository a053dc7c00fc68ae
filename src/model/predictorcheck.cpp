#include "predictorcheck.h"

#include <QLocale>

#include <cmath>

namespace {

const PredictorRange ranges[PredictorCount] = {
    {1, 5, "The 'Restrained eating' value out of range!"},
    {1, 5, "The 'Emotional eating' value out of range!"},
    {1, 5, "The 'External eating' value out of range!"},
    {7, 35, "The 'Personal standards' value out of range!"},
    {13, 65, "The 'Concern over mistakes, doubts about actions' value out of range!"},
    {1, 55, "The 'Body image dissatisfaction' value out of range!"},
    {30, 110, "The 'Alexithymia' value out of range!"},
    {15, 67, "The Body Mass Index value out of range!"},
};

// The C locale, except that a comma is never taken as a thousands separator: "0,035" typed
// by someone used to decimal commas must be refused, not read as 35.
QLocale plainNumberLocale()
{
    QLocale c(QLocale::C, QLocale::AnyTerritory);
    c.setNumberOptions(c.numberOptions() | QLocale::RejectGroupSeparator);
    return c;
}

} // namespace

const PredictorRange &predictorRange(Predictor predictor)
{
    return ranges[static_cast<int>(predictor)];
}

bool readPredictor(const QString &text, const PredictorRange &range, double *value)
{
    static const QLocale c = plainNumberLocale();
    bool ok = false;
    const double v = c.toDouble(text, &ok);
    // The C locale reads "nan" and "inf" as numbers; NaN would slip past both bounds.
    if (!ok || !std::isfinite(v) || v < range.lower || v > range.upper)
        return false;
    *value = v;
    return true;
}

int firstInvalidPredictor(const QStringList &texts, PredictorValues *values)
{
    for (int i = 0; i < PredictorCount; ++i) {
        const QString text = i < texts.size() ? texts.at(i) : QString();
        if (!readPredictor(text, ranges[i], &(*values)[i]))
            return i;
    }
    return -1;
}

QString formatPredictor(double value)
{
    return QStringLiteral("%1").arg(value, 0, 'f', 2, QLatin1Char(' '));
}
