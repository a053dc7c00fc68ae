#include "decimalscale.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

#include <cmath>
#include <vector>

namespace {

// A decimal number as its digits (most significant first) times ten to the exponent.
struct Decimal {
    bool negative = false;
    std::vector<int> digits;
    int exponent = 0;
};

Decimal parse(const QByteArray &text)
{
    Decimal d;
    int i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        d.negative = text[i++] == '-';
    bool afterPoint = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.') {
            afterPoint = true;
        } else if (c >= '0' && c <= '9') {
            d.digits.push_back(c - '0');
            if (afterPoint)
                --d.exponent;
        } else if (c == 'e' || c == 'E') {
            d.exponent += text.mid(i + 1).toInt();
            break;
        }
    }
    return d;
}

} // namespace

double scaleDecimal(double value, const char *factor)
{
    if (!std::isfinite(value))
        return value;
    const Decimal a = parse(QString::number(value, 'g', QLocale::FloatingPointShortest).toLatin1());
    const Decimal b = parse(QByteArray(factor));
    std::vector<int> product(a.digits.size() + b.digits.size(), 0);
    for (size_t i = a.digits.size(); i-- > 0;) {
        for (size_t j = b.digits.size(); j-- > 0;)
            product[i + j + 1] += a.digits[i] * b.digits[j];
    }
    for (size_t k = product.size(); k-- > 1;) {
        product[k - 1] += product[k] / 10;
        product[k] %= 10;
    }
    QByteArray text = a.negative != b.negative ? "-" : "";
    for (int digit : product)
        text += char('0' + digit);
    text += 'e' + QByteArray::number(a.exponent + b.exponent);
    return text.toDouble();
}
