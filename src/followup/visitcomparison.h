#ifndef VISITCOMPARISON_H
#define VISITCOMPARISON_H

#include "bmicourse.h"
#include "visit.h"

#include <QString>

#include <optional>

// One visit set against the predicted course at its month. The model covers months 0 to
// 6 only: later visits have no predicted value and so no difference.
struct VisitComparison {
    double month = 0;
    double observed = 0;
    std::optional<double> predicted;
    std::optional<double> difference; // observed − predicted, kg/m²
    std::optional<double> percent;    // of the predicted value
};

VisitComparison compareVisit(const PredictorValues &predictors, const QDate &baseline,
                             const Visit &visit);

// value with the given decimals and a sign before every non-zero text: "+0.35", "-1.20",
// and "0.00" for what rounds to zero either way.
QString signedNumber(double value, int decimals);

#endif // VISITCOMPARISON_H
