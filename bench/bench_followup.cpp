// Selecting a case in the case book: its follow-up pane reads the case and its visits and
// shows the chart and the table. Measured in a case book of 100,000 cases (SQLite, as the
// program keeps it), the case selected having 24 visits:
// - selectCase: FollowUpPane::showCase(), the reads from the database and the models;
// - selectCaseAndPaint: the same followed by a full paint of the pane (chart, legend,
//   table and buttons) into an image, what one frame has to hold;
// - lastVisitsOfPage: the last visit of each of 100 cases, one page of the case list.
// Run: bench_followup --benchmark_repetitions=5 (QT_QPA_PLATFORM=offscreen when headless).
// The case book is made once, in the temporary folder, and kept between runs.

#include "casefields.h"
#include "casestore.h"
#include "followuppane.h"
#include "visitstore.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <benchmark/benchmark.h>

namespace {

constexpr int Cases = 100000;
constexpr int Visits = 24;

CaseRecord benchCase(const QString &code)
{
    CaseRecord record;
    record.code = code;
    record.baselineDate = QDate::currentDate().addDays(-400);
    record.heightMetres = 1.70;
    record.predictors = {3, 3, 3, 21, 39, 28, 70, 35};
    record.course = predictBmiCourse(record.predictors);
    record.modelVersion = QStringLiteral(TELMA_VERSION);
    return record;
}

// Copies the first case under new codes in one transaction: the fastest way to a large
// book whose rows look like those the program writes.
bool fillCopies(CaseStore &store, qint64 firstId)
{
    QSqlDatabase db = store.database();
    QStringList columns;
    const QSqlRecord fields = db.record(QStringLiteral("cases"));
    for (int i = 0; i < fields.count(); ++i) {
        const QString name = fields.fieldName(i);
        if (name != QLatin1String("id") && name != QLatin1String("code")
            && !name.startsWith(QLatin1String("code_")))
            columns << name;
    }
    const QString list = columns.join(QStringLiteral(", "));
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN")))
        return false;
    // Each copy with the fold of its own code, which the book keeps unique.
    query.prepare(QStringLiteral("INSERT INTO cases (code, code_folded, %1) SELECT ?, ?, %1 "
                                 "FROM cases WHERE id = ?").arg(list));
    for (int i = 1; i < Cases; ++i) {
        const QString code = QStringLiteral("B-%1").arg(i, 6, 10, QLatin1Char('0'));
        query.addBindValue(code);
        query.addBindValue(CaseFields::foldedCode(code));
        query.addBindValue(firstId);
        if (!query.exec())
            qFatal("%s", qPrintable(query.lastError().text()));
    }
    return query.exec(QStringLiteral("COMMIT"));
}

// The book, made on first use; the id of the case with 24 visits, in the middle by code.
qint64 caseBook(CaseStore &store)
{
    const QString location = QDir::temp().filePath(
        QStringLiteral("telma-bench-followup-%1/cases.sqlite").arg(Cases));
    const bool exists = QFileInfo::exists(location);
    if (!store.open(location))
        qFatal("%s", qPrintable(store.lastError().message));
    const QString code = QStringLiteral("B-%1-visits").arg(Cases / 2, 6, 10, QLatin1Char('0'));
    if (!exists || store.caseCount() < Cases) {
        CaseRecord first = benchCase(QStringLiteral("B-000000"));
        CaseRecord followed = benchCase(code);
        if (!store.addCase(&first) || !store.addCase(&followed) || !fillCopies(store, first.id))
            qFatal("%s", qPrintable(store.lastError().message));
        VisitStore visits(store);
        for (int v = 0; v < Visits; ++v) {
            Visit visit;
            visit.date = followed.baselineDate.addDays(7 * (v + 1));
            visit.bmi = 35 - 0.15 * v;
            visit.note = QStringLiteral("weekly");
            if (!visits.addVisit(followed.id, &visit))
                qFatal("%s", qPrintable(store.lastError().message));
        }
    }
    QVector<CaseSummary> found;
    if (!store.summaries(code, QString(), 1, &found) || found.size() != 1)
        qFatal("the followed case is missing");
    return found.first().id;
}

struct Fixture {
    Fixture()
    {
        caseId = caseBook(store);
        pane.setAttribute(Qt::WA_DontShowOnScreen);
        pane.resize(700, 560);
        pane.show();
    }
    CaseStore store;
    qint64 caseId = 0;
    FollowUpPane pane{&store};
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void selectCase(benchmark::State &state)
{
    Fixture &f = fixture();
    for (auto _ : state) {
        // Another case first, as a click moves from one case to the next.
        f.pane.showCase(0);
        f.pane.showCase(f.caseId);
    }
}
BENCHMARK(selectCase)->Unit(benchmark::kMillisecond);

void selectCaseAndPaint(benchmark::State &state)
{
    Fixture &f = fixture();
    QImage image(f.pane.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        f.pane.showCase(0);
        f.pane.showCase(f.caseId);
        f.pane.render(&image);
    }
}
BENCHMARK(selectCaseAndPaint)->Unit(benchmark::kMillisecond);

void lastVisitsOfPage(benchmark::State &state)
{
    Fixture &f = fixture();
    QVector<CaseSummary> page;
    f.store.summaries(QString(), QStringLiteral("B-049950"), 100, &page);
    QVector<qint64> ids;
    for (const CaseSummary &summary : page)
        ids << summary.id;
    QHash<qint64, VisitStore::LastVisit> last;
    for (auto _ : state) {
        VisitStore(f.store).lastVisits(ids, &last);
        benchmark::DoNotOptimize(last);
    }
    if (last.size() != 1)
        state.SkipWithError("the page should hold the followed case");
}
BENCHMARK(lastVisitsOfPage)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
