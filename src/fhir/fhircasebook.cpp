#include "fhircasebook.h"

#include "visitstore.h"

FhirCaseBook::FhirCaseBook(CaseStore &store)
    : m_store(store)
{
}

bool FhirCaseBook::read(const QVector<qint64> &ids, QVector<FhirCase> *cases)
{
    cases->clear();
    QVector<CaseRecord> records;
    QHash<qint64, QList<Visit>> visits;
    if (!m_store.readCases(ids, &records) || !VisitStore(m_store).allVisits(&visits))
        return false;
    cases->reserve(records.size());
    for (const CaseRecord &record : std::as_const(records))
        cases->append({record, visits.value(record.id)});
    return true;
}

bool FhirCaseBook::forEach(const std::function<bool(const FhirCase &)> &each)
{
    return m_store.forEachCase([&each](const CaseRecord &record, const QList<Visit> &visits) {
        return each({record, visits});
    });
}

bool FhirCaseBook::add(QVector<FhirCase> *newCases, const QVector<CaseVisits> &stored)
{
    QVector<CaseRecord> records;
    QVector<QList<Visit>> visits;
    for (const FhirCase &item : std::as_const(*newCases)) {
        records.append(item.record);
        visits.append(item.visits);
    }
    if (!m_store.addCases(&records, visits, stored))
        return false;
    for (int i = 0; i < records.size(); ++i)
        (*newCases)[i].record = records.at(i);
    return true;
}

QString FhirCaseBook::error() const
{
    return m_store.lastError().message;
}
