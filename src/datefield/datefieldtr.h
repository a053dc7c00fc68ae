#ifndef DATEFIELDTR_H
#define DATEFIELDTR_H

#include <QCoreApplication>

// The translation context of every text the datefield library shows.
struct DateFieldTr
{
    Q_DECLARE_TR_FUNCTIONS(DateField)
};

#endif // DATEFIELDTR_H
