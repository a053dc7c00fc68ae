#ifndef CASESTORESTATEMENT_H
#define CASESTORESTATEMENT_H

#include <QSqlQuery>

class CaseStoreConnection;

// One use of a statement the connection keeps prepared. Failures become the connection's
// error, described as failing to do `doing` (a QT_TR_NOOP of context "CaseStore"). Finished
// when it goes out of scope, so that a row left unread never holds a SQLite file's read
// snapshot open.
class CaseStoreStatement
{
public:
    CaseStoreStatement(CaseStoreConnection &connection, const QString &sql, const char *doing);
    ~CaseStoreStatement();
    CaseStoreStatement(const CaseStoreStatement &) = delete;
    CaseStoreStatement &operator=(const CaseStoreStatement &) = delete;

    // False when the statement could not be prepared; the error is set.
    explicit operator bool() const { return m_query != nullptr; }
    QSqlQuery &operator*() { return *m_query; }
    QSqlQuery *operator->() { return m_query; }

    // Runs the statement with the values bound; false with the error set.
    bool exec();
    // Sets the error from the statement's last failure and returns false.
    bool fail();

private:
    CaseStoreConnection &m_connection;
    QSqlQuery *m_query = nullptr;
    const char *m_doing;
};

#endif // CASESTORESTATEMENT_H
