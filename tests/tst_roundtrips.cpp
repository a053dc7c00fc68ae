// What each user action costs on the clinic server in round trips, counted by a proxy that
// stands in for the network (tests/roundtripproxy.h). The budget is two round trips per action,
// BEGIN and COMMIT included, and an import or export of N cases costs the same for any N.
// Each action runs once before it is counted: a connection prepares each statement the first
// time it runs it, one round trip more, and keeps it.
#include "casebookcohort.h"
#include "casebookimport.h"
#include "caselistmodel.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "roundtripproxy.h"
#include "visitstore.h"

#include <QBuffer>
#include <QTest>

#include <functional>

namespace {

Visit visitOn(const QDate &date, double bmi)
{
    Visit visit;
    visit.date = date;
    visit.bmi = bmi;
    return visit;
}

// A case book through the proxy holding cases A-000… with a visit each.
struct Book {
    std::unique_ptr<RoundTripProxy> proxy;
    CaseStore store;
    QVector<CaseRecord> cases;
};

bool openBook(Book *book, int cases)
{
    const QString location = freshCaseBook();
    ConnectionInfo info;
    info.parse(location);
    book->proxy = std::make_unique<RoundTripProxy>(
        info.value(QStringLiteral("host")) + QStringLiteral("/.s.PGSQL.5432"),
        std::chrono::milliseconds(0));
    if (!book->proxy->isListening() || !book->store.open(book->proxy->through(location)))
        return false;
    QVector<QList<Visit>> visits;
    for (int i = 0; i < cases; ++i) {
        CaseRecord record = sampleCase(QStringLiteral("A-%1").arg(i, 3, 10, QLatin1Char('0')), i);
        record.baselineDate = QDate::currentDate().addDays(-100);
        book->cases.append(record);
        visits.append({visitOn(record.baselineDate.addDays(10), 31)});
    }
    return book->store.addCases(&book->cases, visits);
}

using Action = std::function<bool(Book &, int attempt)>;

} // namespace

Q_DECLARE_METATYPE(Action)

class TestRoundTrips : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (!caseBooksOnServer())
            QSKIP("TELMA_TEST_POSTGRES is not set: run through ctest, which starts the server");
    }

    void actionWithinBudget_data()
    {
        QTest::addColumn<Action>("action");
        QTest::addColumn<int>("budget");
        const auto newCase = [](int attempt) {
            return sampleCase(QStringLiteral("N-%1").arg(attempt), attempt);
        };
        QTest::newRow("save a new case") << Action([newCase](Book &book, int attempt) {
            CaseRecord record = newCase(attempt);
            return book.store.addCase(&record);
        }) << 2;
        QTest::newRow("save a changed case") << Action([](Book &book, int attempt) {
            CaseRecord &record = book.cases[attempt];
            record.predictors[7] += 1;
            return book.store.updateCase(&record);
        }) << 2;
        QTest::newRow("delete a case") << Action([](Book &book, int attempt) {
            return book.store.removeCase(book.cases[attempt].id);
        }) << 2;
        // The follow-up pane asks first whether the date is taken, then stores.
        const auto visitAction = [](int daysAfter, VisitStore::SameDate sameDate, bool keep) {
            return Action([=](Book &book, int attempt) {
                const CaseRecord &record = book.cases[attempt];
                Visit visit = visitOn(record.baselineDate.addDays(daysAfter), 30);
                VisitStore visits(book.store);
                std::optional<Visit> earlier;
                if (!visits.visitOn(record.id, visit.date, &earlier))
                    return false;
                return keep ? visits.keepEarlierVisit(record.id, visit)
                            : visits.addVisit(record.id, &visit, sameDate);
            });
        };
        QTest::newRow("add a visit") << visitAction(20, VisitStore::RefuseSameDate, false) << 2;
        QTest::newRow("replace the visit on one date") << visitAction(10, VisitStore::ReplaceSameDate, false) << 2;
        QTest::newRow("keep the earlier visit on one date") << visitAction(10, VisitStore::RefuseSameDate, true) << 2;
        QTest::newRow("correct a visit") << Action([](Book &book, int attempt) {
            VisitStore visits(book.store);
            QList<Visit> list;
            if (!visits.visits(book.cases[attempt].id, &list) || list.isEmpty())
                return false;
            Visit visit = list.first();
            visit.bmi += 0.5;
            book.proxy->resetCount(); // the pane has the visit already
            std::optional<Visit> earlier;
            return visits.visitOn(book.cases[attempt].id, visit.date, &earlier)
                   && visits.updateVisit(book.cases[attempt].id, visit);
        }) << 2;
        QTest::newRow("delete a visit") << Action([](Book &book, int attempt) {
            VisitStore visits(book.store);
            QList<Visit> list;
            if (!visits.visits(book.cases[attempt].id, &list) || list.isEmpty())
                return false;
            book.proxy->resetCount();
            return visits.removeVisit(book.cases[attempt].id, list.first().id);
        }) << 2;
        QTest::newRow("open the case book to its first page") << Action([](Book &book, int) {
            CaseListModel model(book.store);
            return model.rowCount() == book.cases.size();
        }) << 2;
        QTest::newRow("one step of a filter keystroke") << Action([](Book &book, int attempt) {
            CaseListModel model(book.store);
            book.proxy->resetCount();
            model.setFilter(QStringLiteral("a-00%1").arg(attempt));
            return model.rowCount() > 0;
        }) << 2;
        QTest::newRow("select a case, showing its follow-up") << Action([](Book &book, int attempt) {
            CaseRecord record;
            QList<Visit> visits;
            return book.store.readCase(book.cases[attempt].id, &record)
                   && VisitStore(book.store).visits(record.id, &visits);
        }) << 2;
        // The same for 5 and for 200 cases: the import looks up the codes, then stores. A
        // batch larger than one call takes a call per chunk and its transaction's two.
        for (int count : {5, 200, CaseStore::ServerChunk + 500}) {
            QTest::addRow("import %d cases with 6 visits each", count) << Action([count](Book &book, int attempt) {
                QVector<CaseRecord> records;
                QVector<QList<Visit>> visits;
                QStringList codes;
                for (int i = 0; i < count; ++i) {
                    records.append(sampleCase(QStringLiteral("I%1-%2").arg(attempt).arg(i), i));
                    records.last().baselineDate = QDate::currentDate().addDays(-200);
                    codes << records.last().code;
                    QList<Visit> six;
                    for (int v = 1; v <= 6; ++v)
                        six.append(visitOn(records.last().baselineDate.addDays(30 * v), 30 - v * 0.5));
                    visits.append(six);
                }
                QSet<QString> inUse;
                return book.store.codesInUse(codes, &inUse) && inUse.isEmpty()
                       && book.store.addCases(&records, visits);
            }) << (count > CaseStore::ServerChunk ? 5 : 2);
            // telma-cohort import itself: a file of up to a batch is one call, which refuses a
            // code in use itself; a longer one a call per batch and its transaction's two.
            QTest::addRow("telma-cohort import of %d rows with 6 months each", count)
                << Action([count](Book &book, int attempt) {
                       const QDate baseline = QDate::currentDate().addDays(-200);
                       QByteArray text = "code,baseline_date,restrained_eating,emotional_eating,external_eating,"
                                         "personal_standards,concern_over_mistakes,body_image_dissatisfaction,"
                                         "alexithymia,initial_bmi,bmi_month_1,bmi_month_2,bmi_month_3,"
                                         "bmi_month_4,bmi_month_5,bmi_month_6\n";
                       for (int i = 0; i < count; ++i)
                           text += QStringLiteral("M%1-%2,%3,2,2,2,15,25,10,50,32,31.5,31,30.5,30,29.5,29\n")
                                       .arg(attempt).arg(i).arg(baseline.toString(Qt::ISODate)).toUtf8();
                       QBuffer buffer(&text);
                       buffer.open(QIODevice::ReadOnly);
                       CohortInput input(buffer, QStringLiteral("cohort.csv"), CohortReadOptions());
                       CaseBookImport import(book.store, QStringLiteral("test"));
                       return import.run(input) == CaseBookImport::Imported;
                   }) << (count > CaseBookImport::BatchRows ? 4 : 1);
            if (count > CaseStore::ServerChunk)
                continue;
            QTest::addRow("telma-cohort export of %d cases with their visits", count) << Action([count](Book &book, int) {
                CaseBookCohort cohort;
                return cohort.read(book.store) && cohort.rows().size() >= count;
            }) << 3;
            QTest::addRow("export %d cases with their visits", count) << Action([count](Book &book, int) {
                QVector<CaseRecord> records;
                QHash<qint64, QList<Visit>> visits;
                return book.store.readCases({}, &records) && records.size() >= count
                       && VisitStore(book.store).allVisits(&visits);
            }) << 3;
        }
    }
    void actionWithinBudget()
    {
        QFETCH(Action, action);
        QFETCH(int, budget);
        const bool many = QByteArray(QTest::currentDataTag()).contains("200");
        Book book;
        QVERIFY2(openBook(&book, many ? 200 : 5), qPrintable(book.store.lastError().message));
        QVERIFY2(action(book, 0), qPrintable(book.store.lastError().message));
        book.proxy->resetCount();
        QVERIFY2(action(book, 1), qPrintable(book.store.lastError().message));
        const int counted = book.proxy->roundTrips();
        qInfo("%s: %d round trips", QTest::currentDataTag(), counted);
        QVERIFY2(counted <= budget, qPrintable(QStringLiteral("%1 round trips").arg(counted)));
    }
};

QTEST_MAIN(TestRoundTrips)
#include "tst_roundtrips.moc"
