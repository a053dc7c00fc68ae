#include "casestorestatement.h"
#include "casestoreconnection.h"

CaseStoreStatement::CaseStoreStatement(CaseStoreConnection &connection, const QString &sql,
                                       const char *doing)
    : m_connection(connection)
    , m_doing(doing)
{
    m_query = connection.prepared(sql, doing);
}

CaseStoreStatement::~CaseStoreStatement()
{
    if (m_query)
        m_query->finish();
}

bool CaseStoreStatement::exec()
{
    return m_query && (m_query->exec() || fail());
}

bool CaseStoreStatement::fail()
{
    return m_query ? m_connection.failQuery(*m_query, m_doing) : false;
}
