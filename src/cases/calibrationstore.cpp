#include "calibrationstore.h"

#include "caseaudittrail.h"
#include "caseserverfunctions.h"
#include "casestore.h"
#include "casestorestatement.h"
#include "casestorewrite.h"
#include "casestr.h"
#include "writetransaction.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimeZone>

#include <cmath>

namespace {

QString timeText(const QDateTime &time)
{
    return time.toUTC().toString(Qt::ISODateWithMs);
}

QVariant optionalReal(double value)
{
    return std::isfinite(value) ? QVariant(value) : QVariant(QMetaType(QMetaType::Double));
}

QVariant optionalReal(const std::optional<double> &value)
{
    return value ? optionalReal(*value) : QVariant(QMetaType(QMetaType::Double));
}

double realOrNan(const QVariant &value)
{
    return value.isNull() ? std::nan("") : value.toDouble();
}

std::optional<double> realOrNone(const QVariant &value)
{
    return value.isNull() ? std::nullopt : std::optional<double>(value.toDouble());
}

} // namespace

CalibrationStore::CalibrationStore(CaseStore &store)
    : m_store(store)
{
}

QStringList CalibrationStore::schemaStatements(const CaseStoreDialect &dialect)
{
    QStringList statements = {
        // source_file is empty for a calibration made from the case book itself.
        QStringLiteral("CREATE TABLE calibrations ("
                       "id {id}, "
                       "made_at TEXT NOT NULL, "
                       "made_by TEXT NOT NULL, "
                       "model_version TEXT NOT NULL, "
                       "source_file TEXT NOT NULL, "
                       "source_sha256 TEXT NOT NULL, "
                       "people {bigint} NOT NULL, "
                       "in_use INTEGER NOT NULL DEFAULT 0 CHECK (in_use IN (0, 1)))"),
        // The database itself allows no second calibration in use.
        QStringLiteral("CREATE UNIQUE INDEX calibrations_one_in_use ON calibrations (in_use) "
                       "WHERE in_use = 1"),
        QStringLiteral("CREATE TABLE calibration_months ("
                       "calibration_id {bigint} NOT NULL REFERENCES calibrations (id), "
                       "month INTEGER NOT NULL, "
                       "n {bigint} NOT NULL, "
                       "mean_error {real}, "
                       "sd_error {real}, "
                       "low {real}, "
                       "high {real}, "
                       "PRIMARY KEY (calibration_id, month))"),
        QStringLiteral("CREATE TABLE calibration_audit ("
                       "id {id}, "
                       "calibration_id {bigint} NOT NULL, "
                       "action TEXT NOT NULL, "
                       "changed_by TEXT NOT NULL, "
                       "changed_at TEXT NOT NULL)"),
    };
    for (QString &statement : statements)
        statement = dialect.ddl(statement);
    // Kept as made: the figures never change, a calibration is never deleted, and of its
    // row only whether it is in use may change. The trail is append-only.
    const QString frozen = QStringLiteral(
        "NEW.made_at <> OLD.made_at OR NEW.made_by <> OLD.made_by OR NEW.model_version <> "
        "OLD.model_version OR NEW.source_file <> OLD.source_file OR NEW.source_sha256 <> "
        "OLD.source_sha256 OR NEW.people <> OLD.people OR NEW.id <> OLD.id");
    const struct {
        const char *name, *table, *event;
        QString condition;
    } refusals[] = {
        {"calibrations_no_change", "calibrations", "UPDATE", frozen},
        {"calibrations_no_delete", "calibrations", "DELETE", QString()},
        {"calibration_months_no_update", "calibration_months", "UPDATE", QString()},
        {"calibration_months_no_delete", "calibration_months", "DELETE", QString()},
        {"calibration_audit_no_update", "calibration_audit", "UPDATE", QString()},
        {"calibration_audit_no_delete", "calibration_audit", "DELETE", QString()},
    };
    for (const auto &r : refusals)
        statements << dialect.refusingTrigger(QLatin1String(r.name), QLatin1String(r.table),
                                              QLatin1String(r.event), r.condition);
    statements << dialect.databaseUserColumn(QStringLiteral("calibration_audit"));
    return statements;
}

bool CalibrationStore::inUse(std::optional<Calibration> *calibration)
{
    calibration->reset();
    m_store.connection().clearError();
    if (!m_store.connection().connected())
        return false;
    QSqlQuery query(m_store.database());
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT id, made_at, made_by, model_version, source_file, "
                                   "source_sha256, people FROM calibrations WHERE in_use = 1")))
        return m_store.connection().failQuery(query, QT_TRANSLATE_NOOP("Cases", "read the calibration"));
    if (!query.next())
        return true;
    Calibration c;
    c.id = query.value(0).toLongLong();
    c.madeAt = QDateTime::fromString(query.value(1).toString(), Qt::ISODateWithMs);
    c.madeAt.setTimeZone(QTimeZone::utc());
    c.madeBy = query.value(2).toString();
    c.modelVersion = query.value(3).toString();
    c.sourceFile = query.value(4).toString();
    c.sourceSha256 = query.value(5).toString();
    c.people = query.value(6).toLongLong();
    c.inUse = true;
    query.prepare(QStringLiteral("SELECT month, n, mean_error, sd_error, low, high FROM "
                                 "calibration_months WHERE calibration_id = ?"));
    query.addBindValue(c.id);
    if (!query.exec())
        return m_store.connection().failQuery(query, QT_TRANSLATE_NOOP("Cases", "read the calibration"));
    while (query.next()) {
        const int month = query.value(0).toInt();
        if (month < 1 || month > CourseMonths)
            continue;
        CalibrationMonth &m = c.months[month - 1];
        m.n = query.value(1).toLongLong();
        m.meanError = realOrNan(query.value(2));
        m.sdError = realOrNan(query.value(3));
        m.low = realOrNone(query.value(4));
        m.high = realOrNone(query.value(5));
    }
    *calibration = c;
    return true;
}

bool CalibrationStore::writeAudit(qint64 calibrationId, const QString &action, QSqlQuery &query)
{
    query.prepare(QStringLiteral("INSERT INTO calibration_audit (calibration_id, action, "
                                 "changed_by, changed_at) VALUES (?, ?, ?, ?)"));
    query.addBindValue(calibrationId);
    query.addBindValue(action);
    query.addBindValue(m_store.user());
    query.addBindValue(timeText(QDateTime::currentDateTimeUtc()));
    return query.exec();
}

bool CalibrationStore::dropInUse(QSqlQuery &query)
{
    if (!query.exec(QStringLiteral("SELECT id FROM calibrations WHERE in_use = 1")))
        return false;
    if (!query.next())
        return true;
    const qint64 id = query.value(0).toLongLong();
    query.prepare(QStringLiteral("UPDATE calibrations SET in_use = 0 WHERE id = ?"));
    query.addBindValue(id);
    return query.exec() && writeAudit(id, QStringLiteral("drop"), query);
}

bool CalibrationStore::callServer(const char *function, const QVariantList &arguments,
                                  const char *doing, QVariantList *answer)
{
    CaseStoreConnection &connection = m_store.connection();
    CaseStoreWrite write(connection, doing);
    if (!write.begun())
        return false;
    CaseStoreStatement call(connection,
                            CaseServerFunctions::call(connection.dialect().schema(), function,
                                                      int(arguments.size()) + 1),
                            doing);
    if (!call)
        return false;
    call->addBindValue(m_store.user());
    for (const QVariant &argument : arguments)
        call->addBindValue(argument);
    if (!call->exec()) {
        if (CaseServerFunctions::refusal(*call) == CaseServerFunctions::CalibrationGone)
            return connection.fail({CaseStoreError::NotFound, CasesTr::tr("The calibration no longer exists.")});
        return call.fail();
    }
    if (answer && call->next()) {
        for (int i = 0; i < call->record().count(); ++i)
            answer->append(call->value(i));
    }
    return write.commit();
}

bool CalibrationStore::add(Calibration *calibration, bool use)
{
    m_store.connection().clearError();
    if (!m_store.connection().connected() || !m_store.connection().writable())
        return false;
    if (m_store.connection().isServer()) {
        QVariantList answer;
        if (!callServer("telma_add_calibration",
                        {CaseServerFunctions::calibrationArgument(*calibration), use},
                        QT_TRANSLATE_NOOP("Cases", "store the calibration"), &answer))
            return false;
        calibration->id = answer.value(0).toLongLong();
        calibration->madeAt = CaseAuditTrail::readTime(answer.value(1));
        calibration->madeBy = m_store.user();
        calibration->inUse = use;
        return true;
    }
    QSqlDatabase db = m_store.database();
    WriteTransaction write(db, m_store.connection().dialect());
    QSqlQuery &query = write.query();
    const char *doing = QT_TRANSLATE_NOOP("Cases", "store the calibration");
    if (!write.begun() || (use && !dropInUse(query)))
        return m_store.connection().failQuery(query, doing);
    const QDateTime now = QDateTime::currentDateTimeUtc();
    query.prepare(QStringLiteral("INSERT INTO calibrations (made_at, made_by, model_version, "
                                 "source_file, source_sha256, people, in_use) VALUES (?, ?, ?, ?, "
                                 "?, ?, ?)")
                  + m_store.connection().dialect().returningId());
    query.addBindValue(timeText(now));
    query.addBindValue(m_store.user());
    query.addBindValue(calibration->modelVersion);
    query.addBindValue(calibration->sourceFile.isNull() ? QStringLiteral("") : calibration->sourceFile);
    query.addBindValue(calibration->sourceSha256.isNull() ? QStringLiteral("") : calibration->sourceSha256);
    query.addBindValue(calibration->people);
    query.addBindValue(use ? 1 : 0);
    if (!query.exec())
        return m_store.connection().failQuery(query, doing);
    const qint64 id = m_store.connection().dialect().insertedId(query);
    query.prepare(QStringLiteral("INSERT INTO calibration_months (calibration_id, month, n, "
                                 "mean_error, sd_error, low, high) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    for (int k = 1; k <= CourseMonths; ++k) {
        const CalibrationMonth &m = calibration->month(k);
        query.addBindValue(id);
        query.addBindValue(k);
        query.addBindValue(m.n);
        query.addBindValue(optionalReal(m.meanError));
        query.addBindValue(optionalReal(m.sdError));
        query.addBindValue(optionalReal(m.low));
        query.addBindValue(optionalReal(m.high));
        if (!query.exec())
            return m_store.connection().failQuery(query, doing);
    }
    if (!writeAudit(id, QStringLiteral("make"), query)
        || (use && !writeAudit(id, QStringLiteral("use"), query)) || !write.commit())
        return m_store.connection().failQuery(query, doing);
    calibration->id = id;
    calibration->madeAt = now;
    calibration->madeBy = m_store.user();
    calibration->inUse = use;
    return true;
}

bool CalibrationStore::use(qint64 id)
{
    m_store.connection().clearError();
    if (!m_store.connection().connected() || !m_store.connection().writable())
        return false;
    if (m_store.connection().isServer())
        return callServer("telma_use_calibration", {id}, QT_TRANSLATE_NOOP("Cases", "put the calibration in use"));
    QSqlDatabase db = m_store.database();
    WriteTransaction write(db, m_store.connection().dialect());
    QSqlQuery &query = write.query();
    const char *doing = QT_TRANSLATE_NOOP("Cases", "put the calibration in use");
    if (!write.begun() || !dropInUse(query))
        return m_store.connection().failQuery(query, doing);
    query.prepare(QStringLiteral("UPDATE calibrations SET in_use = 1 WHERE id = ?"));
    query.addBindValue(id);
    if (!query.exec())
        return m_store.connection().failQuery(query, doing);
    if (query.numRowsAffected() != 1)
        return m_store.connection().fail({CaseStoreError::NotFound, CasesTr::tr("The calibration no longer exists.")});
    if (!writeAudit(id, QStringLiteral("use"), query) || !write.commit())
        return m_store.connection().failQuery(query, doing);
    return true;
}

bool CalibrationStore::useNone()
{
    m_store.connection().clearError();
    if (!m_store.connection().connected() || !m_store.connection().writable())
        return false;
    if (m_store.connection().isServer())
        return callServer("telma_use_no_calibration", {}, QT_TRANSLATE_NOOP("Cases", "use no calibration"));
    QSqlDatabase db = m_store.database();
    WriteTransaction write(db, m_store.connection().dialect());
    QSqlQuery &query = write.query();
    if (!write.begun() || !dropInUse(query) || !write.commit())
        return m_store.connection().failQuery(query, QT_TRANSLATE_NOOP("Cases", "use no calibration"));
    return true;
}
