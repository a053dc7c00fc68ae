// The visits in the case book on any database engine: every database comes from
// freshCaseBook(), and the tests speak only portable SQL.
#include "caseschema.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "visitstore.h"

#include <QSqlQuery>
#include <QTest>

#include <cmath>

namespace {

Visit visitOn(const QDate &date, double bmi, const QString &note = QString())
{
    Visit visit;
    visit.date = date;
    visit.bmi = bmi;
    visit.note = note;
    return visit;
}

// The values of an entry's changes as "field: old -> new", in the order written.
QStringList changeTexts(const CaseAuditEntry &entry)
{
    QStringList texts;
    for (const CaseAuditEntry::Change &change : entry.changes)
        texts << QStringLiteral("%1: %2 -> %3").arg(change.field, change.oldValue, change.newValue);
    texts.sort();
    return texts;
}

int rowCount(CaseStore &store, const QString &table)
{
    QSqlQuery query(store.database());
    if (!query.exec(QStringLiteral("SELECT COUNT(*) FROM ") + table) || !query.next())
        return -1;
    return query.value(0).toInt();
}

} // namespace

class TestVisitStore : public QObject
{
    Q_OBJECT

private slots:
    void keepsVisitsExactly_data();
    void keepsVisitsExactly();
    void refusesInvalidVisit_data();
    void refusesInvalidVisit();
    void sameDateReplacedOrKeptBothAudited();
    void correctionsAndDeletionAuditedWithOldValues();
    void heightGivenOnceIsKept();
    void deletingTheCaseErasesItsVisits();
    void earlierCaseBookGainsVisits();
    void lastVisitOfEachCase();
};

#define OPEN_FRESH(store, location)                                                           \
    const QString location = freshCaseBook();                                                 \
    CaseStore store;                                                                          \
    QVERIFY2(store.open(location), qPrintable(store.lastError().message))

#define ADD_CASE(store, record)                                                               \
    QVERIFY2(store.addCase(&record), qPrintable(store.lastError().message))

void TestVisitStore::keepsVisitsExactly_data()
{
    QTest::addColumn<QString>("note");
    QTest::addColumn<double>("weight"); // 0: none
    QTest::newRow("plain") << "after holidays" << 0.0;
    QTest::newRow("by weight") << "" << 92.35;
    QTest::newRow("SQL in the note") << "x'); DROP TABLE case_visits; --" << 0.0;
    QTest::newRow("quotes, tab, line break") << "\"a\"\t'b'\nc" << 20.0;
    QTest::newRow("emoji") << "🙂 Ünïcode" << 400.0;
    QTest::newRow("200 characters") << QString(200, QLatin1Char('n')) << 0.0;
}

void TestVisitStore::keepsVisitsExactly()
{
    QFETCH(QString, note);
    QFETCH(double, weight);
    CaseRecord record = sampleCase(QStringLiteral("V-1"));
    const QDate first = record.baselineDate.addDays(30);
    Visit later = visitOn(first.addDays(31), 1.0 / 3 + 30, note);
    if (weight > 0)
        later.weightKg = weight;
    const QString location = freshCaseBook();
    {
        CaseStore store;
        QVERIFY(store.open(location));
        ADD_CASE(store, record);
        VisitStore visits(store);
        Visit earlier = visitOn(first, 10.0);
        // Stored out of order: read back by date.
        QVERIFY2(visits.addVisit(record.id, &later), qPrintable(store.lastError().message));
        QVERIFY(visits.addVisit(record.id, &earlier));
        QVERIFY(later.id > 0 && earlier.id > 0 && later.id != earlier.id);
    }
    CaseStore store;
    QVERIFY(store.open(location));
    QList<Visit> read;
    QVERIFY(VisitStore(store).visits(record.id, &read));
    QCOMPARE(read.size(), 2);
    QCOMPARE(read[0].date, first);
    QCOMPARE(read[0].bmi, 10.0);
    QVERIFY(!read[0].weightKg);
    QVERIFY(read[1] == later);
}

void TestVisitStore::refusesInvalidVisit_data()
{
    QTest::addColumn<int>("days"); // after the baseline
    QTest::addColumn<double>("bmi");
    QTest::addColumn<double>("weight"); // 0: none
    QTest::addColumn<int>("noteLength"); // -1: a note holding an escape character
    QTest::addColumn<double>("height"); // given with the visit; 0: none
    QTest::newRow("on the baseline") << 0 << 30.0 << 0.0 << 0 << 0.0;
    QTest::newRow("before the baseline") << -1 << 30.0 << 0.0 << 0 << 0.0;
    QTest::newRow("tomorrow") << 100000 << 30.0 << 0.0 << 0 << 0.0;
    QTest::newRow("BMI below 10") << 1 << 9.99 << 0.0 << 0 << 0.0;
    QTest::newRow("BMI above 100") << 1 << 100.01 << 0.0 << 0 << 0.0;
    QTest::newRow("BMI not a number") << 1 << std::nan("") << 0.0 << 0 << 0.0;
    QTest::newRow("weight below 20") << 1 << 30.0 << 19.99 << 0 << 0.0;
    QTest::newRow("weight above 400") << 1 << 30.0 << 400.01 << 0 << 0.0;
    QTest::newRow("note of 201 characters") << 1 << 30.0 << 0.0 << 201 << 0.0;
    QTest::newRow("control character in the note") << 1 << 30.0 << 0.0 << -1 << 0.0;
    QTest::newRow("height below 1 m") << 1 << 30.0 << 60.0 << 0 << 0.99;
    QTest::newRow("height above 2.5 m") << 1 << 30.0 << 60.0 << 0 << 2.51;
}

void TestVisitStore::refusesInvalidVisit()
{
    QFETCH(int, days);
    QFETCH(double, bmi);
    QFETCH(double, weight);
    QFETCH(int, noteLength);
    QFETCH(double, height);
    OPEN_FRESH(store, location);
    CaseRecord record = sampleCase(QStringLiteral("V-2"));
    record.baselineDate = QDate::currentDate().addDays(-10);
    record.heightMetres.reset();
    ADD_CASE(store, record);
    VisitStore visits(store);
    Visit visit = visitOn(record.baselineDate.addDays(std::min(days, 10 + 1)), bmi,
                          noteLength < 0 ? QStringLiteral("see \x1b[2J")
                                         : QString(noteLength, QLatin1Char('x')));
    if (weight > 0)
        visit.weightKg = weight;
    QVERIFY(!visits.addVisit(record.id, &visit, VisitStore::RefuseSameDate,
                             height > 0 ? std::optional<double>(height) : std::nullopt));
    QCOMPARE(store.lastError().kind, CaseStoreError::InvalidInput);
    QVERIFY(!store.lastError().message.isEmpty());
    QCOMPARE(rowCount(store, QStringLiteral("case_visits")), 0);
    CaseRecord read;
    QVERIFY(store.readCase(record.id, &read));
    QVERIFY(!read.heightMetres);
    QVector<CaseAuditEntry> trail;
    QVERIFY(store.auditTrail(record.id, &trail));
    QCOMPARE(trail.size(), 1); // the case's own insert
}

void TestVisitStore::sameDateReplacedOrKeptBothAudited()
{
    OPEN_FRESH(store, location);
    CaseRecord record = sampleCase(QStringLiteral("V-3"));
    ADD_CASE(store, record);
    VisitStore visits(store);
    const QDate date = record.baselineDate.addDays(40);
    Visit first = visitOn(date, 33.5, QStringLiteral("first"));
    QVERIFY(visits.addVisit(record.id, &first));

    Visit second = visitOn(date, 32.25, QStringLiteral("second"));
    QVERIFY(!visits.addVisit(record.id, &second));
    QCOMPARE(store.lastError().kind, CaseStoreError::Conflict);
    QVERIFY(store.lastError().message.contains(date.toString(Qt::ISODate)));
    QVERIFY(visits.keepEarlierVisit(record.id, second));
    std::optional<Visit> kept;
    QVERIFY(visits.visitOn(record.id, date, &kept));
    QVERIFY(kept && *kept == first);

    QVERIFY(visits.addVisit(record.id, &second, VisitStore::ReplaceSameDate));
    QList<Visit> read;
    QVERIFY(visits.visits(record.id, &read));
    QCOMPARE(read.size(), 1);
    QVERIFY(read[0] == second);

    QVector<CaseAuditEntry> trail;
    QVERIFY(store.auditTrail(record.id, &trail));
    QCOMPARE(trail.size(), 4);
    QCOMPARE(trail[2].action, QStringLiteral("visit not replaced"));
    QCOMPARE(changeTexts(trail[2]),
             QStringList({"bmi:  -> 32.25", "note:  -> second",
                          "visit_date:  -> " + date.toString(Qt::ISODate), "weight_kg:  -> "}));
    // The replacement keeps the replaced visit's values.
    QCOMPARE(trail[3].action, QStringLiteral("visit replace"));
    const QStringList replaced = changeTexts(trail[3]);
    QVERIFY(replaced.contains("bmi: 33.5 -> "));
    QVERIFY(replaced.contains("note: first -> "));
    QVERIFY(replaced.contains("bmi:  -> 32.25"));
    QVERIFY(replaced.contains(QStringLiteral("visit_id: %1 -> ").arg(first.id)));
}

void TestVisitStore::correctionsAndDeletionAuditedWithOldValues()
{
    OPEN_FRESH(store, location);
    CaseRecord record = sampleCase(QStringLiteral("V-4"));
    ADD_CASE(store, record);
    VisitStore visits(store);
    Visit a = visitOn(record.baselineDate.addDays(30), 34.0, QStringLiteral("a"));
    Visit b = visitOn(record.baselineDate.addDays(60), 33.0);
    QVERIFY(visits.addVisit(record.id, &a));
    QVERIFY(visits.addVisit(record.id, &b));

    store.setUser(QStringLiteral("corrector"));
    Visit corrected = a;
    corrected.bmi = 34.5;
    corrected.note = QStringLiteral("typo mended");
    QVERIFY2(visits.updateVisit(record.id, corrected), qPrintable(store.lastError().message));
    // A correction onto another visit's date is refused and changes nothing.
    Visit clash = corrected;
    clash.date = b.date;
    QVERIFY(!visits.updateVisit(record.id, clash));
    QCOMPARE(store.lastError().kind, CaseStoreError::Conflict);
    // A visit of another case is not found through this one.
    QVERIFY(!visits.removeVisit(record.id + 1000, b.id));
    QCOMPARE(store.lastError().kind, CaseStoreError::NotFound);
    QVERIFY(visits.removeVisit(record.id, b.id));

    QList<Visit> read;
    QVERIFY(visits.visits(record.id, &read));
    QCOMPARE(read.size(), 1);
    QVERIFY(read[0] == corrected);

    QVector<CaseAuditEntry> trail;
    QVERIFY(store.auditTrail(record.id, &trail));
    QCOMPARE(trail.size(), 5);
    QCOMPARE(trail[3].action, QStringLiteral("visit update"));
    QCOMPARE(trail[3].user, QStringLiteral("corrector"));
    QCOMPARE(changeTexts(trail[3]),
             QStringList({"bmi: 34 -> 34.5", "note: a -> typo mended",
                          QStringLiteral("visit_id: %1 -> %1").arg(a.id)}));
    QCOMPARE(trail[4].action, QStringLiteral("visit delete"));
    QVERIFY(changeTexts(trail[4]).contains("bmi: 33 -> "));
}

void TestVisitStore::heightGivenOnceIsKept()
{
    OPEN_FRESH(store, location);
    CaseRecord record = sampleCase(QStringLiteral("V-5"));
    record.heightMetres.reset();
    ADD_CASE(store, record);
    VisitStore visits(store);
    Visit byWeight = visitOn(record.baselineDate.addDays(20), 95 / (1.7 * 1.7));
    byWeight.weightKg = 95;
    QVERIFY(visits.addVisit(record.id, &byWeight, VisitStore::RefuseSameDate, 1.7));
    CaseRecord read;
    QVERIFY(store.readCase(record.id, &read));
    QCOMPARE(read.heightMetres.value_or(0), 1.7);
    QCOMPARE(read.rowVersion, 2);
    QVector<CaseAuditEntry> trail;
    QVERIFY(store.auditTrail(record.id, &trail));
    QCOMPARE(trail[1].action, QStringLiteral("update"));
    QCOMPARE(changeTexts(trail[1]), QStringList({"height_m:  -> 1.7"}));

    // A correction to a weight may bring the height of a case that has none.
    CaseRecord later = sampleCase(QStringLiteral("V-5b"), 1);
    later.heightMetres.reset();
    ADD_CASE(store, later);
    Visit typed = visitOn(later.baselineDate.addDays(20), 33);
    QVERIFY(visits.addVisit(later.id, &typed));
    typed.weightKg = 90;
    typed.bmi = 90 / (1.6 * 1.6);
    QVERIFY2(visits.updateVisit(later.id, typed, 1.6), qPrintable(store.lastError().message));
    QVERIFY(store.readCase(later.id, &read));
    QCOMPARE(read.heightMetres.value_or(0), 1.6);

    // Once the case has a height, another one is not taken, and the visit is not stored.
    Visit other = visitOn(record.baselineDate.addDays(21), 30);
    QVERIFY(!visits.addVisit(record.id, &other, VisitStore::RefuseSameDate, 1.8));
    QCOMPARE(store.lastError().kind, CaseStoreError::Conflict);
    QList<Visit> stored;
    QVERIFY(visits.visits(record.id, &stored));
    QCOMPARE(stored.size(), 1);
}

void TestVisitStore::deletingTheCaseErasesItsVisits()
{
    OPEN_FRESH(store, location);
    CaseRecord gone = sampleCase(QStringLiteral("V-6"));
    CaseRecord stays = sampleCase(QStringLiteral("V-7"), 3);
    ADD_CASE(store, gone);
    ADD_CASE(store, stays);
    VisitStore visits(store);
    Visit v = visitOn(gone.baselineDate.addDays(10), 31.5, QStringLiteral("private"));
    Visit w = visitOn(stays.baselineDate.addDays(10), 30.5);
    QVERIFY(visits.addVisit(gone.id, &v));
    QVERIFY(visits.addVisit(stays.id, &w));
    QVERIFY(store.removeCase(gone.id));

    QCOMPARE(rowCount(store, QStringLiteral("case_visits")), 1);
    QSqlQuery query(store.database());
    query.prepare(QStringLiteral("SELECT COUNT(*) FROM case_audit_values WHERE case_id = ?"));
    query.addBindValue(gone.id);
    QVERIFY(query.exec() && query.next());
    QCOMPARE(query.value(0).toInt(), 0);
    QList<Visit> left;
    QVERIFY(visits.visits(stays.id, &left));
    QCOMPARE(left.size(), 1);
}

void TestVisitStore::earlierCaseBookGainsVisits()
{
    // A case book as the first version left it: no visits table, version 1.
    const QString location = freshCaseBook();
    CaseRecord record = sampleCase(QStringLiteral("V-8"));
    {
        CaseStore store;
        QVERIFY(store.open(location));
        ADD_CASE(store, record);
        QSqlQuery query(store.database());
        QVERIFY(rewindToVersionTwo(store.database()));
        QVERIFY(query.exec(QStringLiteral("DROP TABLE case_visits")));
        QVERIFY(query.exec(QStringLiteral("UPDATE telma_schema SET version = 1")));
    }
    CaseStore store;
    QVERIFY2(store.open(location), qPrintable(store.lastError().message));
    QCOMPARE(store.schemaVersion(), CaseSchema::latestVersion());
    CaseRecord read;
    QVERIFY(store.readCase(record.id, &read));
    compareCaseValues(read, record);
    Visit visit = visitOn(record.baselineDate.addDays(5), 30);
    QVERIFY(VisitStore(store).addVisit(record.id, &visit));
}

void TestVisitStore::lastVisitOfEachCase()
{
    OPEN_FRESH(store, location);
    CaseRecord one = sampleCase(QStringLiteral("V-9"));
    CaseRecord none = sampleCase(QStringLiteral("V-10"), 2);
    ADD_CASE(store, one);
    ADD_CASE(store, none);
    VisitStore visits(store);
    for (int days : {50, 90, 20}) {
        Visit v = visitOn(one.baselineDate.addDays(days), 30 + days / 10.0);
        QVERIFY(visits.addVisit(one.id, &v));
    }
    QHash<qint64, VisitStore::LastVisit> last;
    QVERIFY(visits.lastVisits({one.id, none.id}, &last));
    QCOMPARE(last.size(), 1);
    const VisitStore::LastVisit latest = last.value(one.id);
    QCOMPARE(latest.visit.date, one.baselineDate.addDays(90));
    QCOMPARE(latest.visit.bmi, 39.0);
    // Set against the case's own course at its month.
    const double predicted = predictBmiAt(one.predictors, 90 / 30.4375);
    QCOMPARE(latest.comparison.predicted.value_or(0), predicted);
    QCOMPARE(latest.comparison.difference.value_or(0), 39.0 - predicted);
}

QTEST_GUILESS_MAIN(TestVisitStore)
#include "tst_visitstore.moc"
