#ifndef CASESTOREWRITE_H
#define CASESTOREWRITE_H

class CaseStoreConnection;

// One change of the case book, all of it or nothing: every write goes through one of these.
// In a SQLite file, a transaction begun holding the write lock and rolled back unless
// committed. On the clinic server a change is one call of a function installed there, which
// is a transaction of its own: there the guard begins and commits nothing, unless the change
// takes several calls, which then share one transaction.
class CaseStoreWrite
{
public:
    // Begins; on failure begun() is false and the connection's error says why.
    CaseStoreWrite(CaseStoreConnection &connection, const char *doing, int serverCalls = 1);
    ~CaseStoreWrite();
    CaseStoreWrite(const CaseStoreWrite &) = delete;
    CaseStoreWrite &operator=(const CaseStoreWrite &) = delete;

    bool begun() const { return m_begun; }
    // False, with the connection's error set, when the change could not be committed.
    bool commit();
    // Undoes what was written so far, at once (the destructor would too).
    void rollback();

private:
    bool run(const char *statement);

    CaseStoreConnection &m_connection;
    const char *m_doing;
    bool m_transaction;
    bool m_begun = false;
    bool m_done = false;
};

#endif // CASESTOREWRITE_H
