#ifndef HANDOUTTR_H
#define HANDOUTTR_H

#include <QCoreApplication>

// The translation context of every text of the handout and its buttons.
struct HandoutTr
{
    Q_DECLARE_TR_FUNCTIONS(Handout)
};

#endif // HANDOUTTR_H
