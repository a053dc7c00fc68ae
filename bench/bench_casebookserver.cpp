// The case book on a clinic's PostgreSQL server, directly and through a proxy that delays
// each direction by 10 ms (a 20 ms round trip, as over a VPN): saving a case, adding a visit,
// selecting a case with its follow-up, opening a book of 100,000 cases to its first page, and
// importing 1,000 cases with 6 visits each. The server is the throw-away one of the tests:
//   scripts/pg-test-server.sh start /tmp/telma-bench-pg telma_bench
//   TELMA_BENCH_POSTGRES="host=/tmp/telma-bench-pg/sock dbname=telma_bench user=postgres" \
//       build-bench/bench/bench_casebookserver
// The argument of each benchmark is the delay each way in milliseconds.
#include "casefields.h"
#include "casestore.h"
#include "roundtripproxy.h"
#include "visitstore.h"

#include "connectioninfo.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

CaseRecord benchCase(const QString &code, int i)
{
    CaseRecord record;
    record.code = code;
    record.baselineDate = QDate::currentDate().addDays(-300 + i % 100);
    record.heightMetres = 1.5 + (i % 50) / 100.0;
    record.predictors = {3.1, 2.5, 3.0, 21, 39, 28, 70, 30.0 + (i % 300) / 10.0};
    record.sources[0] = QStringLiteral("DEBQ, “Restrained eating” scale");
    record.answers[0] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4};
    record.course = predictBmiCourse(record.predictors);
    record.modelVersion = QStringLiteral("1.0.0");
    return record;
}

QString server()
{
    const QString location = qEnvironmentVariable("TELMA_BENCH_POSTGRES");
    if (location.isEmpty())
        qFatal("TELMA_BENCH_POSTGRES is not set (see the top of bench_casebookserver.cpp)");
    return location;
}

// A case book of its own in schema name, made by the owner the first time.
QString caseBook(const QString &name)
{
    ConnectionInfo info;
    info.parse(server());
    {
        CaseStore owner;
        if (!owner.open(server()))
            qFatal("%s", qPrintable(owner.lastError().message));
        QSqlQuery(owner.database()).exec(QStringLiteral("SET client_min_messages = warning"));
        QSqlQuery(owner.database()).exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS %1").arg(name));
    }
    info.set(QStringLiteral("options"), QStringLiteral("-c search_path=%1").arg(name));
    CaseStore store;
    if (!store.open(info.toString()))
        qFatal("%s", qPrintable(store.lastError().message));
    return info.toString();
}

// The store through a proxy with the benchmark's delay each way.
struct Remote {
    std::unique_ptr<RoundTripProxy> proxy;
    CaseStore store;

    Remote(const QString &location, int delayMs)
    {
        ConnectionInfo info;
        info.parse(location);
        proxy = std::make_unique<RoundTripProxy>(info.value(QStringLiteral("host"))
                                                     + QStringLiteral("/.s.PGSQL.5432"),
                                                 std::chrono::milliseconds(delayMs),
                                                 std::chrono::seconds(3600));
        if (!store.open(proxy->through(location)))
            qFatal("%s", qPrintable(store.lastError().message));
    }
};

void report(benchmark::State &state, Remote &remote, int actions)
{
    state.counters["round_trips"] = benchmark::Counter(double(remote.proxy->roundTrips()) / actions);
}

void saveCase(benchmark::State &state)
{
    Remote remote(caseBook(QStringLiteral("bench_save")), int(state.range(0)));
    static int serial = 0;
    int actions = 0;
    remote.proxy->resetCount();
    for (auto _ : state) {
        CaseRecord record = benchCase(QStringLiteral("S-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial), serial);
        if (!remote.store.addCase(&record))
            state.SkipWithError(qPrintable(remote.store.lastError().message));
        ++actions;
    }
    report(state, remote, actions);
}

// As the follow-up pane does it: is the date taken, then store.
void addVisit(benchmark::State &state)
{
    Remote remote(caseBook(QStringLiteral("bench_visit")), int(state.range(0)));
    static int serial = 0;
    CaseRecord record;
    // A case has a visit a day since its baseline; a fast run takes a new case before today.
    const auto newCase = [&] {
        record = benchCase(QStringLiteral("V-%1-%2").arg(QCoreApplication::applicationPid()).arg(++serial), 1);
        record.baselineDate = QDate::currentDate().addDays(-20000);
        if (!remote.store.addCase(&record))
            qFatal("%s", qPrintable(remote.store.lastError().message));
    };
    newCase();
    VisitStore visits(remote.store);
    int day = 0;
    int actions = 0;
    remote.proxy->resetCount();
    for (auto _ : state) {
        if (day == 19000) {
            state.PauseTiming();
            newCase();
            day = 0;
            state.ResumeTiming();
        }
        Visit visit;
        visit.date = record.baselineDate.addDays(++day);
        visit.bmi = 30;
        std::optional<Visit> earlier;
        if (!visits.visitOn(record.id, visit.date, &earlier) || !visits.addVisit(record.id, &visit))
            state.SkipWithError(qPrintable(remote.store.lastError().message));
        ++actions;
    }
    report(state, remote, actions);
}

// As the case book does it when a case is selected: the case, then its visits.
void selectCase(benchmark::State &state)
{
    const QString location = caseBook(QStringLiteral("bench_select"));
    qint64 id = 0;
    {
        CaseStore owner;
        owner.open(location);
        QVector<CaseSummary> page;
        owner.summaries(QString(), QString(), 1, &page);
        if (page.isEmpty()) {
            QVector<CaseRecord> records = {benchCase(QStringLiteral("C-1"), 1)};
            QList<Visit> six;
            for (int v = 1; v <= 6; ++v) {
                Visit visit;
                visit.date = records[0].baselineDate.addDays(30 * v);
                visit.bmi = 31 - v * 0.5;
                six.append(visit);
            }
            owner.addCases(&records, {six});
            id = records[0].id;
        } else {
            id = page.first().id;
        }
    }
    Remote remote(location, int(state.range(0)));
    int actions = 0;
    remote.proxy->resetCount();
    for (auto _ : state) {
        CaseRecord record;
        QList<Visit> visits;
        if (!remote.store.readCase(id, &record) || !VisitStore(remote.store).visits(id, &visits))
            state.SkipWithError(qPrintable(remote.store.lastError().message));
        ++actions;
    }
    report(state, remote, actions);
}

// The first step of the case list, as CaseListModel asks for it, in a book of 100,000 cases
// (filled once with plain SQL as the owner; the trail is not needed to list them).
void openFirstPage(benchmark::State &state)
{
    const QString location = caseBook(QStringLiteral("bench_open"));
    {
        CaseStore owner;
        owner.open(location);
        if (owner.caseCount() < 100000) {
            QStringList columns = {QStringLiteral("code")};
            QStringList values = {QStringLiteral("'P-' || lpad(i::text, 6, '0')")};
            QSqlQuery probe(owner.database());
            // A book of this version keeps each code's fold as well.
            if (probe.exec(QStringLiteral("SELECT 1 FROM information_schema.columns WHERE "
                                          "table_schema = current_schema() AND table_name = "
                                          "'cases' AND column_name = 'code_folded'"))
                && probe.next()) {
                columns << QStringLiteral("code_folded");
                values << QStringLiteral("'p-' || lpad(i::text, 6, '0')");
            }
            for (int p = 0; p < PredictorCount; ++p) {
                columns << CaseFields::predictorColumn(p)
                        << CaseFields::predictorColumn(p) + QStringLiteral("_source");
                values << QString::number(p == int(Predictor::InitialBmi) ? 35.0 : 3.0)
                       << QStringLiteral("''");
            }
            for (int m = 1; m <= CourseMonths; ++m) {
                columns << CaseFields::monthColumn(m);
                values << QString::number(35 - m);
            }
            const QString sql = QStringLiteral(
                "INSERT INTO cases (%1, baseline_date, height_m, model_version, created_by, "
                "created_at, changed_by, changed_at) SELECT %2, '2025-01-01', 1.7, '1.0.0', "
                "'bench', '2025-01-01', 'bench', '2025-01-01' FROM generate_series(1, 100000) i")
                                    .arg(columns.join(QStringLiteral(", ")), values.join(QStringLiteral(", ")));
            QSqlQuery fill(owner.database());
            if (!fill.exec(sql))
                qFatal("filling: %s", qPrintable(fill.lastError().text()));
        }
    }
    Remote remote(location, int(state.range(0)));
    int actions = 0;
    remote.proxy->resetCount();
    for (auto _ : state) {
        CaseSearchStep step;
        if (!remote.store.searchCases(QString(), QString(), 2000, 100, &step) || step.matches.size() != 100)
            state.SkipWithError(qPrintable(remote.store.lastError().message));
#ifdef TELMA_BENCH_BEFORE
        // The list before the last visits came with its page asked for them apart.
        QVector<qint64> ids;
        for (const CaseSummary &summary : std::as_const(step.matches))
            ids << summary.id;
        QHash<qint64, VisitStore::LastVisit> last;
        VisitStore(remote.store).lastVisits(ids, &last);
#endif
        ++actions;
    }
    report(state, remote, actions);
}

// telma-cohort import: which codes are taken, then every case with its visits at once.
void import1000(benchmark::State &state)
{
    Remote remote(caseBook(QStringLiteral("bench_import")), int(state.range(0)));
    static int batch = 0;
    int actions = 0;
    remote.proxy->resetCount();
    for (auto _ : state) {
        ++batch;
        QVector<CaseRecord> records;
        QVector<QList<Visit>> visits;
        QStringList codes;
        for (int i = 0; i < 1000; ++i) {
            records.append(benchCase(QStringLiteral("I%1-%2-%3").arg(QCoreApplication::applicationPid()).arg(batch).arg(i), i));
            codes << records.last().code;
            QList<Visit> six;
            for (int v = 1; v <= 6; ++v) {
                Visit visit;
                visit.date = records.last().baselineDate.addDays(30 * v);
                visit.bmi = 31 - v * 0.5;
                six.append(visit);
            }
            visits.append(six);
        }
        QSet<QString> inUse;
        if (!remote.store.codesInUse(codes, &inUse) || !remote.store.addCases(&records, visits))
            state.SkipWithError(qPrintable(remote.store.lastError().message));
        ++actions;
    }
    report(state, remote, actions);
}

} // namespace

BENCHMARK(saveCase)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(addVisit)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(selectCase)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(openFirstPage)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->MinTime(2);
BENCHMARK(import1000)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond)->Iterations(3);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (qEnvironmentVariableIsEmpty("TELMA_BENCH_POSTGRES")) {
        qInfo("skipped: TELMA_BENCH_POSTGRES names no server (see bench_casebookserver.cpp)");
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
