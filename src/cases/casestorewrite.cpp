#include "casestorewrite.h"
#include "casestoreconnection.h"

#include <QSqlQuery>

CaseStoreWrite::CaseStoreWrite(CaseStoreConnection &connection, const char *doing, int serverCalls)
    : m_connection(connection)
    , m_doing(doing)
    , m_transaction(!connection.isServer() || serverCalls > 1)
{
    // On the server one call of a function there is its own transaction.
    m_begun = connection.writable()
              && (!m_transaction || run(connection.dialect().beginWrite().toLatin1().constData()));
}

CaseStoreWrite::~CaseStoreWrite()
{
    rollback();
}

bool CaseStoreWrite::run(const char *statement)
{
    QSqlQuery query(m_connection.database());
    if (query.exec(QString::fromLatin1(statement)))
        return true;
    m_connection.failQuery(query, m_doing);
    return false;
}

bool CaseStoreWrite::commit()
{
    if (!m_begun || m_done)
        return m_done;
    m_done = !m_transaction || run("COMMIT");
    return m_done;
}

void CaseStoreWrite::rollback()
{
    if (!m_begun || m_done)
        return;
    m_done = true;
    if (m_transaction)
        QSqlQuery(m_connection.database()).exec(QStringLiteral("ROLLBACK"));
}
