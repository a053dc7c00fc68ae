#include "bodyweight.h"

#include "modeltr.h"

#include <QCoreApplication>

std::optional<double> weightFromBmi(double bmi, std::optional<double> heightMetres)
{
    if (!heightMetres || !(*heightMetres > 0))
        return std::nullopt;
    return bmi * *heightMetres * *heightMetres;
}

QString missingHeightReason()
{
    return ModelTr::tr("No height is recorded for this case, so "
                       "the BMI cannot be given in kilograms.");
}
