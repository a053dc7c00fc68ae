#ifndef CASEFIELDS_H
#define CASEFIELDS_H

#include "bmicourse.h"

#include <QString>
#include <QStringList>

// Column names shared by the database and the CSV export, so that both always agree.
namespace CaseFields {

// The predictor's column, e.g. "restrained_eating"; its source column adds "_source".
QString predictorColumn(Predictor predictor);
inline QString predictorColumn(int index) { return predictorColumn(static_cast<Predictor>(index)); }
// The predictors' columns in order, each after prefix (a table's alias and a dot), joined
// by commas for a select list.
QString predictorColumns(const QString &prefix);
// "predicted_month_1" to "predicted_month_6"; month counts from 1.
QString monthColumn(int month);

// Accepted height in metres, bounds included.
constexpr double MinHeightMetres = 1.00;
constexpr double MaxHeightMetres = 2.50;
// A code has 1 to this many characters (Unicode code points).
constexpr int MaxCodeLength = 40;

int codeLength(const QString &code);
// The code as stored: in Unicode NFC, so that a code typed in either Unicode form is one.
QString storedCode(const QString &code);
// The code as compared and found: NFC, then case-folded. Two codes with one fold are one
// code; the filter of the case list matches folds too.
QString foldedCode(const QString &code);

// Why code cannot be taken for a new case, as a clause ("begins with “=”, which a spreadsheet
// would take for a formula", "holds a tab at byte 3"), or an empty text. A new code may not
// begin with =, +, - or @, nor hold a tab, a line break, another control character or a
// byte-order mark. Codes kept from earlier versions stay as they are and open as ever.
QString newCodeRefusal(const QString &code);

} // namespace CaseFields

#endif // CASEFIELDS_H
