#include "numberfield.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

QString bound(double value)
{
    return QString::number(value, 'g', 17);
}

QString quoted(std::string_view text)
{
    return QStringLiteral("“%1”").arg(QString::fromUtf8(text.data(), qsizetype(text.size())));
}

bool readPointNumber(std::string_view text, const PredictorRange &range, double *value)
{
    // from_chars reads a subset of what the C locale reads ("-3.5", "1e1", "3."), with the
    // same correctly rounded result. Signs, spaces and everything else go the window's way.
    double v = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (error == std::errc() && end == text.data() + text.size() && !text.empty()) {
        if (!std::isfinite(v) || v < range.lower || v > range.upper)
            return false;
        *value = v;
        return true;
    }
    return readPredictor(QString::fromUtf8(text.data(), qsizetype(text.size())), range, value);
}

} // namespace

bool readNumberField(std::string_view text, const PredictorRange &range, DecimalMark mark,
                     double *value)
{
    if (mark == DecimalMark::Point)
        return readPointNumber(text, range, value);
    if (text.find('.') != std::string_view::npos)
        return false;
    std::string pointed(text);
    for (char &c : pointed) {
        if (c == ',')
            c = '.';
    }
    return readPointNumber(pointed, range, value);
}

QString numberFieldRefusal(std::string_view text, const PredictorRange &range, DecimalMark mark)
{
    const std::string_view bare = trimmed(text);
    if (bare.empty())
        return QStringLiteral("The field is empty.");
    const char wrongMark = mark == DecimalMark::Point ? ',' : '.';
    if (bare.find(wrongMark) != std::string_view::npos) {
        std::string right(bare);
        for (char &c : right) {
            if (c == wrongMark)
                c = wrongMark == ',' ? '.' : ',';
        }
        return mark == DecimalMark::Point
            ? QStringLiteral("%1 uses a decimal comma: write %2.").arg(quoted(bare), QString::fromStdString(right))
            : QStringLiteral("%1 uses a decimal point: write %2.").arg(quoted(bare), QString::fromStdString(right));
    }
    double v = 0;
    PredictorRange any{-HUGE_VAL, HUGE_VAL, nullptr};
    if (!readNumberField(bare, any, mark, &v))
        return QStringLiteral("%1 is not a number.").arg(quoted(bare));
    return QStringLiteral("%1 is outside %2 to %3.")
        .arg(QString::fromUtf8(bare.data(), qsizetype(bare.size())), bound(range.lower), bound(range.upper));
}
