#ifndef FOLLOWUPVIEWTR_H
#define FOLLOWUPVIEWTR_H

#include <QCoreApplication>

// The translation context of every text the followupview library shows.
struct FollowUpViewTr
{
    Q_DECLARE_TR_FUNCTIONS(FollowUpView)
};

#endif // FOLLOWUPVIEWTR_H
