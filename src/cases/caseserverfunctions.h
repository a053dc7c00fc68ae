#ifndef CASESERVERFUNCTIONS_H
#define CASESERVERFUNCTIONS_H

#include "calibration.h"
#include "caserecord.h"
#include "visit.h"

#include <QList>
#include <QString>
#include <QStringList>

class QSqlQuery;
struct CaseVisits;

// On the clinic server, workstations change the case book only through functions installed
// there, owned by the owner role and run with its rights (SECURITY DEFINER): each one checks
// the change, writes it and its audit entry in one transaction, and the trail names the
// database account the server knows (session_user), whatever a workstation claims. Each is
// one round trip. This class holds both sides of that contract: the functions' SQL, and the
// arguments and refusals the store exchanges with them.
class CaseServerFunctions
{
public:
    // Why a function refused, as the SQLSTATE it raises.
    enum Refusal {
        NoRefusal,
        CodeInUse,     // another case has the code
        CaseChanged,   // the row version is not the one the edit started from
        CaseGone,
        VisitGone,
        SameDate,      // another visit of the case is on that date
        HeightSet,     // a height given with a visit, but the case has one meanwhile
        InvalidValue,  // a value outside what the case book accepts
        CalibrationGone,
    };

    // The statements that install (or replace) the functions in the case book's schema
    // (quoted), with the trail's trigger functions pinned to it.
    static QStringList installStatements(const QString &schema);
    // What a workstation role may run; the signatures as GRANT names them.
    static QStringList entryPoints(const QString &schema);

    // The call of a function, for a kept statement: schema-qualified, so that nothing a
    // workstation puts on its search path is called instead.
    static QString call(const QString &schema, const char *function, int arguments);

    // The JSON the functions take for a case, a visit and a calibration; a batch of new cases
    // with their visits (visits[i] those of records[i]) and further visits of stored cases,
    // each cut into arguments of up to chunk cases, one call each.
    static QString caseArgument(const CaseRecord &record);
    static QString visitArgument(const Visit &visit);
    static QString calibrationArgument(const Calibration &calibration);
    static QStringList batchArguments(const QVector<CaseRecord> &records,
                                      const QVector<QList<Visit>> &visits, int chunk);
    static QStringList storedVisitsArguments(const QVector<CaseVisits> &stored, int chunk);

    // The refusal a failed call of a function raised, if it was one of these.
    static Refusal refusal(const QSqlQuery &query);
};

#endif // CASESERVERFUNCTIONS_H
