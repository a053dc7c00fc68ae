#ifndef WRITETRANSACTION_H
#define WRITETRANSACTION_H

#include "casestoredialect.h"

#include <QSqlDatabase>
#include <QSqlQuery>

// One write transaction as the case store makes them: begun holding the write lock, rolled
// back unless committed.
class WriteTransaction
{
public:
    WriteTransaction(QSqlDatabase &db, const CaseStoreDialect &dialect) : m_query(db)
    {
        m_begun = m_query.exec(dialect.beginWrite());
    }
    ~WriteTransaction()
    {
        if (m_begun && !m_done)
            m_query.exec(QStringLiteral("ROLLBACK"));
    }
    WriteTransaction(const WriteTransaction &) = delete;
    WriteTransaction &operator=(const WriteTransaction &) = delete;

    bool begun() const { return m_begun; }
    bool commit()
    {
        m_done = m_query.exec(QStringLiteral("COMMIT"));
        return m_done;
    }
    QSqlQuery &query() { return m_query; }

private:
    QSqlQuery m_query;
    bool m_begun = false;
    bool m_done = false;
};

#endif // WRITETRANSACTION_H
