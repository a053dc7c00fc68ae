#ifndef CASESTOREFIXTURE_H
#define CASESTOREFIXTURE_H

#include "bmicourse.h"
#include "caserecord.h"

#include <QDate>
#include <QTemporaryDir>
#include <QTest>

// Every store test gets its database from freshCaseBook(), so that the same test cases can
// run against any database engine the store supports: only this file knows where the
// databases are.
inline QString freshCaseBook()
{
    static QTemporaryDir folder;
    static int count = 0;
    return folder.filePath(QStringLiteral("casebook-%1/cases.sqlite").arg(++count));
}

// A typical person saved under code, with values that differ from case to case so that a
// mixed-up row shows; the restrained-eating value came from the questionnaire.
inline CaseRecord sampleCase(const QString &code, int variant = 0)
{
    CaseRecord record;
    record.code = code;
    record.baselineDate = QDate(2026, 1, 1).addDays(variant % 300);
    record.heightMetres = 1.5 + (variant % 50) / 100.0;
    record.predictors = {3.1, 2.0 + (variant % 30) / 10.0, 3.0, 21, 39, 28, 70,
                         30.0 + (variant % 300) / 10.0};
    record.sources[0] = QStringLiteral("DEBQ, “Restrained eating” scale");
    record.answers[0] = {0, 1, 2, 3, 4, -1, 0, 1, 2, 3};
    record.course = predictBmiCourse(record.predictors);
    record.modelVersion = QStringLiteral("1.0.0");
    return record;
}

// The values a case holds, compared field by field so that a failure names the field.
inline void compareCaseValues(const CaseRecord &actual, const CaseRecord &expected)
{
    QCOMPARE(actual.code, expected.code);
    QCOMPARE(actual.baselineDate, expected.baselineDate);
    QCOMPARE(actual.heightMetres.has_value(), expected.heightMetres.has_value());
    if (expected.heightMetres)
        QCOMPARE(*actual.heightMetres, *expected.heightMetres);
    for (int p = 0; p < PredictorCount; ++p) {
        QCOMPARE(actual.predictors[p], expected.predictors[p]);
        QCOMPARE(actual.sources[p], expected.sources[p]);
        QCOMPARE(actual.answers[p], expected.answers[p]);
    }
    for (int m = 0; m < CourseMonths; ++m)
        QCOMPARE(actual.course[m], expected.course[m]);
    QCOMPARE(actual.modelVersion, expected.modelVersion);
}

#endif // CASESTOREFIXTURE_H
