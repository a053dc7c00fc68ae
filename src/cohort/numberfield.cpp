#include "numberfield.h"

#include "cohorttr.h"

#include <charconv>
#include <cmath>
#include <string>

namespace {

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
    const QString typed = QString::fromUtf8(text.data(), qsizetype(text.size()));
    if (mark == DecimalMark::Point)
        return refusalReason(typed, range);
    // With decimal commas a point is the wrong mark; otherwise the window's reason for the
    // number meant, showing the text as the file writes it.
    const QString bare = typed.trimmed();
    if (bare.contains(QLatin1Char('.'))) {
        const QString right = QString(bare).replace(QLatin1Char('.'), QLatin1Char(','));
        return CohortTr::tr("“%1” uses a decimal point: write %2.").arg(bare, right);
    }
    const QString pointed = QString(bare).replace(QLatin1Char(','), QLatin1Char('.'));
    QString reason = refusalReason(pointed, range);
    const qsizetype at = pointed.isEmpty() ? -1 : reason.indexOf(pointed);
    if (at >= 0)
        reason.replace(at, pointed.size(), bare);
    return reason;
}

QString refusalClause(QString sentences)
{
    if (sentences.endsWith(QLatin1Char('.')))
        sentences.chop(1);
    if (sentences.startsWith(QLatin1String("The ")))
        sentences[0] = QLatin1Char('t');
    // A sentence break outside the quoted text becomes a dash: "; " already separates columns.
    bool quoted = false;
    for (qsizetype i = 0; i + 2 < sentences.size(); ++i) {
        const QChar c = sentences.at(i);
        if (c == QChar(0x201C) || c == QChar(0x201D))
            quoted = c == QChar(0x201C);
        else if (!quoted && c == QLatin1Char('.') && sentences.at(i + 1) == QLatin1Char(' ')
                 && (sentences.at(i + 2).isUpper() || sentences.at(i + 2).isDigit())) {
            sentences.replace(i, 2, QStringLiteral(" – "));
            sentences[i + 3] = sentences.at(i + 3).toLower();
        }
    }
    return sentences;
}
