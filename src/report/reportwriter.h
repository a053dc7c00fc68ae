#ifndef REPORTWRITER_H
#define REPORTWRITER_H

#include <QDate>
#include <QString>

class QPrinter;
class ReportDocument;

// The one way a document leaves the program: as a PDF file or on a printer. A PDF is
// written beside its place and moved there only when complete, readable by its owner only,
// since every report names a person's case or scores.
class ReportWriter
{
public:
    // On failure the file is left as it was (or absent) and error says why in a few words.
    static bool savePdf(const ReportDocument &document, const QString &fileName,
                        QString *error);

    // Makes printer ready for a print dialog: A4, the document's name, and the file that
    // printing to a file proposes, in the documents folder as Save PDF… does.
    static void preparePrinter(QPrinter &printer, const QString &fileName);
    static bool print(const ReportDocument &document, QPrinter &printer);

    // The user's documents folder, where saving and printing to a file start.
    static QString documentsFolder();
    // "<code>-<date>-<kind>.pdf" in the documents folder, e.g. AB-101-2026-12-09-follow-up.pdf;
    // without a code, "telma-<date>-<kind>.pdf"; an empty kind adds nothing. Characters a
    // file name cannot hold become "-".
    static QString defaultFileName(const QString &caseCode, const QDate &date,
                                   const QString &kind);
};

#endif // REPORTWRITER_H
