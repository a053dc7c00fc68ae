#ifndef CONNECTIONTR_H
#define CONNECTIONTR_H

#include <QCoreApplication>

// The translation context of every text the connection library shows.
struct ConnectionTr
{
    Q_DECLARE_TR_FUNCTIONS(Connection)
};

#endif // CONNECTIONTR_H
