#include "casestorewrite.h"
#include "casestoreconnection.h"

#include <QSqlQuery>

CaseStoreWrite::CaseStoreWrite(CaseStoreConnection &connection, const char *doing)
    : m_connection(connection)
    , m_doing(doing)
{
    // On the server the change is one call of a function there, its own transaction.
    m_begun = connection.writable()
              && (connection.isServer() || run(connection.dialect().beginWrite().toLatin1().constData()));
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
    m_done = m_connection.isServer() || run("COMMIT");
    return m_done;
}

void CaseStoreWrite::rollback()
{
    if (!m_begun || m_done)
        return;
    m_done = true;
    if (!m_connection.isServer())
        QSqlQuery(m_connection.database()).exec(QStringLiteral("ROLLBACK"));
}
