#include "reportwriter.h"

#include "reportdocument.h"
#include "reportpage.h"
#include "reporttr.h"

#include <QDir>
#include <QFileInfo>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <QStandardPaths>

bool ReportWriter::savePdf(const ReportDocument &document, const QString &fileName,
                           QString *error)
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)) {
        *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setTitle(document.title());
        writer.setCreator(QStringLiteral("model TELMA " TELMA_VERSION));
        ReportPage::prepare(writer);
        if (!document.paint(writer)) {
            file.cancelWriting();
            *error = ReportTr::tr("the page could not be drawn");
            return false;
        }
    }
    if (!file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

void ReportWriter::preparePrinter(QPrinter &printer, const QString &fileName)
{
    ReportPage::prepare(printer);
    printer.setDocName(QFileInfo(fileName).completeBaseName());
    // Setting a file name switches the printer to PDF; the dialog is to start on the
    // system's printer as before, with only the proposed file name changed.
    const QPrinter::OutputFormat format = printer.outputFormat();
    printer.setOutputFileName(fileName);
    printer.setOutputFormat(format);
}

bool ReportWriter::print(const ReportDocument &document, QPrinter &printer)
{
    return document.paint(printer);
}

QString ReportWriter::documentsFolder()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return folder.isEmpty() ? QDir::homePath() : folder;
}

QString ReportWriter::defaultFileName(const QString &caseCode, const QDate &date,
                                      const QString &kind)
{
    QString code = caseCode.trimmed();
    for (QChar &c : code)
        if (c.category() == QChar::Other_Control || QStringLiteral("/\\:*?\"<>|").contains(c))
            c = QLatin1Char('-');
    QString name = QStringLiteral("%1-%2")
                       .arg(code.isEmpty() ? QStringLiteral("telma") : code,
                            date.toString(Qt::ISODate));
    if (!kind.isEmpty())
        name += QLatin1Char('-') + kind;
    name += QLatin1String(".pdf");
    return QDir(documentsFolder()).filePath(name);
}
