// The case book with 1,000 and 100,000 cases: opening it to its first painted list, one
// keystroke of filtering with the list repainted, and saving one case. Each must take at
// most one frame (16 ms) and grow by at most 2x from 1,000 to 100,000 cases.
#include "caseauditchain.h"
#include "casebookdialog.h"
#include "caselistmodel.h"
#include "casestore.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTableView>

#include <benchmark/benchmark.h>

namespace {

CaseRecord benchCase(int i)
{
    CaseRecord record;
    // Codes as a clinic would make them: a letter pair and a number.
    record.code = QStringLiteral("%1%2-%3")
                      .arg(QChar('A' + i % 26))
                      .arg(QChar('A' + (i / 26) % 26))
                      .arg(i, 6, 10, QLatin1Char('0'));
    record.baselineDate = QDate(2025, 1, 1).addDays(i % 600);
    record.heightMetres = 1.5 + (i % 50) / 100.0;
    record.predictors = {3.1, 2.5, 3.0, 21, 39, 28, 70, 30.0 + (i % 300) / 10.0};
    record.sources[0] = QStringLiteral("DEBQ, “Restrained eating” scale");
    record.answers[0] = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4};
    record.course = predictBmiCourse(record.predictors);
    record.modelVersion = QStringLiteral("1.0.0");
    return record;
}

// A case book of the given size, made once and kept in the temporary folder between runs.
QString caseBook(int cases)
{
    const QString path =
        QDir::temp().filePath(QStringLiteral("telma-bench-cases-%1/cases.sqlite").arg(cases));
    if (QFileInfo::exists(path))
        return path;
    CaseStore store;
    if (!store.open(path))
        qFatal("%s", qPrintable(store.lastError().message));
    // Filling only: the saves timed below keep the product's full durability.
    QSqlQuery(store.database()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    for (int i = 0; i < cases; ++i) {
        CaseRecord record = benchCase(i);
        if (!store.addCase(&record))
            qFatal("%s", qPrintable(store.lastError().message));
    }
    return path;
}

void openCaseBook(benchmark::State &state)
{
    CaseStore store;
    store.open(caseBook(int(state.range(0))));
    for (auto _ : state) {
        CaseBookDialog dialog(store);
        dialog.resize(720, 480);
        benchmark::DoNotOptimize(dialog.grab()); // lays out and paints the first page
    }
}

// What opening the book adds for its audit trail: the guards and the last entries checked.
void checkTrailOnOpening(benchmark::State &state)
{
    CaseStore store;
    store.open(caseBook(int(state.range(0))));
    for (auto _ : state) {
        CaseAuditChain::Finding finding;
        CaseAuditChain(store.connection()).verify(CaseStoreConnection::TrailEntriesChecked, &finding);
        benchmark::DoNotOptimize(finding.checked);
    }
}

// The whole trail checked, as `telma-cohort audit --verify` does.
void checkWholeTrail(benchmark::State &state)
{
    CaseStore store;
    store.open(caseBook(int(state.range(0))));
    for (auto _ : state) {
        CaseAuditChain::Finding finding;
        CaseAuditChain(store.connection()).verify(0, &finding);
        benchmark::DoNotOptimize(finding.checked);
    }
}

// filter: the text typed, one keystroke at a time, alternating with one character less.
void filterKeystroke(benchmark::State &state, const char *filter)
{
    CaseStore store;
    store.open(caseBook(int(state.range(0))));
    CaseBookDialog dialog(store);
    dialog.resize(720, 480);
    dialog.grab();
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("caseFilterEdit"));
    auto *list = dialog.findChild<QTableView *>(QStringLiteral("caseList"));
    const QString full = QString::fromUtf8(filter);
    bool longer = true;
    for (auto _ : state) {
        edit->setText(longer ? full : full.chopped(1));
        longer = !longer;
        benchmark::DoNotOptimize(list->viewport()->grab());
    }
}

// The whole search for a filter no case matches, step after step, until the last code.
void filterWholeBook(benchmark::State &state)
{
    CaseStore store;
    store.open(caseBook(int(state.range(0))));
    CaseBookDialog dialog(store);
    dialog.resize(720, 480);
    dialog.grab();
    auto *edit = dialog.findChild<QLineEdit *>(QStringLiteral("caseFilterEdit"));
    auto *list = dialog.findChild<QTableView *>(QStringLiteral("caseList"));
    auto *model = qobject_cast<CaseListModel *>(list->model());
    bool longer = true;
    for (auto _ : state) {
        edit->setText(longer ? QStringLiteral("none9") : QStringLiteral("none"));
        longer = !longer;
        while (model->searching())
            QCoreApplication::processEvents();
    }
}

void saveCase(benchmark::State &state)
{
    CaseStore store;
    store.open(caseBook(int(state.range(0))));
    // Codes no earlier run used, even one that stopped before removing its saves.
    static int next = int(QDateTime::currentSecsSinceEpoch() % 1'000'000) * 100;
    QVector<qint64> saved;
    for (auto _ : state) {
        CaseRecord record = benchCase(next++);
        if (!store.addCase(&record))
            state.SkipWithError(qPrintable(store.lastError().message));
        saved << record.id;
    }
    // Removed again, after the timed loop, so that every run starts from a book of the same
    // size.
    QSqlQuery(store.database()).exec(QStringLiteral("PRAGMA synchronous = OFF"));
    for (qint64 id : std::as_const(saved))
        store.removeCase(id);
}

void sizes(benchmark::internal::Benchmark *b)
{
    b->Arg(1000)->Arg(100000)->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(openCaseBook)->Apply(sizes);
BENCHMARK(checkTrailOnOpening)->Apply(sizes);
BENCHMARK(checkWholeTrail)->Apply(sizes)->Unit(benchmark::kMillisecond)->Iterations(3);
// A code part every case has: the first page fills at once.
BENCHMARK_CAPTURE(filterKeystroke, common, "-00")->Apply(sizes);
// A code part found in one case in 26 x 26: the search reads on until a page is full.
BENCHMARK_CAPTURE(filterKeystroke, rare, "QZ-0")->Apply(sizes);
// No case matches: the whole book is searched.
BENCHMARK_CAPTURE(filterKeystroke, none, "none9")->Apply(sizes);
BENCHMARK(filterWholeBook)->Apply(sizes);
BENCHMARK(saveCase)->Apply(sizes);

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
