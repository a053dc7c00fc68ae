#ifndef CASECSV_H
#define CASECSV_H

#include "caserecord.h"

#include <QStringList>
#include <QVector>

class QIODevice;

// Cases as CSV: UTF-8, a header line, commas, RFC 4180 quoting, numbers in the C locale at
// full precision. The cohort tool reads exactly these columns back.
class CaseCsv
{
public:
    static QStringList columns();
    // One line, without its line break.
    static QString headerLine();
    static QString line(const CaseRecord &record);
    // A cell as written: quoted when needed, and text that a spreadsheet would run as a
    // formula (starting with =, +, -, @, a tab or a carriage return) led by an apostrophe.
    static QString textCell(const QString &text);
    static QString numberCell(double value);
    // The code's cell. A code that begins with an apostrophe, or that a new case could not
    // take (formula-like, or holding a tab or line break), is led by an apostrophe: the file
    // is safe in a spreadsheet, and reading the cell back with codeOfCell gives the code.
    static QString codeCell(const QString &code);
    // The code a cell stands for, exactly one leading apostrophe taken off; escaped tells
    // whether there was one (a code written that way is taken as it was kept).
    static QString codeOfCell(const QString &cell, bool *escaped);
    // Why a kept code cannot travel through a file and back (a control character other than a
    // tab or line break, from before such characters were refused), or an empty text.
    static QString codeCellRefusal(const QString &code);

    // Writes the header and one line per record, each ended by CR LF.
    static bool write(QIODevice *device, const QVector<CaseRecord> &records);
    // Writes to fileName through a temporary file, readable by the owner only; on failure
    // the file is left as it was and error says why.
    static bool save(const QString &fileName, const QVector<CaseRecord> &records,
                     QString *error);
};

#endif // CASECSV_H
