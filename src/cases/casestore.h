#ifndef CASESTORE_H
#define CASESTORE_H

#include "caserecord.h"
#include "caseserverfunctions.h"
#include "casestoreconnection.h"
#include "casestoreerror.h"
#include "visit.h"

#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>
#include <optional>

// Further visits of a case already in the book, and a height for it where it has none yet.
struct CaseVisits {
    qint64 caseId = 0;
    QList<Visit> visits;
    std::optional<double> newHeightM;
};

// The case book: cases in a database, each change in one transaction with its audit entry.
// Every call returns at once with success or failure; after a failure, lastError() says
// why in words for the user, and nothing was changed. The work is done by the connection,
// the cases (CaseTable), the visits (VisitStore) and the audit trail (CaseAuditTrail); this
// is the one object the windows and tools hold.
class CaseStoreWrite;

class CaseStore
{
public:
    CaseStore() = default;
    CaseStore(const CaseStore &) = delete;
    CaseStore &operator=(const CaseStore &) = delete;

    // How long a save waits for another copy of the program that is writing; before open().
    void setBusyTimeout(int milliseconds) { m_connection.setBusyTimeout(milliseconds); }
    // Who changes the case book; the operating-system user unless set.
    void setUser(const QString &user) { m_connection.setUser(user); }
    QString user() const { return m_connection.user(); }
    static QString systemUser() { return CaseStoreConnection::systemUser(); }

    // Opens the case book at location (see CaseStoreLocation), creating or bringing it up
    // to date. A file that is not a case book of ours, or one written by a newer version,
    // is refused and left as it is.
    bool open(const QString &location) { return m_connection.open(location); }
    bool isOpen() const { return m_connection.isOpen(); }
    // Why the open book may only be read, or an empty text (see CaseStoreConnection).
    QString readOnlyReason() const { return m_connection.readOnlyReason(); }
    // What did not fit in the audit trail as the book opened, or an empty text; until
    // acknowledged, the book may only be read.
    QString trailProblem() const { return m_connection.trailProblem(); }
    void acknowledgeTrailProblem() { m_connection.acknowledgeTrailProblem(); }
    void close() { m_connection.close(); }
    QString location() const { return m_connection.location(); }
    const CaseStoreError &lastError() const { return m_connection.lastError(); }
    int schemaVersion() const;

    // Why a record cannot be saved as it is (kind InvalidInput, naming the field), or none.
    static CaseStoreError check(const CaseRecord &record);

    // Saves a new case; fills in its id, who and when. A code already in use is refused.
    bool addCase(CaseRecord *record);
    // Saves many new cases, visits[i] being the visits of records[i], in one transaction with
    // their audit entries: all or none. A case or visit that fails its check, or a code in
    // use, refuses the whole batch with a message that names the case.
    // The visits of cases already in the book (stored) go in with them, in the same transaction.
    bool addCases(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits,
                  const QVector<CaseVisits> &stored = {});
    // Which of codes are already used by a case; false only when the book cannot be read.
    bool codesInUse(const QStringList &codes, QSet<QString> *inUse);
    // Saves a changed case; refused with Conflict when it was changed since it was read
    // (record->rowVersion is the version read). Updates who, when and the row version.
    bool updateCase(CaseRecord *record);
    // Deletes the case and its clinical data, keeping the audit entry that it was deleted.
    bool removeCase(qint64 id);

    bool readCase(qint64 id, CaseRecord *record);
    // Whole records of the given cases, or of every case when ids is empty, by code.
    bool readCases(const QVector<qint64> &ids, QVector<CaseRecord> *records);
    // Every case, whole, with its visits in date order, handed to each one at a time in order
    // of code: read a page of ReadPage cases at a time, so that memory does not grow with the
    // book. False when the book cannot be read, or each returned false.
    bool forEachCase(const std::function<bool(const CaseRecord &, const QList<Visit> &)> &each);
    static constexpr int ReadPage = 1000;
    // Up to limit cases whose code contains filter (ignoring case for A to Z), in order of
    // code, starting after the code afterCode: one page of the case list at a time.
    bool summaries(const QString &filter, const QString &afterCode, int limit,
                   QVector<CaseSummary> *page);
    // Like summaries(), but looks at no more than scanLimit codes, so that a filter that
    // few codes match costs the same at every size of case book: the caller repeats the
    // step, starting after step->scannedTo, until enough matches or step->finished. The
    // latest visit of each match comes with it.
    bool searchCases(const QString &filter, const QString &afterCode, int scanLimit,
                     int matchLimit, CaseSearchStep *step);
    // -1 on failure.
    qint64 caseCount();
    // The codes that differ only in capitals or Unicode form, group by group, as a book
    // written before such codes were refused may hold them; each group is kept as it is.
    bool codesDifferingOnlyInCase(QList<QStringList> *groups);
    bool auditTrail(qint64 caseId, QVector<CaseAuditEntry> *entries);

    // A consistent copy of the whole case book, while in use, readable by the owner only.
    bool backup(const QString &fileName);

    // The connection, for tests and tools that check the database itself.
    QSqlDatabase database() const { return m_connection.database(); }
    // The connection the cases, visits and audit trail share.
    CaseStoreConnection &connection() { return m_connection; }

    // New cases a call of the server writes at most; a larger batch takes several calls.
    static constexpr int ServerChunk = 1000;

private:
    friend class CaseBatches;
    // The new cases' ids and times, in order, as the server answers.
    using ServerAnswers = QVector<QPair<qint64, QDateTime>>;

    bool checkNewCases(const QVector<CaseRecord> &records, const QVector<QList<Visit>> &visits);
    // Writes new cases and their visits in a SQLite file's open transaction.
    bool insertHere(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits,
                    CaseStoreWrite &write);
    // Calls a function of the server once per argument; answers collects what it returns.
    bool callOnServer(const char *function, const QStringList &arguments, ServerAnswers *answers,
                      CaseServerFunctions::Refusal *refusal);
    void markSaved(QVector<CaseRecord> *records, const ServerAnswers &saved) const;
    // Names what the server refused, after the transaction was rolled back; false.
    bool explainServerRefusal(CaseServerFunctions::Refusal refusal, const QVector<CaseRecord> &records,
                              const QVector<CaseVisits> &stored);
    bool addCasesOnServer(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits,
                          const QVector<CaseVisits> &stored);
    bool checkStoredVisits(const CaseVisits &more, const QDate &baseline);
    // Names the code of a batch the server refused as in use; false.
    bool refuseCodeInUse(const QVector<CaseRecord> &records);

    CaseStoreConnection m_connection;
};

#endif // CASESTORE_H
