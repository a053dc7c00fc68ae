#ifndef COHORTREPORTTR_H
#define COHORTREPORTTR_H

#include <QCoreApplication>

// The translation context of every text the cohortreport library shows.
struct CohortReportTr
{
    Q_DECLARE_TR_FUNCTIONS(CohortReport)
};

#endif // COHORTREPORTTR_H
