#ifndef CASESTR_H
#define CASESTR_H

#include <QCoreApplication>

// The translation context of every text the cases library shows.
struct CasesTr
{
    Q_DECLARE_TR_FUNCTIONS(Cases)
};

#endif // CASESTR_H
