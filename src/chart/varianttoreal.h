#ifndef VARIANTTOREAL_H
#define VARIANTTOREAL_H

#include <QVariant>

// Maps any chart value onto one real axis: dates and date-times become milliseconds since
// the epoch, times milliseconds since midnight, everything else its value as a double.
// A value that cannot be read that way counts as 0.
double variantToReal(const QVariant &value);

#endif // VARIANTTOREAL_H
