#include "reporttextlines.h"

#include <QFontMetricsF>

namespace {

// Cuts a word too wide for the line into pieces that each fit.
QStringList cutWord(const QString &word, const QFontMetricsF &metrics, double width)
{
    QStringList pieces;
    QString piece;
    for (const QChar c : word) {
        if (!piece.isEmpty() && metrics.horizontalAdvance(piece + c) > width) {
            pieces << piece;
            piece.clear();
        }
        piece += c;
    }
    if (!piece.isEmpty())
        pieces << piece;
    return pieces;
}

} // namespace

QStringList reportTextLines(const QString &text, const QFont &font, double width)
{
    const QFontMetricsF metrics(font);
    QStringList lines;
    for (const QString &paragraph : text.split(QLatin1Char('\n'))) {
        QString line;
        // Leading spaces indent a line, as in "   95% CI"; they are kept.
        qsizetype indent = 0;
        while (indent < paragraph.size() && paragraph.at(indent) == QLatin1Char(' '))
            ++indent;
        const QString lead = paragraph.left(indent);
        const QStringList words =
            paragraph.mid(indent).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        line = lead;
        bool lineHasWord = false;
        for (const QString &word : words) {
            const QString joined = lineHasWord ? line + QLatin1Char(' ') + word : line + word;
            if (metrics.horizontalAdvance(joined) <= width) {
                line = joined;
                lineHasWord = true;
                continue;
            }
            if (lineHasWord)
                lines << line;
            line.clear();
            lineHasWord = false;
            QStringList pieces = cutWord(word, metrics, width);
            line = pieces.takeLast();
            lines << pieces;
            lineHasWord = true;
        }
        lines << line;
    }
    return lines;
}
