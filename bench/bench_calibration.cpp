// The clinic's calibration in a case book of 100,000 cases with 6 visits each (SQLite, as the
// program keeps it):
// - calibrateCaseBook: CaseBookCalibration::make(), all cases and visits read and the figures
//   of every month worked out, what "Calibrate from this case book…" and calibrate --cases do;
// - calibrateCaseBookOnServer: the same on PostgreSQL, with TELMA_BENCH_POSTGRES set as for
//   bench_casebookserver (skipped without);
// - selectCaseWithoutRange / selectCaseWithRange: FollowUpPane::showCase() of a case with 6
//   visits, without a calibration in use and with one: the range's share of a click.
// Run: bench_calibration --benchmark_repetitions=5 (QT_QPA_PLATFORM=offscreen when headless).
// The case book is made once, in the temporary folder, and kept between runs.

#include "calibrationstore.h"
#include "casefields.h"
#include "casebookcalibration.h"
#include "casestore.h"
#include "connectioninfo.h"
#include "followuppane.h"

#include <QApplication>
#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

namespace {

constexpr int Cases = 100000;
constexpr int Visits = 6;

bool exec(QSqlQuery &query, const QString &sql)
{
    if (query.exec(sql))
        return true;
    qFatal("%s", qPrintable(sql));
    return false;
}

// One case saved as the program saves it, copied under new codes with varied initial BMI,
// then six visits for each, a month apart, near its prediction: all in a few statements.
CaseRecord sampleRecord()
{
    CaseRecord record;
    record.code = QStringLiteral("C-000000");
    record.baselineDate = QDate::currentDate().addDays(-400);
    record.heightMetres = 1.70;
    record.predictors = {3, 3, 3, 21, 39, 28, 70, 35};
    record.course = predictBmiCourse(record.predictors);
    record.modelVersion = QStringLiteral(TELMA_VERSION);
    return record;
}

// The columns of cases a copy takes from its original: all but the key and the code.
QString copiedColumns(const QSqlDatabase &db)
{
    QStringList columns;
    const QSqlRecord fields = db.record(QStringLiteral("cases"));
    for (int i = 0; i < fields.count(); ++i) {
        const QString name = fields.fieldName(i);
        if (name != QLatin1String("id") && name != QLatin1String("code")
            && !name.startsWith(QLatin1String("code_")))
            columns << name;
    }
    return columns.join(QStringLiteral(", "));
}

// Six visits for each case, a month apart, near its prediction; visitDate is the engine's
// SQL for the date %1 days after the baseline.
void addVisits(QSqlQuery &query, const QString &visitDate)
{
    for (int k = 1; k <= Visits; ++k)
        exec(query, QStringLiteral("INSERT INTO case_visits (case_id, visit_date, bmi, note) "
                                   "SELECT id, %1, predicted_month_%2 + ((id * %2) % 11 - 5) / "
                                   "20.0, '' FROM cases")
                        .arg(visitDate.arg(qRound(k * DaysPerMonth)))
                        .arg(k));
}

void fill(CaseStore &store)
{
    CaseRecord record = sampleRecord();
    if (!store.addCase(&record))
        qFatal("%s", qPrintable(store.lastError().message));
    QSqlDatabase db = store.database();
    const QString list = copiedColumns(db);
    QSqlQuery query(db);
    exec(query, QStringLiteral("BEGIN"));
    query.prepare(QStringLiteral("INSERT INTO cases (code, code_folded, %1) SELECT ?, ?, %1 FROM cases "
                                 "WHERE id = ?").arg(list));
    for (int i = 1; i < Cases; ++i) {
        const QString code = QStringLiteral("C-%1").arg(i, 6, 10, QLatin1Char('0'));
        query.addBindValue(code);
        query.addBindValue(CaseFields::foldedCode(code));
        query.addBindValue(record.id);
        if (!query.exec())
            qFatal("copy");
    }
    // Spread the initial BMI a little, so that the people differ.
    exec(query, QStringLiteral("UPDATE cases SET initial_bmi = 30 + (id % 100) / 10.0"));
    addVisits(query, QStringLiteral("date(baseline_date, '+%1 days')"));
    exec(query, QStringLiteral("COMMIT"));
}

// The same book on the server, each step one statement there.
void fillOnServer(CaseStore &store)
{
    CaseRecord record = sampleRecord();
    if (!store.addCase(&record))
        qFatal("%s", qPrintable(store.lastError().message));
    if (CaseFields::foldedCode(QStringLiteral("C-000001")) != QStringLiteral("c-000001"))
        qFatal("the codes' fold is not lower case");
    QSqlDatabase db = store.database();
    const QString list = copiedColumns(db);
    QSqlQuery query(db);
    exec(query, QStringLiteral("INSERT INTO cases (code, code_folded, %1) SELECT 'C-' || "
                               "lpad(g::text, 6, '0'), 'c-' || lpad(g::text, 6, '0'), %1 FROM "
                               "cases, generate_series(1, %2) AS g WHERE id = %3")
                    .arg(list)
                    .arg(Cases - 1)
                    .arg(record.id));
    exec(query, QStringLiteral("UPDATE cases SET initial_bmi = 30 + (id % 100) / 10.0"));
    addVisits(query, QStringLiteral("to_char(baseline_date::date + %1, 'YYYY-MM-DD')"));
}

struct Fixture {
    Fixture()
    {
        const QString location = QDir::temp().filePath(
            QStringLiteral("telma-bench-calibration-%1/cases.sqlite").arg(Cases));
        const bool exists = QFileInfo::exists(location);
        if (!store.open(location))
            qFatal("%s", qPrintable(store.lastError().message));
        if (!exists || store.caseCount() < Cases)
            fill(store);
        QVector<CaseSummary> found;
        if (!store.summaries(QString(), QStringLiteral("C-050000"), 1, &found) || found.isEmpty())
            qFatal("no case to select");
        caseId = found.first().id;
    }
    CaseStore store;
    qint64 caseId = 0;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void calibrateCaseBook(benchmark::State &state)
{
    Fixture &f = fixture();
    Calibration calibration;
    for (auto _ : state) {
        if (!CaseBookCalibration::make(f.store, QStringLiteral(TELMA_VERSION), &calibration))
            state.SkipWithError("the case book cannot be read");
        benchmark::DoNotOptimize(calibration);
    }
    if (calibration.people != Cases || calibration.month(6).n != Cases)
        state.SkipWithError("every case should count at every month");
}
BENCHMARK(calibrateCaseBook)->Unit(benchmark::kMillisecond)->Iterations(3);

// The same on the clinic server named by TELMA_BENCH_POSTGRES (as for bench_casebookserver),
// in a schema of its own made once: the cases copied and their visits added by the server.
void calibrateCaseBookOnServer(benchmark::State &state)
{
    const QString server = qEnvironmentVariable("TELMA_BENCH_POSTGRES");
    if (server.isEmpty()) {
        state.SkipWithError("TELMA_BENCH_POSTGRES names no server");
        return;
    }
    static CaseStore store;
    if (!store.isOpen()) {
        {
            CaseStore owner;
            if (!owner.open(server))
                qFatal("%s", qPrintable(owner.lastError().message));
            QSqlQuery(owner.database()).exec(QStringLiteral("CREATE SCHEMA IF NOT EXISTS bench_calibration"));
        }
        ConnectionInfo info;
        info.parse(server);
        info.set(QStringLiteral("options"), QStringLiteral("-c search_path=bench_calibration"));
        if (!store.open(info.toString()))
            qFatal("%s", qPrintable(store.lastError().message));
        if (store.caseCount() < Cases)
            fillOnServer(store);
    }
    Calibration calibration;
    for (auto _ : state) {
        if (!CaseBookCalibration::make(store, QStringLiteral(TELMA_VERSION), &calibration))
            state.SkipWithError("the case book cannot be read");
        benchmark::DoNotOptimize(calibration);
    }
    if (calibration.people != Cases || calibration.month(6).n != Cases)
        state.SkipWithError("every case should count at every month");
}
BENCHMARK(calibrateCaseBookOnServer)->Unit(benchmark::kMillisecond)->Iterations(3);

void selectCase(benchmark::State &state, bool withRange)
{
    Fixture &f = fixture();
    CalibrationStore calibrations(f.store);
    if (withRange) {
        Calibration calibration;
        CaseBookCalibration::make(f.store, QStringLiteral(TELMA_VERSION), &calibration);
        calibrations.add(&calibration, true);
    } else {
        calibrations.useNone();
    }
    FollowUpPane pane(&f.store);
    pane.setAttribute(Qt::WA_DontShowOnScreen);
    pane.resize(900, 560);
    pane.show();
    if (pane.calibration().has_value() != withRange)
        state.SkipWithError("the calibration in use is not as asked");
    for (auto _ : state) {
        // Another case first, as a click moves from one case to the next.
        pane.showCase(0);
        pane.showCase(f.caseId);
    }
}
void selectCaseWithoutRange(benchmark::State &state)
{
    selectCase(state, false);
}
void selectCaseWithRange(benchmark::State &state)
{
    selectCase(state, true);
}
BENCHMARK(selectCaseWithoutRange)->Unit(benchmark::kMillisecond);
BENCHMARK(selectCaseWithRange)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
