#ifndef REPORTTR_H
#define REPORTTR_H

#include <QCoreApplication>

// The translation context of every text the report library itself puts on a page.
struct ReportTr
{
    Q_DECLARE_TR_FUNCTIONS(Report)
};

#endif // REPORTTR_H
