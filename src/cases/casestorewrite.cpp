#include "casestorewrite.h"
#include "casestoreconnection.h"

#include <QSqlQuery>

CaseStoreWrite::CaseStoreWrite(CaseStoreConnection &connection, const char *doing)
    : m_connection(connection)
    , m_doing(doing)
{
    m_begun = run(connection.dialect().beginWrite().toLatin1().constData());
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
    m_done = run("COMMIT");
    return m_done;
}

void CaseStoreWrite::rollback()
{
    if (!m_begun || m_done)
        return;
    m_done = true;
    QSqlQuery(m_connection.database()).exec(QStringLiteral("ROLLBACK"));
}
