#ifndef COURSECAUTION_H
#define COURSECAUTION_H

#include "bmicourse.h"

#include <QString>

// True when a predicted month falls below the lowest initial BMI the program accepts:
// such a course lies outside what the model was made for.
bool courseNeedsCaution(const BmiCourse &course);

// The one line that says so, shown under the chart and printed in the report.
QString courseCautionText();

#endif // COURSECAUTION_H
