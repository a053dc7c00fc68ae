#include "visitstore.h"

#include "caseaudittrail.h"
#include "casefields.h"
#include "caseserverfunctions.h"
#include "casestore.h"
#include "casestoreconnection.h"
#include "casestorestatement.h"
#include "casestorewrite.h"
#include "casestr.h"
#include "textcheck.h"
#include "visitcheck.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

namespace {

const QString DateFormat = QStringLiteral("yyyy-MM-dd");
const QString VisitColumns = QStringLiteral("id, visit_date, bmi, weight_kg, note");

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

Visit visitFromRow(const QSqlQuery &query, int first = 0)
{
    Visit visit;
    visit.id = query.value(first).toLongLong();
    visit.date = QDate::fromString(query.value(first + 1).toString(), DateFormat);
    visit.bmi = query.value(first + 2).toDouble();
    const QVariant weight = query.value(first + 3);
    if (!weight.isNull())
        visit.weightKg = weight.toDouble();
    visit.note = query.value(first + 4).toString();
    return visit;
}

// A visit's values as text, as the audit trail records them.
QVector<QPair<QString, QString>> fieldTexts(const Visit &visit)
{
    return {{QStringLiteral("visit_date"), visit.date.toString(DateFormat)},
            {QStringLiteral("bmi"), numberText(visit.bmi)},
            {QStringLiteral("weight_kg"), visit.weightKg ? numberText(*visit.weightKg) : QString()},
            {QStringLiteral("note"), visit.note}};
}

// Old and new values field by field; with both given, only the fields that differ. The
// visit's key always comes first, so that an entry names the visit it is about.
QVector<CaseAuditEntry::Change> changes(qint64 visitId, const std::optional<Visit> &before,
                                        const std::optional<Visit> &after)
{
    const QString id = QString::number(visitId);
    QVector<CaseAuditEntry::Change> list;
    if (visitId != 0) // a visit that was never stored has no key
        list.append({QStringLiteral("visit_id"), before ? id : QString(), after ? id : QString()});
    const auto old = before ? fieldTexts(*before) : QVector<QPair<QString, QString>>();
    const auto now = after ? fieldTexts(*after) : QVector<QPair<QString, QString>>();
    for (int i = 0; i < std::max(old.size(), now.size()); ++i) {
        const QString field = i < old.size() ? old[i].first : now[i].first;
        const QString oldValue = i < old.size() ? old[i].second : QString();
        const QString newValue = i < now.size() ? now[i].second : QString();
        if (oldValue != newValue || !before || !after)
            list.append({field, oldValue, newValue});
    }
    return list;
}

void bindVisit(QSqlQuery &query, const Visit &visit)
{
    query.addBindValue(visit.date.toString(DateFormat));
    query.addBindValue(visit.bmi);
    query.addBindValue(visit.weightKg ? QVariant(*visit.weightKg)
                                      : QVariant(QMetaType(QMetaType::Double)));
    query.addBindValue(visit.note.isNull() ? QStringLiteral("") : visit.note);
}

const char *const SavingVisit = QT_TRANSLATE_NOOP("Cases", "save the visit");
const char *const ReadingVisits = QT_TRANSLATE_NOOP("Cases", "read the visits");

} // namespace

VisitStore::VisitStore(CaseStore &store)
    : m_connection(store.connection())
{
}

VisitStore::VisitStore(CaseStoreConnection &connection)
    : m_connection(connection)
{
}

CaseStoreError VisitStore::check(const Visit &visit, const QDate &baseline)
{
    const auto invalid = [](const QString &message) {
        return CaseStoreError{CaseStoreError::InvalidInput, message};
    };
    if (!visit.date.isValid() || !(visit.date > baseline) || visit.date > QDate::currentDate())
        return invalid(CasesTr::tr("The visit date must be after the baseline date (%1) and not after "
                                   "today.")
                           .arg(baseline.toString(DateFormat)));
    if (!(visit.bmi >= VisitLimits::BmiLowest && visit.bmi <= VisitLimits::BmiHighest))
        return invalid(CasesTr::tr("The observed BMI must be from 10 to 100 kg/m²."));
    if (visit.weightKg
        && !(*visit.weightKg >= VisitLimits::WeightLowest
             && *visit.weightKg <= VisitLimits::WeightHighest))
        return invalid(CasesTr::tr("The weight must be from 20 to 400 kg."));
    if (visit.note.size() > VisitLimits::NoteLength)
        return invalid(CasesTr::tr("The note must be at most %1 characters.").arg(VisitLimits::NoteLength));
    if (const TextCheck::Fault fault = TextCheck::check(visit.note, TextCheck::Paragraphs))
        return invalid(CasesTr::tr("The note %1. Please remove it.").arg(fault.clause()));
    return {};
}

bool VisitStore::fail(const CaseStoreError &error)
{
    return m_connection.fail(error);
}

bool VisitStore::readBaseline(qint64 caseId, QDate *baseline)
{
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT baseline_date FROM cases WHERE id = ?"),
                             QT_TRANSLATE_NOOP("Cases", "read the case"));
    if (!query)
        return false;
    query->addBindValue(caseId);
    if (!query.exec())
        return false;
    if (!query->next())
        return fail({CaseStoreError::NotFound, CasesTr::tr("The case no longer exists.")});
    *baseline = QDate::fromString(query->value(0).toString(), DateFormat);
    return true;
}

bool VisitStore::storeHeight(qint64 caseId, std::optional<double> newHeightM)
{
    if (!newHeightM)
        return true;
    if (!(*newHeightM >= VisitLimits::HeightLowest && *newHeightM <= VisitLimits::HeightHighest))
        return fail({CaseStoreError::InvalidInput, CasesTr::tr("The height must be from 1.00 to 2.50 m.")});
    // Only a case without a height takes one here; a height set meanwhile by someone
    // else is not overwritten, and the BMI worked out with this one is not stored.
    CaseStoreStatement query(m_connection,
                             QStringLiteral("UPDATE cases SET height_m = ?, changed_by = ?, "
                                            "changed_at = ?, row_version = row_version + 1 "
                                            "WHERE id = ? AND height_m IS NULL"),
                             SavingVisit);
    if (!query)
        return false;
    query->addBindValue(*newHeightM);
    query->addBindValue(m_connection.user());
    query->addBindValue(CaseAuditTrail::timeText(QDateTime::currentDateTimeUtc()));
    query->addBindValue(caseId);
    if (!query.exec())
        return false;
    if (query->numRowsAffected() != 1)
        return fail({CaseStoreError::Conflict,
                     CasesTr::tr("The case's height was set by someone else meanwhile; the visit "
                                 "was not saved. Please enter it again.")});
    return CaseAuditTrail(m_connection)
        .append(caseId, QStringLiteral("update"),
                {{QStringLiteral("height_m"), QString(), numberText(*newHeightM)}}, SavingVisit);
}

template<typename Bind>
bool VisitStore::callServer(const char *function, int arguments, const char *doing,
                            const Visit &visit, qint64 caseId, Bind bind, qint64 *newId)
{
    CaseStoreWrite write(m_connection, doing);
    if (!write.begun())
        return false;
    CaseStoreStatement call(m_connection,
                            CaseServerFunctions::call(m_connection.dialect().schema(), function,
                                                      arguments),
                            doing);
    if (!call)
        return false;
    call->addBindValue(m_connection.user());
    call->addBindValue(caseId);
    bind(*call);
    if (call->exec()) {
        if (newId)
            *newId = call->next() ? call->value(0).toLongLong() : 0;
        return write.commit();
    }
    const QString date = visit.date.toString(DateFormat);
    switch (CaseServerFunctions::refusal(*call)) {
    case CaseServerFunctions::CaseGone:
        return fail({CaseStoreError::NotFound, CasesTr::tr("The case no longer exists.")});
    case CaseServerFunctions::VisitGone:
        return fail({CaseStoreError::NotFound, CasesTr::tr("The visit no longer exists.")});
    case CaseServerFunctions::SameDate:
        return fail({CaseStoreError::Conflict,
                     visit.id == 0 ? CasesTr::tr("The case already has a visit on %1.").arg(date)
                                   : CasesTr::tr("The case already has another visit on %1.").arg(date)});
    case CaseServerFunctions::HeightSet:
        return fail({CaseStoreError::Conflict,
                     CasesTr::tr("The case's height was set by someone else meanwhile; the visit "
                                 "was not saved. Please enter it again.")});
    case CaseServerFunctions::InvalidValue: {
        // Said as on a SQLite file, which needs the case's baseline.
        QDate baseline;
        if (!readBaseline(caseId, &baseline))
            return false;
        if (const CaseStoreError invalid = check(visit, baseline))
            return fail(invalid);
        return fail({CaseStoreError::InvalidInput, CasesTr::tr("The clinic server refused a value of the visit.")});
    }
    default:
        return call.fail();
    }
}

bool VisitStore::checkBeforeCall(qint64 caseId, const Visit &visit)
{
    // What can be told without the case's baseline is told without a round trip; a date
    // refused is said with the baseline, as on a SQLite file.
    if (!visit.date.isValid() || visit.date > QDate::currentDate()) {
        QDate baseline;
        return readBaseline(caseId, &baseline) && fail(check(visit, baseline));
    }
    const CaseStoreError invalid = check(visit, visit.date.addDays(-1));
    return !invalid || fail(invalid);
}

// A height given with a visit, or NULL.
static QVariant heightValue(std::optional<double> heightM)
{
    return heightM ? QVariant(*heightM) : QVariant(QMetaType(QMetaType::Double));
}

static bool heightAccepted(std::optional<double> heightM)
{
    return !heightM || (*heightM >= VisitLimits::HeightLowest && *heightM <= VisitLimits::HeightHighest);
}

bool VisitStore::visits(qint64 caseId, QList<Visit> *visits)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    visits->clear();
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT %1 FROM case_visits WHERE case_id = ? "
                                            "ORDER BY visit_date")
                                 .arg(VisitColumns),
                             ReadingVisits);
    if (!query)
        return false;
    query->addBindValue(caseId);
    if (!query.exec())
        return false;
    while (query->next())
        visits->append(visitFromRow(*query));
    return true;
}

bool VisitStore::allVisits(QHash<qint64, QList<Visit>> *visits)
{
    m_connection.clearError();
    visits->clear();
    if (!m_connection.connected())
        return false;
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT case_id, %1 FROM case_visits "
                                            "ORDER BY case_id, visit_date")
                                 .arg(VisitColumns),
                             ReadingVisits);
    if (!query || !query.exec())
        return false;
    while (query->next())
        (*visits)[query->value(0).toLongLong()].append(visitFromRow(*query, 1));
    return true;
}

bool VisitStore::visitsOf(const QVector<qint64> &caseIds, QHash<qint64, QList<Visit>> *visits)
{
    m_connection.clearError();
    visits->clear();
    if (!m_connection.connected())
        return false;
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT case_id, %1 FROM case_visits WHERE case_id IN (%2) "
                                            "ORDER BY case_id, visit_date")
                                 .arg(VisitColumns, m_connection.dialect().idsOfJsonArray()),
                             ReadingVisits);
    if (!query)
        return false;
    query->addBindValue(CaseStoreDialect::jsonArrayOf(caseIds));
    if (!query.exec())
        return false;
    while (query->next())
        (*visits)[query->value(0).toLongLong()].append(visitFromRow(*query, 1));
    return true;
}

bool VisitStore::observations(const std::function<void(const CaseObservations &)> &each)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    // Numbers only: a row costs no text to convert, however many visits the book holds.
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT c.id, %1, %2, v.bmi FROM cases c LEFT JOIN "
                                            "case_visits v ON v.case_id = c.id ORDER BY c.code, "
                                            "v.visit_date")
                                 .arg(CaseFields::predictorColumns(QStringLiteral("c.")),
                                      m_connection.dialect().daysBetween(
                                          QStringLiteral("c.baseline_date"),
                                          QStringLiteral("v.visit_date"))),
                             ReadingVisits);
    if (!query || !query.exec())
        return false;
    constexpr int Days = 1 + PredictorCount;
    CaseObservations current;
    while (query->next()) {
        const qint64 id = query->value(0).toLongLong();
        if (id != current.caseId) {
            if (current.caseId != 0)
                each(current);
            current.caseId = id;
            current.visits.clear();
            for (int p = 0; p < PredictorCount; ++p)
                current.predictors[p] = query->value(1 + p).toDouble();
        }
        const QVariant days = query->value(Days);
        if (!days.isNull())
            current.visits.append({days.toDouble(), query->value(Days + 1).toDouble()});
    }
    if (query->lastError().isValid())
        return query.fail();
    if (current.caseId != 0)
        each(current);
    return true;
}

bool VisitStore::insertVisit(qint64 caseId, Visit *visit, CaseStoreWrite &write)
{
    Q_UNUSED(write) // only ever called within one
    CaseStoreStatement query(m_connection,
                             QStringLiteral("INSERT INTO case_visits (case_id, visit_date, bmi, "
                                            "weight_kg, note) VALUES (?, ?, ?, ?, ?)")
                                 + m_connection.dialect().returningId(),
                             SavingVisit);
    if (!query)
        return false;
    query->addBindValue(caseId);
    bindVisit(*query, *visit);
    if (!query.exec())
        return false;
    visit->id = m_connection.dialect().insertedId(*query);
    return CaseAuditTrail(m_connection)
        .append(caseId, QStringLiteral("visit insert"), changes(visit->id, std::nullopt, *visit),
                SavingVisit);
}

bool VisitStore::visitOn(qint64 caseId, const QDate &date, std::optional<Visit> *visit)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    visit->reset();
    CaseStoreStatement query(m_connection,
                             QStringLiteral("SELECT %1 FROM case_visits WHERE case_id = ? AND "
                                            "visit_date = ?")
                                 .arg(VisitColumns),
                             ReadingVisits);
    if (!query)
        return false;
    query->addBindValue(caseId);
    query->addBindValue(date.toString(DateFormat));
    if (!query.exec())
        return false;
    if (query->next())
        *visit = visitFromRow(*query);
    return true;
}

bool VisitStore::lastVisits(const QVector<qint64> &caseIds, QHash<qint64, LastVisit> *visits)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    visits->clear();
    if (caseIds.isEmpty())
        return true;
    QStringList predictors;
    for (int p = 0; p < PredictorCount; ++p)
        predictors << QStringLiteral("c.") + CaseFields::predictorColumn(p);
    // All of them in one statement, each found through the index of its case's visits.
    CaseStoreStatement query(
        m_connection,
        QStringLiteral("SELECT c.id, v.id, v.visit_date, v.bmi, v.weight_kg, v.note, "
                       "c.baseline_date, %1 FROM cases c JOIN case_visits v ON v.id = "
                       "(SELECT w.id FROM case_visits w WHERE w.case_id = c.id "
                       "ORDER BY w.visit_date DESC LIMIT 1) "
                       "WHERE c.id IN (SELECT CAST(value AS BIGINT) FROM (%2) AS ids)")
            .arg(predictors.join(QStringLiteral(", ")), m_connection.dialect().textsOfJsonArray()),
        ReadingVisits);
    if (!query)
        return false;
    QJsonArray ids;
    for (qint64 id : caseIds)
        ids.append(QString::number(id));
    query->addBindValue(QString::fromUtf8(QJsonDocument(ids).toJson(QJsonDocument::Compact)));
    if (!query.exec())
        return false;
    while (query->next()) {
        LastVisit last;
        last.visit = visitFromRow(*query, 1);
        const QDate baseline = QDate::fromString(query->value(6).toString(), DateFormat);
        PredictorValues values{};
        for (int p = 0; p < PredictorCount; ++p)
            values[p] = query->value(7 + p).toDouble();
        last.comparison = compareVisit(values, baseline, last.visit);
        visits->insert(query->value(0).toLongLong(), last);
    }
    return true;
}

bool VisitStore::addVisit(qint64 caseId, Visit *visit, SameDate sameDate,
                          std::optional<double> newHeightM)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    if (m_connection.isServer()) {
        if (!heightAccepted(newHeightM))
            return fail({CaseStoreError::InvalidInput, CasesTr::tr("The height must be from 1.00 to 2.50 m.")});
        if (!checkBeforeCall(caseId, *visit))
            return false;
        Visit unsaved = *visit;
        unsaved.id = 0;
        return callServer("telma_add_visit", 5, SavingVisit, unsaved, caseId,
                          [&](QSqlQuery &call) {
                              call.addBindValue(CaseServerFunctions::visitArgument(unsaved));
                              call.addBindValue(sameDate == ReplaceSameDate);
                              call.addBindValue(heightValue(newHeightM));
                          },
                          &visit->id);
    }
    CaseStoreWrite write(m_connection, SavingVisit);
    if (!write.begun())
        return false;
    QDate baseline;
    if (!readBaseline(caseId, &baseline))
        return false;
    if (const CaseStoreError invalid = check(*visit, baseline))
        return fail(invalid);
    if (!storeHeight(caseId, newHeightM))
        return false;

    std::optional<Visit> earlier;
    if (!visitOn(caseId, visit->date, &earlier))
        return false;
    if (earlier && sameDate == RefuseSameDate)
        return fail({CaseStoreError::Conflict,
                     CasesTr::tr("The case already has a visit on %1.")
                         .arg(visit->date.toString(DateFormat))});
    if (earlier) {
        CaseStoreStatement remove(m_connection,
                                  QStringLiteral("DELETE FROM case_visits WHERE id = ?"),
                                  SavingVisit);
        if (!remove)
            return false;
        remove->addBindValue(earlier->id);
        if (!remove.exec())
            return false;
    }

    CaseStoreStatement query(m_connection,
                             QStringLiteral("INSERT INTO case_visits (case_id, visit_date, bmi, "
                                            "weight_kg, note) VALUES (?, ?, ?, ?, ?)")
                                 + m_connection.dialect().returningId(),
                             SavingVisit);
    if (!query)
        return false;
    query->addBindValue(caseId);
    bindVisit(*query, *visit);
    if (!query.exec())
        return false;
    const qint64 id = m_connection.dialect().insertedId(*query);
    Visit stored = *visit;
    stored.id = id;
    QVector<CaseAuditEntry::Change> audit = changes(id, std::nullopt, stored);
    if (earlier) {
        // The replaced visit's values stay in the trail with this entry.
        for (const CaseAuditEntry::Change &change : changes(earlier->id, earlier, std::nullopt))
            audit.append(change);
    }
    if (!CaseAuditTrail(m_connection)
             .append(caseId,
                     earlier ? QStringLiteral("visit replace") : QStringLiteral("visit insert"),
                     audit, SavingVisit)
        || !write.commit())
        return false;
    visit->id = id;
    return true;
}

bool VisitStore::keepEarlierVisit(qint64 caseId, const Visit &declined)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    if (m_connection.isServer())
        return callServer("telma_keep_earlier_visit", 3, SavingVisit, declined, caseId,
                          [&](QSqlQuery &call) {
                              call.addBindValue(CaseServerFunctions::visitArgument(declined));
                          });
    CaseStoreWrite write(m_connection, SavingVisit);
    if (!write.begun())
        return false;
    QDate baseline;
    return readBaseline(caseId, &baseline)
           && CaseAuditTrail(m_connection)
                  .append(caseId, QStringLiteral("visit not replaced"),
                          changes(0, std::nullopt, declined), SavingVisit)
           && write.commit();
}

bool VisitStore::updateVisit(qint64 caseId, const Visit &visit, std::optional<double> newHeightM)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    if (m_connection.isServer()) {
        if (!heightAccepted(newHeightM))
            return fail({CaseStoreError::InvalidInput, CasesTr::tr("The height must be from 1.00 to 2.50 m.")});
        if (!checkBeforeCall(caseId, visit))
            return false;
        return callServer("telma_update_visit", 4, SavingVisit, visit, caseId,
                          [&](QSqlQuery &call) {
                              call.addBindValue(CaseServerFunctions::visitArgument(visit));
                              call.addBindValue(heightValue(newHeightM));
                          });
    }
    CaseStoreWrite write(m_connection, SavingVisit);
    if (!write.begun())
        return false;
    QDate baseline;
    if (!readBaseline(caseId, &baseline))
        return false;
    if (const CaseStoreError invalid = check(visit, baseline))
        return fail(invalid);
    QList<Visit> stored;
    if (!visits(caseId, &stored))
        return false;
    std::optional<Visit> before;
    for (const Visit &v : std::as_const(stored)) {
        if (v.id == visit.id)
            before = v;
        else if (v.date == visit.date)
            return fail({CaseStoreError::Conflict,
                         CasesTr::tr("The case already has another visit on %1.")
                             .arg(visit.date.toString(DateFormat))});
    }
    if (!before)
        return fail({CaseStoreError::NotFound, CasesTr::tr("The visit no longer exists.")});
    if (!storeHeight(caseId, newHeightM))
        return false;

    CaseStoreStatement query(m_connection,
                             QStringLiteral("UPDATE case_visits SET visit_date = ?, bmi = ?, "
                                            "weight_kg = ?, note = ? WHERE id = ? AND case_id = ?"),
                             SavingVisit);
    if (!query)
        return false;
    bindVisit(*query, visit);
    query->addBindValue(visit.id);
    query->addBindValue(caseId);
    return query.exec()
           && CaseAuditTrail(m_connection)
                  .append(caseId, QStringLiteral("visit update"), changes(visit.id, before, visit),
                          SavingVisit)
           && write.commit();
}

bool VisitStore::removeVisit(qint64 caseId, qint64 visitId)
{
    m_connection.clearError();
    if (!m_connection.connected())
        return false;
    const char *doing = QT_TRANSLATE_NOOP("Cases", "delete the visit");
    if (m_connection.isServer()) {
        Visit gone;
        gone.id = visitId;
        return callServer("telma_remove_visit", 3, doing, gone, caseId,
                          [&](QSqlQuery &call) { call.addBindValue(visitId); });
    }
    CaseStoreWrite write(m_connection, doing);
    if (!write.begun())
        return false;
    QList<Visit> stored;
    if (!visits(caseId, &stored))
        return false;
    const auto found = std::find_if(stored.cbegin(), stored.cend(),
                                    [visitId](const Visit &v) { return v.id == visitId; });
    if (found == stored.cend())
        return fail({CaseStoreError::NotFound, CasesTr::tr("The visit no longer exists.")});
    CaseStoreStatement query(m_connection,
                             QStringLiteral("DELETE FROM case_visits WHERE id = ? AND case_id = ?"),
                             doing);
    if (!query)
        return false;
    query->addBindValue(visitId);
    query->addBindValue(caseId);
    return query.exec()
           && CaseAuditTrail(m_connection)
                  .append(caseId, QStringLiteral("visit delete"),
                          changes(visitId, *found, std::nullopt), doing)
           && write.commit();
}
