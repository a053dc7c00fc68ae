// One workstation of the load test (tst_load): a fixed mix of operations on a case book,
// each acknowledged write written to a journal the test checks against the database after.
//   loadclient LOCATION CLIENT OPERATIONS SEED JOURNAL
// Journal lines: "ack add ID", "ack update ID VERSION BMI", "ack visit CASE VISIT DATE BMI",
// "ack delete ID", "ack read ID", "conflict ID", "lost OP" (a lost connection or server
// reported, then retried), "error OP MESSAGE" (anything else), "lat OP MICROSECONDS".
#include "casestore.h"
#include "casestorefixture.h"
#include "visitstore.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <QThread>

#include <functional>
#include <optional>

namespace {

QFile journal;

void note(const QString &line)
{
    journal.write(line.toUtf8() + '\n');
    journal.flush(); // a line written is a line the test reads, even if this process dies
}

bool transient(CaseStoreError::Kind kind)
{
    return kind == CaseStoreError::ConnectionLost || kind == CaseStoreError::ServerUnavailable
           || kind == CaseStoreError::Busy;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 6)
        qFatal("usage: loadclient LOCATION CLIENT OPERATIONS SEED JOURNAL");
    const QString location = args[1];
    const int client = args[2].toInt();
    const int operations = args[3].toInt();
    QRandomGenerator random(args[4].toUInt());
    journal.setFileName(args[5]);
    if (!journal.open(QIODevice::WriteOnly | QIODevice::Append))
        qFatal("cannot write the journal");
    const QString me = QStringLiteral("client-%1").arg(client);

    CaseStore store;
    store.setUser(me);
    QElapsedTimer waited;
    waited.start();
    while (!store.open(location)) {
        if (!transient(store.lastError().kind) || waited.elapsed() > 60000) {
            note(QStringLiteral("error open %1").arg(store.lastError().message.simplified()));
            return 1;
        }
        QThread::msleep(100);
    }
    VisitStore visits(store);

    // Runs one operation, retrying while the server is away (at most a minute). When an
    // attempt was cut off after the server had committed it, the retry is refused;
    // `landed` then tells whether the write is there after all.
    const auto attempt = [&](const QString &op, const std::function<bool()> &run,
                             const std::function<bool()> &landed = {}) {
        QElapsedTimer timer;
        timer.start();
        bool retried = false;
        while (true) {
            if (run())
                break;
            const CaseStoreError error = store.lastError();
            if (transient(error.kind) && timer.elapsed() < 60000) {
                note(QStringLiteral("lost %1").arg(op));
                retried = true;
                QThread::msleep(100);
                continue;
            }
            if (retried && landed && landed())
                break;
            if (error.kind == CaseStoreError::Conflict)
                return false;
            note(QStringLiteral("error %1 %2").arg(op, error.message.simplified()));
            return false;
        }
        note(QStringLiteral("lat %1 %2").arg(op).arg(timer.nsecsElapsed() / 1000));
        return true;
    };

    // The shared cases every client edits: made by the test before the clients start.
    QVector<CaseSummary> shared;
    attempt(QStringLiteral("list"), [&] { return store.summaries(QStringLiteral("shared-"), QString(), 100, &shared); });
    QHash<qint64, CaseRecord> seen; // what this client last read of each shared case
    // A copy this client's own first edit made stale: one edit from it must conflict, however
    // the clients' turns fall.
    std::optional<CaseRecord> outdated;
    bool outdatedTried = false;
    QVector<qint64> own;            // this client's cases not deleted
    QHash<qint64, int> visitCount;
    int made = 0;

    for (int i = 0; i < operations; ++i) {
        const int roll = random.bounded(100);
        if (roll < 20 && !shared.isEmpty()) { // open a case
            const qint64 id = roll % 2 && !own.isEmpty() ? own[random.bounded(own.size())]
                                                         : shared[random.bounded(shared.size())].id;
            CaseRecord record;
            if (attempt(QStringLiteral("open"), [&] { return store.readCase(id, &record); }))
                note(QStringLiteral("ack read %1").arg(id));
        } else if (roll < 45 || own.isEmpty()) { // save a new case
            CaseRecord record = sampleCase(QStringLiteral("%1-%2").arg(me).arg(++made), i);
            const auto landed = [&] {
                QVector<CaseSummary> found;
                if (!store.summaries(record.code, QString(), 2, &found))
                    return false;
                for (const CaseSummary &summary : found) {
                    CaseRecord stored;
                    if (summary.code == record.code && store.readCase(summary.id, &stored)
                        && stored.createdBy == me) {
                        record.id = stored.id;
                        return true;
                    }
                }
                return false;
            };
            if (attempt(QStringLiteral("save"), [&] { return store.addCase(&record); }, landed)) {
                own.append(record.id);
                note(QStringLiteral("ack add %1").arg(record.id));
            }
        } else if (roll < 65) { // add a visit to one of this client's cases
            const qint64 id = own[random.bounded(own.size())];
            Visit visit;
            visit.date = QDate(2026, 1, 1).addDays(300 + ++visitCount[id]); // after any baseline
            visit.bmi = 25 + random.bounded(1000) / 100.0;
            visit.note = QStringLiteral("visit %1").arg(i);
            const auto landed = [&] {
                std::optional<Visit> stored;
                if (!visits.visitOn(id, visit.date, &stored) || !stored || stored->bmi != visit.bmi)
                    return false;
                visit.id = stored->id;
                return true;
            };
            if (attempt(QStringLiteral("visit"), [&] { return visits.addVisit(id, &visit); }, landed))
                note(QStringLiteral("ack visit %1 %2 %3 %4")
                         .arg(id).arg(visit.id).arg(visit.date.toString(Qt::ISODate))
                         .arg(visit.bmi, 0, 'g', 17));
        } else if (roll < 90 && !shared.isEmpty()) { // edit a shared case, maybe from a stale read
            const bool fromOutdated = outdated && !outdatedTried;
            const qint64 id = fromOutdated ? outdated->id : shared[random.bounded(shared.size())].id;
            CaseRecord edit;
            if (fromOutdated) {
                edit = *outdated;
                outdatedTried = true;
            } else if (seen.contains(id) && random.bounded(2)) {
                edit = seen.value(id);
            } else if (!attempt(QStringLiteral("open"), [&] { return store.readCase(id, &edit); })) {
                continue;
            }
            const qint64 base = edit.rowVersion;
            const CaseRecord before = edit;
            edit.predictors[7] = 30 + random.bounded(2000) / 100.0;
            edit.course = predictBmiCourse(edit.predictors);
            const double bmi = edit.predictors[7];
            const auto landed = [&] {
                CaseRecord stored;
                if (!store.readCase(id, &stored) || stored.changedBy != me
                    || stored.rowVersion != base + 1 || stored.predictors[7] != bmi)
                    return false;
                edit.rowVersion = stored.rowVersion;
                return true;
            };
            if (attempt(QStringLiteral("edit"), [&] { return store.updateCase(&edit); }, landed)) {
                seen.insert(id, edit);
                if (!outdated)
                    outdated = before;
                note(QStringLiteral("ack update %1 %2 %3").arg(id).arg(edit.rowVersion).arg(bmi, 0, 'g', 17));
            } else if (store.lastError().kind == CaseStoreError::Conflict) {
                note(QStringLiteral("conflict %1").arg(id));
                seen.remove(id);
            }
        } else if (own.size() > 1) { // delete one of this client's cases
            const qint64 id = own.takeAt(random.bounded(own.size()));
            const auto landed = [&] {
                CaseRecord gone;
                return !store.readCase(id, &gone) && store.lastError().kind == CaseStoreError::NotFound;
            };
            if (attempt(QStringLiteral("delete"), [&] { return store.removeCase(id); }, landed))
                note(QStringLiteral("ack delete %1").arg(id));
        }
    }
    note(QStringLiteral("done"));
    return 0;
}
