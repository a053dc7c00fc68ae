#include "visitcomparison.h"

VisitComparison compareVisit(const PredictorValues &predictors, const QDate &baseline,
                             const Visit &visit)
{
    VisitComparison c;
    c.month = visitMonth(baseline, visit.date);
    c.observed = visit.bmi;
    if (c.month >= 0 && c.month <= CourseMonths) {
        const double predicted = predictBmiAt(predictors, c.month);
        c.predicted = predicted;
        c.difference = visit.bmi - predicted;
        c.percent = 100.0 * (visit.bmi - predicted) / predicted;
    }
    return c;
}

QString signedNumber(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    // "-0.00" would claim a direction the rounded number does not have.
    if (text.toDouble() == 0)
        return QString::number(0.0, 'f', decimals);
    if (value > 0)
        text.prepend(QLatin1Char('+'));
    return text;
}
