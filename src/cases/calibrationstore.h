#ifndef CALIBRATIONSTORE_H
#define CALIBRATIONSTORE_H

#include "calibration.h"

#include <QStringList>

#include <QVariantList>

#include <optional>

class CaseStore;
class CaseStoreDialect;
class QSqlQuery;

// The clinic's calibrations in the case book. A calibration is kept as it was made; at most
// one is in use. Making one, putting one in use and using none each go into the audit
// trail in the same transaction. Errors are reported through the case store's lastError().
class CalibrationStore
{
public:
    explicit CalibrationStore(CaseStore &store);

    // The statements that add calibrations to a case book of the previous version.
    static QStringList schemaStatements(const CaseStoreDialect &dialect);

    // The calibration in use, or none.
    bool inUse(std::optional<Calibration> *calibration);
    // Stores a new calibration, filling in its id, who and when; with use, it becomes the
    // one in use in the same transaction.
    bool add(Calibration *calibration, bool use);
    // Puts the stored calibration with this id in use, in place of any other.
    bool use(qint64 id);
    // No calibration in use any more; each is still kept.
    bool useNone();

private:
    // On the clinic server: one call of function with the user and arguments; answer, when
    // given, gets the values of the row it returns.
    bool callServer(const char *function, const QVariantList &arguments, const char *doing,
                    QVariantList *answer = nullptr);
    bool writeAudit(qint64 calibrationId, const QString &action, QSqlQuery &query);
    // Within a write: none in use, audited as "drop" when one was.
    bool dropInUse(QSqlQuery &query);

    CaseStore &m_store;
};

#endif // CALIBRATIONSTORE_H
