#ifndef DATABASEDIALOGTR_H
#define DATABASEDIALOGTR_H

#include <QCoreApplication>

// The translation context of every text the databasedialog library shows.
struct DatabaseDialogTr
{
    Q_DECLARE_TR_FUNCTIONS(DatabaseDialog)
};

#endif // DATABASEDIALOGTR_H
