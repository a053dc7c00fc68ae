#ifndef FHIRSAMPLEBOOK_H
#define FHIRSAMPLEBOOK_H

#include "casestore.h"
#include "casestorefixture.h"
#include "visitcheck.h"

#include <QDate>
#include <QVector>

// A small case book with what a FHIR export has to carry: a case with a height, weights and
// questionnaire answers (one item left open), one without a height, a code outside ASCII and
// numbers that do not round to a few decimals. Dates count back from today, so every visit
// is in the past.
inline bool fillSmallBook(CaseStore &store)
{
    const QDate today = QDate::currentDate();
    QVector<CaseRecord> records{sampleCase(QStringLiteral("A-1"), 0),
                                sampleCase(QStringLiteral("Bö 2"), 7),
                                sampleCase(QStringLiteral("C3"), 21)};
    records[0].baselineDate = today.addDays(-200);
    records[1].baselineDate = today.addDays(-150);
    records[1].heightMetres.reset();
    records[1].predictors[7] = 35.123456789012344;
    records[1].course = predictBmiCourse(records[1].predictors);
    records[2].baselineDate = today.addDays(-90);
    records[2].sources[6] = QStringLiteral("TAS-26");
    records[2].answers[6] = QVector<int>(26, 2);
    records[2].answers[6][3] = -1;
    const double height = *records[0].heightMetres;
    const QVector<QList<Visit>> visits{
        {{0, records[0].baselineDate.addDays(30), bmiFromWeight(70.3, height), 70.3, {}},
         {0, records[0].baselineDate.addDays(61), 29.87, std::nullopt, QStringLiteral("typed BMI")},
         {0, records[0].baselineDate.addDays(92), bmiFromWeight(68.95, height), 68.95, {}}},
        {{0, records[1].baselineDate.addDays(31), 34.6, std::nullopt, {}}},
        {},
    };
    return store.addCases(&records, visits);
}

#endif // FHIRSAMPLEBOOK_H
