#ifndef PLAINTEXTTR_H
#define PLAINTEXTTR_H

#include <QCoreApplication>

// The translation context of every text the plaintext library shows.
struct PlainTextTr
{
    Q_DECLARE_TR_FUNCTIONS(PlainText)
};

#endif // PLAINTEXTTR_H
