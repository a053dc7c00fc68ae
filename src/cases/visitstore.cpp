#include "visitstore.h"

#include "casefields.h"
#include "casestore.h"
#include "visitcheck.h"
#include "writetransaction.h"

#include <QCoreApplication>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>

#include <algorithm>

static QString tr(const char *text)
{
    return QCoreApplication::translate("VisitStore", text);
}

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

} // namespace

VisitStore::VisitStore(CaseStore &store)
    : m_store(store)
{
}

QStringList VisitStore::schemaStatements(const CaseStoreDialect &dialect)
{
    // One visit per case and date; the unique key is also the index a case's visits are
    // read by. Clinical data: deleted with the case.
    return {dialect.ddl(QStringLiteral(
        "CREATE TABLE case_visits ("
        "id {id}, "
        "case_id {bigint} NOT NULL REFERENCES cases (id) ON DELETE CASCADE, "
        "visit_date TEXT NOT NULL, "
        "bmi {real} NOT NULL, "
        "weight_kg {real}, "
        "note TEXT NOT NULL, "
        "UNIQUE (case_id, visit_date))"))};
}

CaseStoreError VisitStore::check(const Visit &visit, const QDate &baseline)
{
    const auto invalid = [](const QString &message) {
        return CaseStoreError{CaseStoreError::InvalidInput, message};
    };
    if (!visit.date.isValid() || !(visit.date > baseline) || visit.date > QDate::currentDate())
        return invalid(tr("The visit date must be after the baseline date (%1) and not after "
                          "today.")
                           .arg(baseline.toString(DateFormat)));
    if (!(visit.bmi >= VisitLimits::BmiLowest && visit.bmi <= VisitLimits::BmiHighest))
        return invalid(tr("The observed BMI must be from 10 to 100 kg/m²."));
    if (visit.weightKg
        && !(*visit.weightKg >= VisitLimits::WeightLowest
             && *visit.weightKg <= VisitLimits::WeightHighest))
        return invalid(tr("The weight must be from 20 to 400 kg."));
    if (visit.note.size() > VisitLimits::NoteLength)
        return invalid(tr("The note must be at most %1 characters.").arg(VisitLimits::NoteLength));
    return {};
}

bool VisitStore::fail(const CaseStoreError &error)
{
    return m_store.fail(error);
}

bool VisitStore::readBaseline(qint64 caseId, QDate *baseline)
{
    QSqlQuery query(m_store.database());
    query.prepare(QStringLiteral("SELECT baseline_date FROM cases WHERE id = ?"));
    query.addBindValue(caseId);
    if (!query.exec())
        return m_store.failQuery(query, QT_TR_NOOP("read the case"));
    if (!query.next())
        return fail({CaseStoreError::NotFound, tr("The case no longer exists.")});
    *baseline = QDate::fromString(query.value(0).toString(), DateFormat);
    return true;
}

bool VisitStore::storeHeight(qint64 caseId, std::optional<double> newHeightM, QSqlQuery &query)
{
    if (!newHeightM)
        return true;
    if (!(*newHeightM >= VisitLimits::HeightLowest && *newHeightM <= VisitLimits::HeightHighest))
        return fail({CaseStoreError::InvalidInput, tr("The height must be from 1.00 to 2.50 m.")});
    // Only a case without a height takes one here; a height set meanwhile by someone
    // else is not overwritten, and the BMI worked out with this one is not stored.
    query.prepare(QStringLiteral("UPDATE cases SET height_m = ?, changed_by = ?, "
                                 "changed_at = ?, row_version = row_version + 1 "
                                 "WHERE id = ? AND height_m IS NULL"));
    query.addBindValue(*newHeightM);
    query.addBindValue(m_store.user());
    query.addBindValue(QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs));
    query.addBindValue(caseId);
    if (!query.exec())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    if (query.numRowsAffected() != 1)
        return fail({CaseStoreError::Conflict,
                     tr("The case's height was set by someone else meanwhile; the visit "
                        "was not saved. Please enter it again.")});
    if (!m_store.writeAudit(caseId, QStringLiteral("update"),
                            {{QStringLiteral("height_m"), QString(), numberText(*newHeightM)}},
                            query))
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    return true;
}

bool VisitStore::visits(qint64 caseId, QList<Visit> *visits)
{
    m_store.m_error = {};
    if (!m_store.connected())
        return false;
    visits->clear();
    QSqlQuery query(m_store.database());
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT %1 FROM case_visits WHERE case_id = ? "
                                 "ORDER BY visit_date").arg(VisitColumns));
    query.addBindValue(caseId);
    if (!query.exec())
        return m_store.failQuery(query, QT_TR_NOOP("read the visits"));
    while (query.next())
        visits->append(visitFromRow(query));
    return true;
}

bool VisitStore::allVisits(QHash<qint64, QList<Visit>> *visits)
{
    m_store.m_error = {};
    visits->clear();
    if (!m_store.connected())
        return false;
    QSqlQuery query(m_store.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT case_id, %1 FROM case_visits "
                                   "ORDER BY case_id, visit_date").arg(VisitColumns)))
        return m_store.failQuery(query, QT_TR_NOOP("read the visits"));
    while (query.next())
        (*visits)[query.value(0).toLongLong()].append(visitFromRow(query, 1));
    return true;
}

bool VisitStore::insertVisit(CaseStore &store, qint64 caseId, Visit *visit, QSqlQuery &query)
{
    query.prepare(QStringLiteral("INSERT INTO case_visits (case_id, visit_date, bmi, weight_kg, "
                                 "note) VALUES (?, ?, ?, ?, ?)")
                  + store.m_dialect.returningId());
    query.addBindValue(caseId);
    bindVisit(query, *visit);
    if (!query.exec())
        return false;
    visit->id = store.m_dialect.insertedId(query);
    return store.writeAudit(caseId, QStringLiteral("visit insert"),
                            changes(visit->id, std::nullopt, *visit), query);
}

bool VisitStore::visitOn(qint64 caseId, const QDate &date, std::optional<Visit> *visit)
{
    m_store.m_error = {};
    if (!m_store.connected())
        return false;
    visit->reset();
    QSqlQuery query(m_store.database());
    query.prepare(QStringLiteral("SELECT %1 FROM case_visits WHERE case_id = ? AND "
                                 "visit_date = ?").arg(VisitColumns));
    query.addBindValue(caseId);
    query.addBindValue(date.toString(DateFormat));
    if (!query.exec())
        return m_store.failQuery(query, QT_TR_NOOP("read the visits"));
    if (query.next())
        *visit = visitFromRow(query);
    return true;
}

bool VisitStore::lastVisits(const QVector<qint64> &caseIds, QHash<qint64, LastVisit> *visits)
{
    m_store.m_error = {};
    if (!m_store.connected())
        return false;
    visits->clear();
    QStringList predictors;
    for (int p = 0; p < PredictorCount; ++p)
        predictors << QStringLiteral("c.") + CaseFields::predictorColumn(p);
    QSqlQuery query(m_store.database());
    query.setForwardOnly(true);
    // One indexed look-up per case: a page of the case list asks for a few dozen.
    query.prepare(QStringLiteral("SELECT v.id, v.visit_date, v.bmi, v.weight_kg, v.note, "
                                 "c.baseline_date, %1 FROM case_visits v JOIN cases c ON "
                                 "c.id = v.case_id WHERE v.case_id = ? "
                                 "ORDER BY v.visit_date DESC LIMIT 1")
                      .arg(predictors.join(QStringLiteral(", "))));
    for (qint64 caseId : caseIds) {
        query.addBindValue(caseId);
        if (!query.exec())
            return m_store.failQuery(query, QT_TR_NOOP("read the visits"));
        if (!query.next())
            continue;
        LastVisit last;
        last.visit = visitFromRow(query);
        const QDate baseline = QDate::fromString(query.value(5).toString(), DateFormat);
        PredictorValues values{};
        for (int p = 0; p < PredictorCount; ++p)
            values[p] = query.value(6 + p).toDouble();
        last.comparison = compareVisit(values, baseline, last.visit);
        visits->insert(caseId, last);
    }
    return true;
}

bool VisitStore::addVisit(qint64 caseId, Visit *visit, SameDate sameDate,
                          std::optional<double> newHeightM)
{
    m_store.m_error = {};
    if (!m_store.connected())
        return false;
    QSqlDatabase db = m_store.database();
    WriteTransaction write(db, m_store.m_dialect);
    QSqlQuery &query = write.query();
    if (!write.begun())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    QDate baseline;
    if (!readBaseline(caseId, &baseline))
        return false;
    if (const CaseStoreError invalid = check(*visit, baseline))
        return fail(invalid);
    if (!storeHeight(caseId, newHeightM, query))
        return false;

    std::optional<Visit> earlier;
    if (!visitOn(caseId, visit->date, &earlier))
        return false;
    if (earlier && sameDate == RefuseSameDate)
        return fail({CaseStoreError::Conflict,
                     tr("The case already has a visit on %1.")
                         .arg(visit->date.toString(DateFormat))});
    if (earlier) {
        query.prepare(QStringLiteral("DELETE FROM case_visits WHERE id = ?"));
        query.addBindValue(earlier->id);
        if (!query.exec())
            return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    }

    query.prepare(QStringLiteral("INSERT INTO case_visits (case_id, visit_date, bmi, weight_kg, "
                                 "note) VALUES (?, ?, ?, ?, ?)")
                  + m_store.m_dialect.returningId());
    query.addBindValue(caseId);
    bindVisit(query, *visit);
    if (!query.exec())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    const qint64 id = m_store.m_dialect.insertedId(query);
    Visit stored = *visit;
    stored.id = id;
    QVector<CaseAuditEntry::Change> audit = changes(id, std::nullopt, stored);
    if (earlier) {
        // The replaced visit's values stay in the trail with this entry.
        for (const CaseAuditEntry::Change &change : changes(earlier->id, earlier, std::nullopt))
            audit.append(change);
    }
    if (!m_store.writeAudit(caseId,
                            earlier ? QStringLiteral("visit replace")
                                    : QStringLiteral("visit insert"),
                            audit, query)
        || !write.commit())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    visit->id = id;
    return true;
}

bool VisitStore::keepEarlierVisit(qint64 caseId, const Visit &declined)
{
    m_store.m_error = {};
    if (!m_store.connected())
        return false;
    QSqlDatabase db = m_store.database();
    WriteTransaction write(db, m_store.m_dialect);
    QSqlQuery &query = write.query();
    if (!write.begun())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    QDate baseline;
    if (!readBaseline(caseId, &baseline))
        return false;
    if (!m_store.writeAudit(caseId, QStringLiteral("visit not replaced"),
                            changes(0, std::nullopt, declined), query)
        || !write.commit())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    return true;
}

bool VisitStore::updateVisit(qint64 caseId, const Visit &visit, std::optional<double> newHeightM)
{
    m_store.m_error = {};
    if (!m_store.connected())
        return false;
    QSqlDatabase db = m_store.database();
    WriteTransaction write(db, m_store.m_dialect);
    QSqlQuery &query = write.query();
    if (!write.begun())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
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
                         tr("The case already has another visit on %1.")
                             .arg(visit.date.toString(DateFormat))});
    }
    if (!before)
        return fail({CaseStoreError::NotFound, tr("The visit no longer exists.")});
    if (!storeHeight(caseId, newHeightM, query))
        return false;

    query.prepare(QStringLiteral("UPDATE case_visits SET visit_date = ?, bmi = ?, weight_kg = ?, "
                                 "note = ? WHERE id = ? AND case_id = ?"));
    bindVisit(query, visit);
    query.addBindValue(visit.id);
    query.addBindValue(caseId);
    if (!query.exec()
        || !m_store.writeAudit(caseId, QStringLiteral("visit update"),
                               changes(visit.id, before, visit), query)
        || !write.commit())
        return m_store.failQuery(query, QT_TR_NOOP("save the visit"));
    return true;
}

bool VisitStore::removeVisit(qint64 caseId, qint64 visitId)
{
    m_store.m_error = {};
    if (!m_store.connected())
        return false;
    QSqlDatabase db = m_store.database();
    WriteTransaction write(db, m_store.m_dialect);
    QSqlQuery &query = write.query();
    if (!write.begun())
        return m_store.failQuery(query, QT_TR_NOOP("delete the visit"));
    QList<Visit> stored;
    if (!visits(caseId, &stored))
        return false;
    const auto found = std::find_if(stored.cbegin(), stored.cend(),
                                    [visitId](const Visit &v) { return v.id == visitId; });
    if (found == stored.cend())
        return fail({CaseStoreError::NotFound, tr("The visit no longer exists.")});
    query.prepare(QStringLiteral("DELETE FROM case_visits WHERE id = ? AND case_id = ?"));
    query.addBindValue(visitId);
    query.addBindValue(caseId);
    if (!query.exec()
        || !m_store.writeAudit(caseId, QStringLiteral("visit delete"),
                               changes(visitId, *found, std::nullopt), query)
        || !write.commit())
        return m_store.failQuery(query, QT_TR_NOOP("delete the visit"));
    return true;
}
