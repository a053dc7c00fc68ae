#ifndef COHORTCASESTR_H
#define COHORTCASESTR_H

#include <QCoreApplication>

// The translation context of every text the cohortcases library shows.
struct CohortCasesTr
{
    Q_DECLARE_TR_FUNCTIONS(CohortCases)
};

#endif // COHORTCASESTR_H
