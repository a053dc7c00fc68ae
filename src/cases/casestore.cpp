#include "casestore.h"

#include "casestr.h"
#include "caseaudittrail.h"
#include "casefields.h"
#include "caseserverfunctions.h"
#include "casestorestatement.h"
#include "casetable.h"
#include "casestorewrite.h"
#include "visitcheck.h"
#include "visitstore.h"

#include <QCoreApplication>
#include <QSqlQuery>

static const char *const SavingCases = QT_TRANSLATE_NOOP("Cases", "save the cases");

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
    if (!checkNewCases(*records, visits) || !m_connection.connected())
        return false;
    if (m_connection.isServer())
        return addCasesOnServer(records, visits, stored);
    const QVector<CaseRecord> unsaved = *records;
    CaseStoreWrite write(m_connection, SavingCases);
    if (!write.begun())
        return false;
    VisitStore visitStore(m_connection);
    bool saved = insertHere(records, visits, write);
    for (const CaseVisits &more : stored) {
        QDate baseline;
        saved = saved && visitStore.readBaseline(more.caseId, &baseline)
                && checkStoredVisits(more, baseline) && visitStore.storeHeight(more.caseId, more.newHeightM);
        for (Visit visit : more.visits) {
            if (!saved)
                break;
            saved = visitStore.insertVisit(more.caseId, &visit, write);
        }
    }
    if (!saved || !write.commit()) {
        *records = unsaved;
        return false;
    }
    return true;
}

bool CaseStore::checkNewCases(const QVector<CaseRecord> &records, const QVector<QList<Visit>> &visits)
{
    const auto refuse = [this](const CaseRecord &record, const CaseStoreError &error) {
        return m_connection.fail({error.kind, CasesTr::tr("Case “%1”: %2").arg(record.code, error.message)});
    };
    for (int i = 0; i < records.size(); ++i) {
        const CaseRecord &record = records.at(i);
        if (const CaseStoreError invalid = CaseTable::check(record))
            return refuse(record, invalid);
        for (const Visit &visit : visits.value(i)) {
            if (const CaseStoreError invalid = VisitStore::check(visit, record.baselineDate))
                return refuse(record, invalid);
        }
    }
    return true;
}

bool CaseStore::insertHere(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits,
                           CaseStoreWrite &write)
{
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
        if (!saved)
            return false;
    }
    return true;
}

bool CaseStore::checkStoredVisits(const CaseVisits &more, const QDate &baseline)
{
    for (const Visit &visit : more.visits) {
        if (const CaseStoreError invalid = VisitStore::check(visit, baseline))
            return m_connection.fail(invalid);
    }
    return true;
}

bool CaseStore::callOnServer(const char *function, const QStringList &arguments, ServerAnswers *answers,
                             CaseServerFunctions::Refusal *refusal)
{
    if (arguments.isEmpty())
        return true;
    CaseStoreStatement call(m_connection,
                            CaseServerFunctions::call(m_connection.dialect().schema(), function, 2),
                            SavingCases);
    if (!call)
        return false;
    for (const QString &argument : arguments) {
        call->addBindValue(m_connection.user());
        call->addBindValue(argument);
        if (!call.exec()) {
            *refusal = CaseServerFunctions::refusal(*call);
            return false;
        }
        while (answers && call->next())
            answers->append({call->value(0).toLongLong(), CaseAuditTrail::readTime(call->value(1))});
    }
    return true;
}

void CaseStore::markSaved(QVector<CaseRecord> *records, const ServerAnswers &saved) const
{
    for (int i = 0; i < records->size(); ++i) {
        CaseRecord &record = (*records)[i];
        record.id = saved[i].first;
        record.createdBy = record.changedBy = m_connection.user();
        record.createdAt = record.changedAt = saved[i].second;
        record.rowVersion = 1;
    }
}

bool CaseStore::addCasesOnServer(QVector<CaseRecord> *records, const QVector<QList<Visit>> &visits,
                                 const QVector<CaseVisits> &stored)
{
    // Each call writes up to ServerChunk cases as sets on the server: a batch of up to that
    // many new cases is one round trip, a larger one a round trip per chunk and its
    // transaction's two.
    const QStringList newCases = CaseServerFunctions::batchArguments(*records, visits, ServerChunk);
    const QStringList moreVisits = CaseServerFunctions::storedVisitsArguments(stored, ServerChunk);
    ServerAnswers saved;
    CaseServerFunctions::Refusal refusal = CaseServerFunctions::NoRefusal;
    {
        CaseStoreWrite write(m_connection, SavingCases, int(newCases.size() + moreVisits.size()));
        if (!write.begun())
            return false;
        if (callOnServer("telma_add_cases", newCases, &saved, &refusal)
            && callOnServer("telma_add_visits", moreVisits, nullptr, &refusal)
            && saved.size() == records->size() && write.commit()) {
            markSaved(records, saved);
            return true;
        }
    } // rolled back, so that what went wrong can be looked up
    return explainServerRefusal(refusal, *records, stored);
}

bool CaseStore::explainServerRefusal(CaseServerFunctions::Refusal refusal,
                                     const QVector<CaseRecord> &records, const QVector<CaseVisits> &stored)
{
    switch (refusal) {
    case CaseServerFunctions::CodeInUse:
        return refuseCodeInUse(records);
    case CaseServerFunctions::CaseGone:
        return m_connection.fail({CaseStoreError::NotFound, CasesTr::tr("The case no longer exists.")});
    case CaseServerFunctions::HeightSet:
        return m_connection.fail({CaseStoreError::Conflict,
                                  CasesTr::tr("The case's height was set by someone else meanwhile; the "
                                              "visit was not saved. Please enter it again.")});
    case CaseServerFunctions::InvalidValue: {
        // Said as on a SQLite file, which needs each case's baseline.
        const CaseStoreError refused = lastError();
        VisitStore visitStore(m_connection);
        for (const CaseVisits &more : stored) {
            QDate baseline;
            if (!visitStore.readBaseline(more.caseId, &baseline) || !checkStoredVisits(more, baseline))
                return false;
            if (more.newHeightM && !(*more.newHeightM >= VisitLimits::HeightLowest
                                     && *more.newHeightM <= VisitLimits::HeightHighest))
                return m_connection.fail({CaseStoreError::InvalidInput,
                                          CasesTr::tr("The height must be from 1.00 to 2.50 m.")});
        }
        return m_connection.fail(refused);
    }
    default:
        return false;
    }
}

bool CaseStore::refuseCodeInUse(const QVector<CaseRecord> &records)
{
    const CaseStoreError refused = lastError();
    // Which code: one used twice in the batch, or one the book already has.
    QSet<QString> seen;
    QSet<QString> inBook;
    QStringList codes;
    for (const CaseRecord &record : records)
        codes << record.code;
    codesInUse(codes, &inBook);
    for (const CaseRecord &record : records) {
        const QString fold = CaseFields::foldedCode(record.code);
        if (seen.contains(fold) || inBook.contains(record.code))
            return m_connection.fail(
                {CaseStoreError::DuplicateCode,
                 CasesTr::tr("The code “%1” is already used by another case. Please choose another code.")
                     .arg(record.code)});
        seen.insert(fold);
    }
    return m_connection.fail(refused);
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

bool CaseStore::forEachCase(const std::function<bool(const CaseRecord &, const QList<Visit> &)> &each)
{
    QString afterCode;
    QVector<CaseRecord> records;
    QHash<qint64, QList<Visit>> visits;
    do {
        if (!CaseTable(m_connection).readPage(afterCode, ReadPage, &records))
            return false;
        if (records.isEmpty())
            break;
        QVector<qint64> ids;
        ids.reserve(records.size());
        for (const CaseRecord &record : std::as_const(records))
            ids.append(record.id);
        if (!VisitStore(m_connection).visitsOf(ids, &visits))
            return false;
        for (const CaseRecord &record : std::as_const(records)) {
            if (!each(record, visits.value(record.id)))
                return false;
        }
        afterCode = records.constLast().code;
    } while (records.size() == ReadPage);
    return true;
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
