#ifndef NUMBERFIELD_H
#define NUMBERFIELD_H

#include "predictorcheck.h"

#include <QString>

#include <string_view>

// How a file writes its decimal numbers.
enum class DecimalMark { Point, Comma };

// Reads one field of a file the way the window reads a predictor field (C locale, no group
// separators, bounds included, finite). Plain numbers take a fast path; anything else goes
// through the window's own reader, so both always agree. With DecimalMark::Comma the file
// writes "35,5" for 35.5 and a point is refused.
bool readNumberField(std::string_view text, const PredictorRange &range, DecimalMark mark,
                     double *value);

// Why readNumberField refused text, in the window's words (refusalReason), e.g. "70 is
// outside 15 to 67."; with DecimalMark::Comma the number as the file writes it.
QString numberFieldRefusal(std::string_view text, const PredictorRange &range, DecimalMark mark);
// The window's sentences as one clause after a column name, as files and listings write
// them: "the field is empty – write a number from 15 to 67".
QString refusalClause(QString sentences);

#endif // NUMBERFIELD_H
