#ifndef PDFTOOLS_H
#define PDFTOOLS_H

// Reading a written PDF back through poppler-utils, as a person checking the file would.

#include <QProcess>
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

#endif // PDFTOOLS_H
