#ifndef JSONNUMBER_H
#define JSONNUMBER_H

#include <QByteArray>

// Appends value in full precision, the shortest text that reads back as the same double;
// null for a value that cannot be computed (NaN, infinite).
void appendJsonNumber(QByteArray &out, double value);

#endif // JSONNUMBER_H
