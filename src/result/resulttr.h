#ifndef RESULTTR_H
#define RESULTTR_H

#include <QCoreApplication>

// The translation context of every text the result library shows.
struct ResultTr
{
    Q_DECLARE_TR_FUNCTIONS(Result)
};

#endif // RESULTTR_H
