#ifndef VISITSTORE_H
#define VISITSTORE_H

#include "casestoreerror.h"
#include "visit.h"
#include "visitcomparison.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVector>

#include <optional>

class CaseStore;
class CaseStoreDialect;
class QSqlQuery;

// The follow-up visits of the cases in a case book. Like the cases themselves, every change
// is one transaction together with its audit entry, which keeps the old values; a refused
// change stores nothing. Errors are reported through the case store's lastError().
class VisitStore
{
public:
    // What to do when the case already has a visit on the new visit's date.
    enum SameDate { RefuseSameDate, ReplaceSameDate };

    explicit VisitStore(CaseStore &store);

    // The statements that add the visits to a case book of the first version.
    static QStringList schemaStatements(const CaseStoreDialect &dialect);

    // Why a visit cannot be stored for a case with this baseline (kind InvalidInput), or
    // none. The dialog says the same in more detail before it gets here.
    static CaseStoreError check(const Visit &visit, const QDate &baseline);

    // The case's visits in date order.
    bool visits(qint64 caseId, QList<Visit> *visits);
    // The case's visit on date, if any.
    bool visitOn(qint64 caseId, const QDate &date, std::optional<Visit> *visit);
    // The visits of every case, each case's in date order, read at once.
    bool allVisits(QHash<qint64, QList<Visit>> *visits);
    // A case's latest visit, set against its predicted course.
    struct LastVisit {
        Visit visit;
        VisitComparison comparison;
    };
    // The latest visit of each of the given cases that has one.
    bool lastVisits(const QVector<qint64> &caseIds, QHash<qint64, LastVisit> *visits);

    // Stores a new visit and fills in its id. A visit on the same date is replaced or, by
    // default, refused with kind Conflict. A height given here is stored with the visit
    // for a case that has none yet (it is what the visit's BMI was worked out with).
    bool addVisit(qint64 caseId, Visit *visit, SameDate sameDate = RefuseSameDate,
                  std::optional<double> newHeightM = std::nullopt);
    // Records that the user kept the earlier visit on declined's date instead of replacing
    // it with declined; nothing else changes.
    bool keepEarlierVisit(qint64 caseId, const Visit &declined);
    // Corrects a stored visit (found by its id); a height as for addVisit().
    bool updateVisit(qint64 caseId, const Visit &visit,
                     std::optional<double> newHeightM = std::nullopt);
    bool removeVisit(qint64 caseId, qint64 visitId);

private:
    // A whole batch of new cases is one transaction of the case store's.
    friend class CaseStore;
    // Inserts a checked new visit of a case and its audit entry, inside an open write.
    static bool insertVisit(CaseStore &store, qint64 caseId, Visit *visit, QSqlQuery &query);

    bool readBaseline(qint64 caseId, QDate *baseline);
    // Within a write: checks a height given with a visit and stores it for a case that has
    // none, with its audit entry.
    bool storeHeight(qint64 caseId, std::optional<double> heightM, QSqlQuery &query);
    bool fail(const CaseStoreError &error);

    CaseStore &m_store;
};

#endif // VISITSTORE_H
