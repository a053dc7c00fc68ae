#ifndef DECIMALSCALE_H
#define DECIMALSCALE_H

// value times factor (exact decimal text such as "0.45359237"), worked out on the decimal
// digits of value's shortest form and only then rounded to the nearest double: 1.72 m
// becomes 172 cm, not 172.00000000000003.
double scaleDecimal(double value, const char *factor);

#endif // DECIMALSCALE_H
