#ifndef UNSAVEDINPUTTR_H
#define UNSAVEDINPUTTR_H

#include <QCoreApplication>

// The translation context of every text the unsavedinput library shows.
struct UnsavedInputTr
{
    Q_DECLARE_TR_FUNCTIONS(UnsavedInput)
};

#endif // UNSAVEDINPUTTR_H
