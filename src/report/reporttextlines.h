#ifndef REPORTTEXTLINES_H
#define REPORTTEXTLINES_H

#include <QFont>
#include <QStringList>

// Breaks a text into the lines it takes at a width: only at spaces and line breaks, so that
// "kg/m²" or a number joined to its unit by a no-break space stays whole. A word wider than
// the whole width is cut where it must be, so that nothing runs past the width.
QStringList reportTextLines(const QString &text, const QFont &font, double width);

#endif // REPORTTEXTLINES_H
