#include "varianttoreal.h"

#include <QDateTime>
#include <QTime>

#include <cmath>
#include <cstring>

double variantToReal(const QVariant &value)
{
    switch (value.typeId()) {
    // The two types charts hold most, read directly: a large model is scanned for every
    // limit update and every paint.
    case QMetaType::Double:
        return *static_cast<const double *>(value.constData());
    case QMetaType::Int:
        return *static_cast<const int *>(value.constData());
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        if (!value.canConvert(QMetaType(QMetaType::QDateTime)))
            return 0;
        return double(value.toDateTime().toMSecsSinceEpoch());
    case QMetaType::QTime: {
        const QTime time = value.toTime();
        return time.hour() * 3600000.0 + time.minute() * 60000.0 + time.second() * 1000.0
                + time.msec();
    }
    default:
        return value.canConvert(QMetaType(QMetaType::Double)) ? value.toDouble() : 0;
    }
}

bool identicalValues(const QVariant &a, const QVariant &b)
{
    if (a.typeId() != b.typeId())
        return false;
    if (a.typeId() == QMetaType::Double)
        return std::memcmp(a.constData(), b.constData(), sizeof(double)) == 0;
    return a == b;
}

double drawableRealOfOtherType(const QVariant &value)
{
    const double none = std::numeric_limits<double>::quiet_NaN();
    if (!value.isValid())
        return none;
    const double real = variantToReal(value);
    if (!std::isfinite(real))
        return none;
    switch (value.typeId()) {
    case QMetaType::QDate:
        return value.toDate().isValid() ? real : none;
    case QMetaType::QTime:
        return value.toTime().isValid() ? real : none;
    case QMetaType::QDateTime:
        return value.toDateTime().isValid() ? real : none;
    default:
        break;
    }
    // Text that is no number ("abc") is left out like an empty cell, not drawn as 0.
    bool number = false;
    value.toDouble(&number);
    return number ? real : none;
}
