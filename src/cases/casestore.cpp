#include "casestore.h"
#include "caseaudittrail.h"
#include "casefields.h"
#include "caseserverfunctions.h"
#include "casestorestatement.h"
#include "casetable.h"
#include "casestorewrite.h"
#include "visitstore.h"
#include "writetransaction.h"

#include <optional>

#include <QCoreApplication>
#include <QSqlQuery>

static QString tr(const char *text)
{
    return QCoreApplication::translate("CaseStore", text);
}

int CaseStore::schemaVersion() const
{
    QSqlQuery query(database());
    if (query.exec(QStringLiteral("SELECT version FROM telma_schema")) && query.next())
        return query.value(0).toInt();
    return -1;
}

CaseStoreError CaseStore::check(const CaseRecord &record)
{
    return CaseTable::check(record);
}

bool CaseStore::addCase(CaseRecord *record)
{
    return CaseTable(m_connection).add(record);
}

bool CaseStore::addCases(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits,
                         const QVector<CaseVisits> &stored)
{
    m_connection.clearError();
    const auto refuse = [this](const CaseRecord &record, const CaseStoreError &error) {
        return m_connection.fail({error.kind, tr("Case “%1”: %2").arg(record.code, error.message)});
    };
    for (int i = 0; i < records->size(); ++i) {
        const CaseRecord &record = records->at(i);
        if (const CaseStoreError invalid = CaseTable::check(record))
            return refuse(record, invalid);
        for (const Visit &visit : visits.value(i)) {
            if (const CaseStoreError invalid = VisitStore::check(visit, record.baselineDate))
                return refuse(record, invalid);
        }
    }
    if (!m_connection.connected())
        return false;
    if (m_connection.isServer() && stored.isEmpty())
        return addCasesOnServer(records, visits);
    const QVector<CaseRecord> unsaved = *records;
    CaseStoreWrite write(m_connection, QT_TR_NOOP("save the cases"));
    if (!write.begun())
        return false;
    // Visits of cases already in the book have no server function yet: on the server such a
    // batch is one transaction of plain statements, which only the owner may write.
    std::optional<WriteTransaction> serverWrite;
    if (m_connection.isServer()) {
        QSqlDatabase db = m_connection.database();
        serverWrite.emplace(db, m_connection.dialect());
        if (!serverWrite->begun())
            return m_connection.failQuery(serverWrite->query(), QT_TR_NOOP("save the cases"));
    }
    CaseTable cases(m_connection);
    VisitStore visitStore(m_connection);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (int i = 0; i < records->size(); ++i) {
        CaseRecord &record = (*records)[i];
        bool saved = cases.insert(&record, now, write);
        for (Visit visit : visits.value(i)) {
            if (!saved)
                break;
            saved = visitStore.insertVisit(record.id, &visit, write);
        }
        if (!saved) {
            *records = unsaved;
            return false;
        }
    }
    for (const CaseVisits &more : stored) {
        QDate baseline;
        bool saved = visitStore.readBaseline(more.caseId, &baseline);
        for (const Visit &visit : more.visits) {
            if (!saved)
                break;
            if (const CaseStoreError invalid = VisitStore::check(visit, baseline))
                saved = m_connection.fail(invalid);
        }
        if (saved)
            saved = visitStore.storeHeight(more.caseId, more.newHeightM);
        for (Visit visit : more.visits) {
            if (!saved)
                break;
            saved = visitStore.insertVisit(more.caseId, &visit, write);
        }
        if (!saved) {
            *records = unsaved;
            return false;
        }
    }
    if (serverWrite ? !serverWrite->commit() : !write.commit()) {
        *records = unsaved;
        return serverWrite ? m_connection.failQuery(serverWrite->query(), QT_TR_NOOP("save the cases"))
                           : false;
    }
    return true;
}

bool CaseStore::addCasesOnServer(QVector<CaseRecord> *records,
                                 const QVector<QList<Visit>> &visits)
{
    const char *doing = QT_TR_NOOP("save the cases");
    CaseStoreWrite write(m_connection, doing);
    if (!write.begun())
        return false;
    // The whole batch in one call, however many cases: one round trip.
    CaseStoreStatement call(m_connection,
                            CaseServerFunctions::call(m_connection.dialect().schema(),
                                                      "telma_add_cases", 2),
                            doing);
    if (!call)
        return false;
    call->addBindValue(m_connection.user());
    call->addBindValue(CaseServerFunctions::batchArgument(*records, visits));
    QVector<QPair<qint64, QDateTime>> saved;
    if (call->exec()) {
        while (call->next())
            saved.append({call->value(0).toLongLong(), CaseAuditTrail::readTime(call->value(1))});
    }
    if (saved.size() == records->size() && write.commit()) {
        for (int i = 0; i < records->size(); ++i) {
            CaseRecord &record = (*records)[i];
            record.id = saved[i].first;
            record.createdBy = record.changedBy = m_connection.user();
            record.createdAt = record.changedAt = saved[i].second;
            record.rowVersion = 1;
        }
        return true;
    }
    if (CaseServerFunctions::refusal(*call) != CaseServerFunctions::CodeInUse)
        return call.fail();
    // Which code: one used twice in the batch, or one the book already has.
    QSet<QString> seen;
    QSet<QString> inBook;
    QStringList codes;
    for (const CaseRecord &record : std::as_const(*records))
        codes << record.code;
    codesInUse(codes, &inBook);
    for (const CaseRecord &record : std::as_const(*records)) {
        const QString fold = CaseFields::foldedCode(record.code);
        if (seen.contains(fold) || inBook.contains(record.code))
            return m_connection.fail(
                {CaseStoreError::DuplicateCode,
                 tr("The code “%1” is already used by another case. Please choose another code.")
                     .arg(record.code)});
        seen.insert(fold);
    }
    return call.fail();
}

bool CaseStore::codesInUse(const QStringList &codes, QSet<QString> *inUse)
{
    return CaseTable(m_connection).codesInUse(codes, inUse);
}

bool CaseStore::updateCase(CaseRecord *record)
{
    return CaseTable(m_connection).update(record);
}

bool CaseStore::removeCase(qint64 id)
{
    return CaseTable(m_connection).remove(id);
}

bool CaseStore::readCase(qint64 id, CaseRecord *record)
{
    return CaseTable(m_connection).read(id, record);
}

bool CaseStore::readCases(const QVector<qint64> &ids, QVector<CaseRecord> *records)
{
    return CaseTable(m_connection).read(ids, records);
}

bool CaseStore::summaries(const QString &filter, const QString &afterCode, int limit,
                          QVector<CaseSummary> *page)
{
    return CaseTable(m_connection).summaries(filter, afterCode, limit, page);
}

bool CaseStore::searchCases(const QString &filter, const QString &afterCode, int scanLimit,
                            int matchLimit, CaseSearchStep *step)
{
    return CaseTable(m_connection).search(filter, afterCode, scanLimit, matchLimit, step);
}

qint64 CaseStore::caseCount()
{
    return CaseTable(m_connection).count();
}

bool CaseStore::codesDifferingOnlyInCase(QList<QStringList> *groups)
{
    return CaseTable(m_connection).codesDifferingOnlyInCase(groups);
}

bool CaseStore::auditTrail(qint64 caseId, QVector<CaseAuditEntry> *entries)
{
    return CaseAuditTrail(m_connection).read(caseId, entries);
}

bool CaseStore::backup(const QString &fileName)
{
    m_connection.clearError();
    QSqlDatabase db = database();
    CaseStoreError error;
    if (m_connection.dialect().backup(db, fileName, &error))
        return true;
    return m_connection.fail(error);
}
