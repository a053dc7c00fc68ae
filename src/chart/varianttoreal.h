#ifndef VARIANTTOREAL_H
#define VARIANTTOREAL_H

#include <QVariant>

#include <cmath>
#include <limits>

// Maps any chart value onto one real axis: dates and date-times become milliseconds since
// the epoch, times milliseconds since midnight, everything else its value as a double.
// A value that cannot be read that way counts as 0.
double variantToReal(const QVariant &value);

// Equal in type and value; doubles bit for bit, so that 0.0 and -0.0 or two NaNs of other
// payloads stay apart, and int 2 and double 2.0 too.
bool identicalValues(const QVariant &a, const QVariant &b);

// drawableReal() for every type but double and int.
double drawableRealOfOtherType(const QVariant &value);

// The type of a value, looked up inline: QVariant::typeId() is an out-of-line call, and
// the limit scan asks for it once per cell.
inline int variantType(const QVariant &value)
{
    return value.data_ptr().typeId();
}

// The real of a value that can be drawn, or NaN for an empty cell, a non-finite number or
// an invalid date, time or date-time: such values would put a point, or a limit, nowhere.
// A plain double rather than an optional one, and inline for the two types charts hold
// most: the limit scan calls this for every cell of the model. type is variantType(value).
inline double drawableReal(const QVariant &value, int type)
{
    switch (type) {
    case QMetaType::Double: {
        const double real = *static_cast<const double *>(value.constData());
        return std::isfinite(real) ? real : std::numeric_limits<double>::quiet_NaN();
    }
    case QMetaType::Int:
        return *static_cast<const int *>(value.constData());
    default:
        return drawableRealOfOtherType(value);
    }
}

inline double drawableReal(const QVariant &value)
{
    return drawableReal(value, variantType(value));
}

// drawableReal() for a value on an axis of type axisType: NaN as well where the value has
// another type, which the renderer skips like a value it cannot draw.
inline double drawableRealOfType(const QVariant &value, int axisType)
{
    const int type = variantType(value);
    return type == axisType ? drawableReal(value, type) : std::numeric_limits<double>::quiet_NaN();
}

#endif // VARIANTTOREAL_H
