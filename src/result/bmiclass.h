#ifndef BMICLASS_H
#define BMICLASS_H

#include <QString>

// The WHO weight class of a BMI value (kg/m2), named as the main window's information
// text names it. The value is classed as it is shown, rounded to two decimals.
QString bmiClassName(double bmi);

#endif // BMICLASS_H
