#ifndef TABSEPARATEDTEXT_H
#define TABSEPARATEDTEXT_H

#include <QString>

class QAbstractItemModel;

// The model's top-level table as tab-separated text for spreadsheets: one line of the
// horizontal headers, then one line per row, each line ending in a newline. Numbers are
// written in the C locale and exactly (shortest text that reads back to the same double),
// dates and times in ISO order, empty cells as nothing. Tabs and line breaks inside a
// text are turned into spaces so that they cannot shift a cell or split a row.
QString tabSeparatedText(const QAbstractItemModel &model);

#endif // TABSEPARATEDTEXT_H
