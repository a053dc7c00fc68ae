#ifndef VISITSTORE_H
#define VISITSTORE_H

#include "bmicourse.h"
#include "casestoreerror.h"
#include "lastvisit.h"
#include "visit.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QVector>

#include <functional>
#include <optional>
#include <utility>

class CaseStore;
class CaseStoreConnection;
class CaseStoreWrite;

// A case as a calibration reads it: its predictors, and its visits by date as the days since
// its baseline with the BMI observed.
struct CaseObservations {
    qint64 caseId = 0;
    PredictorValues predictors{};
    QVector<std::pair<double, double>> visits;
};

// The follow-up visits of the cases in a case book. Like the cases themselves, every change
// is one write together with its audit entry, which keeps the old values; a refused change
// stores nothing. Errors are reported through the connection's (the case store's) lastError().
class VisitStore
{
public:
    // What to do when the case already has a visit on the new visit's date.
    enum SameDate { RefuseSameDate, ReplaceSameDate };
    using LastVisit = ::LastVisit;

    explicit VisitStore(CaseStore &store);
    explicit VisitStore(CaseStoreConnection &connection);

    // Why a visit cannot be stored for a case with this baseline (kind InvalidInput), or
    // none. The dialog says the same in more detail before it gets here.
    static CaseStoreError check(const Visit &visit, const QDate &baseline);

    // The case's visits in date order.
    bool visits(qint64 caseId, QList<Visit> *visits);
    // The case's visit on date, if any.
    bool visitOn(qint64 caseId, const QDate &date, std::optional<Visit> *visit);
    // The visits of every case, each case's in date order, read at once.
    bool allVisits(QHash<qint64, QList<Visit>> *visits);
    // The visits of the given cases only, each case's in date order.
    bool visitsOf(const QVector<qint64> &caseIds, QHash<qint64, QList<Visit>> *visits);
    // Every case in order of code with its visits, handed to each one case at a time: one
    // forward-only query reading only the predictors, and each visit's day and BMI, so that
    // memory does not grow with the book.
    bool observations(const std::function<void(const CaseObservations &)> &each);
    // The latest visit of each of the given cases that has one, read at once.
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

    // Inserts a checked new visit of a case and its audit entry within write: a batch of
    // new cases and their visits is one write.
    bool insertVisit(qint64 caseId, Visit *visit, CaseStoreWrite &write);

    bool readBaseline(qint64 caseId, QDate *baseline);
    // Within a write: checks a height given with a visit and stores it for a case that has
    // none, with its audit entry.
    bool storeHeight(qint64 caseId, std::optional<double> heightM);

private:
    bool fail(const CaseStoreError &error);
    // On the clinic server, the checks that need no look-up, before the call.
    bool checkBeforeCall(qint64 caseId, const Visit &visit);
    // On the clinic server: calls function with the user and arguments bound by bind, then
    // turns its refusal into the same error a SQLite file gives.
    template<typename Bind>
    bool callServer(const char *function, int arguments, const char *doing, const Visit &visit,
                    qint64 caseId, Bind bind, qint64 *newId = nullptr);

    CaseStoreConnection &m_connection;
};

#endif // VISITSTORE_H
