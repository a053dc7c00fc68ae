#ifndef BMIENTRYTR_H
#define BMIENTRYTR_H

#include <QCoreApplication>

// The translation context of every text the bmientry library shows.
struct BmiEntryTr
{
    Q_DECLARE_TR_FUNCTIONS(BmiEntry)
};

#endif // BMIENTRYTR_H
