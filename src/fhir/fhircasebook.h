#ifndef FHIRCASEBOOK_H
#define FHIRCASEBOOK_H

#include "casestore.h"
#include "fhircase.h"

#include <QString>
#include <QVector>

#include <functional>

// The case book as FHIR export and import use it: the one place that knows the store's
// interface, so that a change there is a change here alone.
class FhirCaseBook
{
public:
    explicit FhirCaseBook(CaseStore &store);

    // The cases of ids, or every case when ids is empty, by code, each with its visits.
    bool read(const QVector<qint64> &ids, QVector<FhirCase> *cases);
    // Every case by code with its visits, handed to each one at a time, a page of cases read
    // at a time; false when the book cannot be read or each returned false.
    bool forEach(const std::function<bool(const FhirCase &)> &each);
    // In one transaction with their audit entries: new cases with their visits, and further
    // visits (and heights) of cases already in the book. All or nothing.
    bool add(QVector<FhirCase> *newCases, const QVector<CaseVisits> &stored);
    // Why the last call failed, in words for the user.
    QString error() const;

private:
    CaseStore &m_store;
};

#endif // FHIRCASEBOOK_H
