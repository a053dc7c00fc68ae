#ifndef BODYWEIGHT_H
#define BODYWEIGHT_H

#include <QString>

#include <optional>

// Kilograms from a BMI where the height is known: weight = BMI × height², the height in
// metres; shown with one decimal, as scales weigh. None without a height; the tables then leave the cell empty and give
// missingHeightReason() as its tool tip.
std::optional<double> weightFromBmi(double bmi, std::optional<double> heightMetres);

QString missingHeightReason();

#endif // BODYWEIGHT_H
