#ifndef CASEBOOKTR_H
#define CASEBOOKTR_H

#include <QCoreApplication>

// The translation context of every text the casebook library shows.
struct CaseBookTr
{
    Q_DECLARE_TR_FUNCTIONS(CaseBook)
};

#endif // CASEBOOKTR_H
