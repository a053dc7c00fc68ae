#ifndef COHORTTR_H
#define COHORTTR_H

#include <QCoreApplication>

// The translation context of every text the cohort library shows.
struct CohortTr
{
    Q_DECLARE_TR_FUNCTIONS(Cohort)
};

#endif // COHORTTR_H
