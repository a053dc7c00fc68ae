#ifndef FHIRTR_H
#define FHIRTR_H

#include <QCoreApplication>

// The translation context of every text the fhir library shows.
struct FhirTr
{
    Q_DECLARE_TR_FUNCTIONS(Fhir)
};

#endif // FHIRTR_H
