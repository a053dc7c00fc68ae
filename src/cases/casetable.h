#ifndef CASETABLE_H
#define CASETABLE_H

#include "caserecord.h"
#include "casestoreerror.h"

#include <QDateTime>
#include <QSet>
#include <QStringList>
#include <QVector>

class CaseAuditTrail;
class CaseStoreConnection;
class CaseStoreStatement;
class CaseStoreWrite;

// The cases of a case book and their questionnaire answers: checked, written with their
// audit entries, read whole, and listed a page at a time. Errors are the connection's.
class CaseTable
{
public:
    explicit CaseTable(CaseStoreConnection &connection);

    // Why a record cannot be saved as it is (kind InvalidInput, naming the field), or none.
    static CaseStoreError check(const CaseRecord &record);
    // Why code cannot be the code of a new case or a code changed now (see
    // CaseFields::newCodeRefusal), or none. Batches restoring exported cases skip it.
    static CaseStoreError checkNewCode(const QString &code);

    // Saves a new, checked case within write: fills in its id, who and when.
    bool insert(CaseRecord *record, const QDateTime &now, CaseStoreWrite &write);
    bool add(CaseRecord *record);
    bool update(CaseRecord *record);
    bool remove(qint64 id);
    // Which of codes are already used by a case, in one look-up however many.
    bool codesInUse(const QStringList &codes, QSet<QString> *inUse);

    bool read(qint64 id, CaseRecord *record);
    bool read(const QVector<qint64> &ids, QVector<CaseRecord> *records);
    // Up to limit whole records in order of code, after the code afterCode.
    bool readPage(const QString &afterCode, int limit, QVector<CaseRecord> *records);
    bool summaries(const QString &filter, const QString &afterCode, int limit,
                   QVector<CaseSummary> *page);
    bool search(const QString &filter, const QString &afterCode, int scanLimit, int matchLimit,
                CaseSearchStep *step);
    qint64 count();
    // The codes that differ only in capitals or Unicode form, group by group.
    bool codesDifferingOnlyInCase(QList<QStringList> *groups);

    // Refusals with what happened meanwhile, from the trail.
    CaseStoreError conflictError(const CaseRecord &stored, const CaseRecord &mine);
    CaseStoreError goneError(qint64 id);

private:
    bool codeInUse(const QString &code, qint64 exceptId, bool *inUse);
    bool readRow(qint64 id, CaseRecord *record, bool *found);
    // The same changes on the clinic server: one call of its function each.
    bool addOnServer(CaseRecord *record);
    bool updateOnServer(CaseRecord *record);
    bool removeOnServer(qint64 id);
    // Why the server refused a change of mine (the call in query failed).
    bool refused(CaseStoreStatement &call, const CaseRecord &mine);
    bool writeAnswers(qint64 id, const CaseRecord &record, const char *doing);
    bool selectSummaries(const QString &filter, const QString &afterCode,
                         const QString &upToCode, int limit, QVector<CaseSummary> *page);

    CaseStoreConnection &m_connection;
};

#endif // CASETABLE_H
