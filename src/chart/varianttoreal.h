#ifndef VARIANTTOREAL_H
#define VARIANTTOREAL_H

#include <QVariant>

#include <optional>

// Maps any chart value onto one real axis: dates and date-times become milliseconds since
// the epoch, times milliseconds since midnight, everything else its value as a double.
// A value that cannot be read that way counts as 0.
double variantToReal(const QVariant &value);

// The real of a value that can be drawn, or nothing for an empty cell, a non-finite number
// or an invalid date, time or date-time: such values would put a point, or a limit, nowhere.
std::optional<double> drawableReal(const QVariant &value);

#endif // VARIANTTOREAL_H
