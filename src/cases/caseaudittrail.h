#ifndef CASEAUDITTRAIL_H
#define CASEAUDITTRAIL_H

#include "caserecord.h"

#include <QString>
#include <QVector>

class CaseStoreConnection;

// Who changed which case when, with the old and new values: kept for ever, apart from the
// values of a deleted case. In a SQLite file append() writes each entry, within the change's
// write; on the clinic server the server's own functions write it (CaseServerFunctions), so
// that no workstation can leave a change out of it. Each engine writes an entry in this one
// place.
class CaseAuditTrail
{
public:
    explicit CaseAuditTrail(CaseStoreConnection &connection);

    // Appends an entry and its values; within an open CaseStoreWrite.
    bool append(qint64 caseId, const QString &action,
                const QVector<CaseAuditEntry::Change> &changes, const char *doing);
    // The person's right to erasure: a deleted case's old values leave the trail, which
    // keeps only who deleted it and when. Within an open CaseStoreWrite.
    bool eraseValues(qint64 caseId, const char *doing);

    // The case's entries in the order they were written.
    bool read(qint64 caseId, QVector<CaseAuditEntry> *entries);

    // How the trail writes times, so that they read back to the millisecond.
    static QString timeText(const QDateTime &time);
    static QDateTime readTime(const QVariant &value);

private:
    CaseStoreConnection &m_connection;
};

#endif // CASEAUDITTRAIL_H
