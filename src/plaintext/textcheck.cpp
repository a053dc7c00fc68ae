#include "textcheck.h"

#include "plaintexttr.h"

#include <QCoreApplication>

#include <cstring>

namespace {

const char *const controlNames[32] = {
    "NUL", "SOH", "STX", "ETX", "EOT", "ENQ", "ACK", "BEL", "BS", "HT", "LF",
    "VT",  "FF",  "CR",  "SO",  "SI",  "DLE", "DC1", "DC2", "DC3", "DC4", "NAK",
    "SYN", "ETB", "CAN", "EM",  "SUB", "ESC", "FS",  "GS",  "RS",  "US",
};

QString hex(uint value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0'));
}

bool isLineBreak(char32_t c)
{
    return c == '\n' || c == '\r' || c == 0x2028 || c == 0x2029;
}

// What is wrong with the character c in a field that may hold allowed, or an empty text.
QString characterFault(char32_t c, int allowed)
{
    if (c == '\t')
        return allowed & TextCheck::Tabs ? QString() : PlainTextTr::tr("a tab");
    if (isLineBreak(c))
        return allowed & TextCheck::LineBreaks ? QString() : PlainTextTr::tr("a line break");
    if (c == 0)
        return PlainTextTr::tr("a NUL character");
    if (c < 0x20)
        return PlainTextTr::tr("the control character U+%1 (%2)").arg(hex(c, 4), QLatin1String(controlNames[c]));
    if (c == 0x7f || (c >= 0x80 && c < 0xa0))
        return PlainTextTr::tr("the control character U+%1").arg(hex(c, 4));
    if (c == 0xfeff)
        return PlainTextTr::tr("a byte-order mark (U+FEFF)");
    return QString();
}

int utf8Length(char32_t c)
{
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// The length of the valid UTF-8 sequence at text[at], or 0 (RFC 3629: no overlong forms, no
// surrogates, nothing above U+10FFFF).
int sequenceLength(std::string_view text, size_t at, char32_t *decoded)
{
    const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80) {
        *decoded = lead;
        return 1;
    }
    int length = 0;
    unsigned char low = 0x80, high = 0xbf;
    if (lead >= 0xc2 && lead <= 0xdf)
        length = 2;
    else if (lead >= 0xe0 && lead <= 0xef) {
        length = 3;
        if (lead == 0xe0)
            low = 0xa0;
        else if (lead == 0xed)
            high = 0x9f;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        length = 4;
        if (lead == 0xf0)
            low = 0x90;
        else if (lead == 0xf4)
            high = 0x8f;
    } else {
        return 0;
    }
    if (at + size_t(length) > text.size())
        return 0;
    char32_t c = lead & (0xff >> (length + 1));
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(at + size_t(i));
        if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xbf))
            return 0;
        c = (c << 6) | (next & 0x3f);
    }
    *decoded = c;
    return length;
}

} // namespace

QString TextCheck::Fault::clause() const
{
    return PlainTextTr::tr("holds %1 at byte %2").arg(what).arg(offset);
}

TextCheck::Fault TextCheck::check(std::string_view utf8, int allowed)
{
    for (size_t at = 0; at < utf8.size();) {
        // Printable ASCII, nearly every byte of a table, needs no more look: eight bytes at a
        // time while none is below 0x20, 0x7F or above.
        constexpr quint64 ones = 0x0101010101010101ULL, highs = 0x8080808080808080ULL;
        while (at + 8 <= utf8.size()) {
            quint64 word;
            std::memcpy(&word, utf8.data() + at, 8);
            const quint64 below = (word - 0x20 * ones) & ~word & highs;
            const quint64 del = ((word ^ (0x7f * ones)) - ones) & ~(word ^ (0x7f * ones)) & highs;
            if ((word & highs) | below | del)
                break;
            at += 8;
        }
        if (at >= utf8.size())
            break;
        const unsigned char byte = static_cast<unsigned char>(utf8[at]);
        if (byte >= 0x20 && byte < 0x7f) {
            ++at;
            continue;
        }
        char32_t c = 0;
        const int length = sequenceLength(utf8, at, &c);
        if (length == 0)
            return {qsizetype(at), PlainTextTr::tr("invalid UTF-8 (byte 0x%1)")
                                       .arg(hex(static_cast<unsigned char>(utf8[at]), 2))};
        const QString fault = characterFault(c, allowed);
        if (!fault.isEmpty())
            return {qsizetype(at), fault};
        at += size_t(length);
    }
    return {};
}

TextCheck::Fault TextCheck::check(const QString &text, int allowed)
{
    qsizetype offset = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t c = text.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
        } else if (QChar::isSurrogate(c)) {
            return {offset, PlainTextTr::tr("a lone UTF-16 surrogate")};
        }
        const QString fault = characterFault(c, allowed);
        if (!fault.isEmpty())
            return {offset, fault};
        offset += utf8Length(c);
    }
    return {};
}

QString TextCheck::visible(const QString &text)
{
    QString shown = text;
    for (QChar &c : shown) {
        if (c.unicode() < 0x20)
            c = QChar(0x2400 + c.unicode());
        else if (c.unicode() == 0x7f)
            c = QChar(0x2421);
        else if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            c = QChar(QChar::ReplacementCharacter);
    }
    return shown;
}
