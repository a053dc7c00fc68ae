#include "predictorcheck.h"

#include "modeltr.h"

#include <QCoreApplication>
#include <QLocale>

#include <cmath>

namespace {

// The main window's own warnings: they keep its translation context.
const PredictorRange ranges[PredictorCount] = {
    {1, 5, QT_TRANSLATE_NOOP("MainWindow", "The 'Restrained eating' value out of range!")},
    {1, 5, QT_TRANSLATE_NOOP("MainWindow", "The 'Emotional eating' value out of range!")},
    {1, 5, QT_TRANSLATE_NOOP("MainWindow", "The 'External eating' value out of range!")},
    {7, 35, QT_TRANSLATE_NOOP("MainWindow", "The 'Personal standards' value out of range!")},
    {13, 65, QT_TRANSLATE_NOOP("MainWindow", "The 'Concern over mistakes, doubts about actions' value out of range!")},
    {1, 55, QT_TRANSLATE_NOOP("MainWindow", "The 'Body image dissatisfaction' value out of range!")},
    {30, 110, QT_TRANSLATE_NOOP("MainWindow", "The 'Alexithymia' value out of range!")},
    {15, 67, QT_TRANSLATE_NOOP("MainWindow", "The Body Mass Index value out of range!")},
};

// The C locale, except that a comma is never taken as a thousands separator: "0,035" typed
// by someone used to decimal commas must be refused, not read as 35.
QLocale plainNumberLocale()
{
    QLocale c(QLocale::C, QLocale::AnyTerritory);
    c.setNumberOptions(c.numberOptions() | QLocale::RejectGroupSeparator);
    return c;
}

// A bound as the user would write it: 15, 2.5.
QString bound(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
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

QString refusalReason(const QString &text, const PredictorRange &range)
{
    static const QLocale c = plainNumberLocale();
    const QString typed = text.trimmed();
    const QString from = bound(range.lower);
    const QString to = bound(range.upper);
    const QString writeANumber = ModelTr::tr("Write a number from %1 to %2.").arg(from, to);
    if (typed.isEmpty())
        return ModelTr::tr("The field is empty.") + QLatin1Char(' ') + writeANumber;

    // Read exactly as readPredictor reads, so that the reason matches the refusal.
    bool ok = false;
    double value = c.toDouble(text, &ok);
    QString reason;
    QString shown = typed;
    // One comma where a period belongs: say how to write it, then judge the number meant.
    if (!ok && typed.count(QLatin1Char(',')) == 1) {
        const QString withPeriod = QString(typed).replace(QLatin1Char(','), QLatin1Char('.'));
        value = c.toDouble(QString(text).replace(QLatin1Char(','), QLatin1Char('.')), &ok);
        if (ok && std::isfinite(value)) {
            reason = ModelTr::tr("“%1” uses a decimal comma: write %2.").arg(typed, withPeriod);
            shown = withPeriod;
        }
    }
    if (!ok || !std::isfinite(value))
        return ModelTr::tr("“%1” is not a number.").arg(typed) + QLatin1Char(' ') + writeANumber;
    if (value < range.lower || value > range.upper) {
        const QString outside = ModelTr::tr("%1 is outside %2 to %3.").arg(shown, from, to);
        return reason.isEmpty() ? outside : reason + QLatin1Char(' ') + outside;
    }
    return reason;  // empty only for a text that is accepted
}
