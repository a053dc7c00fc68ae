#include "bmiclass.h"

#include "resulttr.h"

#include <QCoreApplication>

#include <cmath>

namespace {

struct BmiClass {
    double lower; // included
    const char *name;
};

// Highest class first; the information text gives the ranges from 18.5 up.
const BmiClass classes[] = {
    {40.0, QT_TRANSLATE_NOOP("Result", "class III or extreme (massive/morbid) obesity")},
    {35.0, QT_TRANSLATE_NOOP("Result", "class II obesity")},
    {30.0, QT_TRANSLATE_NOOP("Result", "class I obesity")},
    {25.0, QT_TRANSLATE_NOOP("Result", "moderate overweight")},
    {18.5, QT_TRANSLATE_NOOP("Result", "normal weight")},
};

} // namespace

QString bmiClassName(double bmi)
{
    // A table row reading "25.00" must not say "normal weight".
    const double shown = std::round(bmi * 100.0) / 100.0;
    for (const BmiClass &c : classes) {
        if (shown >= c.lower)
            return ResultTr::tr(c.name);
    }
    return ResultTr::tr("underweight");
}
