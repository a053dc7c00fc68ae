#include "casebatches.h"

#include "casestore.h"
#include "casestorewrite.h"

#include <QtGlobal>

CaseBatches::CaseBatches(CaseStore &store)
    : m_store(store)
{
}

CaseBatches::~CaseBatches() = default;

bool CaseBatches::begin()
{
    m_store.m_connection.clearError();
    if (!m_store.m_connection.connected())
        return false;
    // On the server, more than one call: the calls then share a transaction.
    m_write = std::make_unique<CaseStoreWrite>(m_store.m_connection, QT_TRANSLATE_NOOP("Cases", "save the cases"), 2);
    if (!m_write->begun())
        m_write.reset();
    return active();
}

bool CaseBatches::add(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits)
{
    if (!active())
        return false;
    m_store.m_connection.clearError();
    bool saved = m_store.checkNewCases(*records, visits);
    if (saved && !m_store.m_connection.isServer()) {
        saved = m_store.insertHere(records, visits, *m_write);
    } else if (saved) {
        const QStringList arguments =
            CaseServerFunctions::batchArguments(*records, visits, CaseStore::ServerChunk);
        CaseStore::ServerAnswers answers;
        CaseServerFunctions::Refusal refusal = CaseServerFunctions::NoRefusal;
        saved = m_store.callOnServer("telma_add_cases", arguments, &answers, &refusal)
                && answers.size() == records->size();
        if (saved) {
            m_store.markSaved(records, answers);
        } else {
            rollback(); // so that what went wrong can be looked up
            return m_store.explainServerRefusal(refusal, *records, {});
        }
    }
    if (!saved)
        rollback();
    return saved;
}

bool CaseBatches::commit()
{
    const bool committed = active() && m_write->commit();
    m_write.reset();
    return committed;
}

void CaseBatches::rollback()
{
    m_write.reset();
}
