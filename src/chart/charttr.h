#ifndef CHARTTR_H
#define CHARTTR_H

#include <QCoreApplication>

// The translation context of every text the chart library shows.
struct ChartTr
{
    Q_DECLARE_TR_FUNCTIONS(Chart)
};

#endif // CHARTTR_H
