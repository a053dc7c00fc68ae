#ifndef FHIRCASE_H
#define FHIRCASE_H

#include "caserecord.h"
#include "visit.h"

#include <QList>

// A case with its visits in date order, as it leaves in or arrives from a FHIR Bundle.
struct FhirCase {
    CaseRecord record;
    QList<Visit> visits;
};

#endif // FHIRCASE_H
