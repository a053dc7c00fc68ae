#ifndef CASESTORE_H
#define CASESTORE_H

#include "caserecord.h"
#include "casestoredialect.h"
#include "casestoreerror.h"
#include "visit.h"

#include <QList>
#include <QSet>
#include <QSqlDatabase>
#include <QStringList>
#include <QVector>

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
// why in words for the user, and nothing was changed.
class CaseStore
{
public:
    CaseStore();
    ~CaseStore();
    CaseStore(const CaseStore &) = delete;
    CaseStore &operator=(const CaseStore &) = delete;

    // How long a save waits for another copy of the program that is writing; before open().
    void setBusyTimeout(int milliseconds) { m_busyTimeoutMs = milliseconds; }
    // Who changes the case book; the operating-system user unless set.
    void setUser(const QString &user) { m_user = user; }
    QString user() const { return m_user; }
    static QString systemUser();

    // Opens the case book at location (see CaseStoreLocation), creating or bringing it up
    // to date. A file that is not a case book of ours, or one written by a newer version,
    // is refused and left as it is.
    bool open(const QString &location);
    bool isOpen() const;
    void close();
    QString location() const { return m_location; }
    const CaseStoreError &lastError() const { return m_error; }
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
    // Up to limit cases whose code contains filter (ignoring case for A to Z), in order of
    // code, starting after the code afterCode: one page of the case list at a time.
    bool summaries(const QString &filter, const QString &afterCode, int limit,
                   QVector<CaseSummary> *page);
    // Like summaries(), but looks at no more than scanLimit codes, so that a filter that
    // few codes match costs the same at every size of case book: the caller repeats the
    // step, starting after step->scannedTo, until enough matches or step->finished.
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
    QSqlDatabase database() const;

private:
    // The visits share the case book's connection, transactions and audit trail.
    friend class VisitStore;
    friend class CalibrationStore;

    class Write;
    // Opens the connection again when the clinic server went away since the last call.
    bool connected();
    CaseStoreError conflictError(const CaseRecord &stored, const CaseRecord &mine);
    CaseStoreError goneError(qint64 id);
    bool fail(const CaseStoreError &error);
    bool failQuery(const class QSqlQuery &query, const char *doing);
    bool writeAnswers(qint64 id, const CaseRecord &record, QSqlQuery &query);
    bool writeAudit(qint64 caseId, const QString &action,
                    const QVector<CaseAuditEntry::Change> &changes, QSqlQuery &query);
    bool codeInUse(const QString &code, qint64 exceptId, bool *inUse);
    // The insert of a checked new case and its audit entry, inside an open write.
    bool insertCase(CaseRecord *record, const QDateTime &now, QSqlQuery &query);

    QString m_connection;
    QString m_location;
    QString m_user;
    int m_busyTimeoutMs = 5000;
    CaseStoreDialect m_dialect;
    CaseStoreError m_error;
};

#endif // CASESTORE_H
