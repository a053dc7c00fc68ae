#ifndef FOLLOWUPTR_H
#define FOLLOWUPTR_H

#include <QCoreApplication>

// The translation context of every text the followup library shows.
struct FollowUpTr
{
    Q_DECLARE_TR_FUNCTIONS(FollowUp)
};

#endif // FOLLOWUPTR_H
