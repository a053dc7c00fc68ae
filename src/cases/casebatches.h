#ifndef CASEBATCHES_H
#define CASEBATCHES_H

#include "caserecord.h"
#include "visit.h"

#include <QList>
#include <QVector>

#include <memory>

class CaseStore;
class CaseStoreWrite;

// New cases added to the case book batch by batch, all in one transaction: a change too large
// to hold at once (a whole cohort file) needs the memory of one batch only, and is still
// stored whole at commit() or not at all. On the clinic server each batch is one call of the
// set-based function, up to CaseStore::ServerChunk cases a call.
class CaseBatches
{
public:
    explicit CaseBatches(CaseStore &store);
    ~CaseBatches(); // rolls back what was not committed
    CaseBatches(const CaseBatches &) = delete;
    CaseBatches &operator=(const CaseBatches &) = delete;

    // Begins the transaction, holding the write lock; false with the store's error.
    bool begin();
    bool active() const { return bool(m_write); }
    // Writes records, visits[i] being those of records[i], and fills in their ids. A case or
    // visit that fails its check, a code in use (DuplicateCode) or a failed write rolls back
    // every batch so far and returns false with the store's error.
    bool add(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits);
    // False, with nothing stored, when the transaction cannot be committed.
    bool commit();
    void rollback();

private:
    CaseStore &m_store;
    std::unique_ptr<CaseStoreWrite> m_write;
};

#endif // CASEBATCHES_H
