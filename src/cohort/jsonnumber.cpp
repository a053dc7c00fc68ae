#include "jsonnumber.h"

#include <charconv>
#include <cmath>

void appendJsonNumber(QByteArray &out, double value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    out.append(text, int(result.ptr - text));
}
