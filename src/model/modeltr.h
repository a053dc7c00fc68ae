#ifndef MODELTR_H
#define MODELTR_H

#include <QCoreApplication>

// The translation context of every text the model library shows.
struct ModelTr
{
    Q_DECLARE_TR_FUNCTIONS(Model)
};

#endif // MODELTR_H
