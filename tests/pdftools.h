#ifndef PDFTOOLS_H
#define PDFTOOLS_H

// Reading a written PDF back through poppler-utils, as a person checking the file would.

#include <QList>
#include <QProcess>
#include <QRectF>
#include <QRegularExpression>
#include <QString>
#include <QStringList>

// What the program printed, or an empty string when it is missing or failed.
inline QString runTool(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline int pageCount(const QString &pdf)
{
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// pdftotext breaks lines where the page does; joining them lets a test look for whole
// phrases whatever the wrapping.
inline QString pdfText(const QString &pdf)
{
    return runTool(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .simplified();
}

// One page as pdftotext -bbox sees it: its size in points and each word with its box.
struct PdfPage {
    QSizeF size;
    QList<QPair<QString, QRectF>> words;
    QString text() const
    {
        QStringList all;
        for (const auto &word : words)
            all << word.first;
        return all.join(QLatin1Char(' '));
    }
};

inline QList<PdfPage> pdfPages(const QString &pdf)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf,
                                                               QStringLiteral("-")});
    static const QRegularExpression tag(QStringLiteral(
        "<page width=\"([\\d.]+)\" height=\"([\\d.]+)\">|<word xMin=\"([\\d.-]+)\" "
        "yMin=\"([\\d.-]+)\" xMax=\"([\\d.-]+)\" yMax=\"([\\d.-]+)\">([^<]*)</word>"));
    QList<PdfPage> pages;
    for (const QRegularExpressionMatch &m : tag.globalMatch(html)) {
        if (!m.captured(1).isEmpty()) {
            pages.append({QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()), {}});
        } else if (!pages.isEmpty()) {
            const QRectF box(QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()),
                             QPointF(m.captured(5).toDouble(), m.captured(6).toDouble()));
            QString word = m.captured(7);
            word.replace(QLatin1String("&lt;"), QLatin1String("<"))
                .replace(QLatin1String("&gt;"), QLatin1String(">"))
                .replace(QLatin1String("&quot;"), QLatin1String("\""))
                .replace(QLatin1String("&#39;"), QLatin1String("'"))
                .replace(QLatin1String("&apos;"), QLatin1String("'"))
                .replace(QLatin1String("&amp;"), QLatin1String("&"));
            pages.last().words.append({word, box});
        }
    }
    return pages;
}

#endif // PDFTOOLS_H
