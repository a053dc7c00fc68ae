// telma-cohort's work with the case book: import all or none, export, and the observed
// months taken from visits.
#include "calibrationbuilder.h"
#include "casebookcalibration.h"
#include "casebookcohort.h"
#include "casebookimport.h"
#include "casecsv.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "codelines.h"
#include "observedmonths.h"
#include "visitstore.h"

#include <QBuffer>
#include <QProcess>
#include <QSqlQuery>
#include <QtTest>

#include <cmath>

namespace {

const QByteArray header = "code,baseline_date,height_m,restrained_eating,emotional_eating,external_eating,"
                          "personal_standards,concern_over_mistakes,body_image_dissatisfaction,alexithymia,"
                          "initial_bmi,bmi_month_1,bmi_month_2,bmi_month_3,bmi_month_4,bmi_month_5,bmi_month_6\n";
// Codes that need quotes or would run as a spreadsheet formula (written as an export writes
// it), a row without height, months left out.
const QByteArray goodRows = "A1,2025-01-31,1.7,2,2,2,15,25,10,50,32.25,31.9,,31.1,,,30.4\n"
                            "\"B, 2\",2025-03-15,,3,1.5,2.5,20,30,20,60,36.5,,,35.0,,,33.9\n"
                            "'=C3,2024-12-01,2.05,1.5,3,3.5,25,35,30,70,41,40.6,40.1,39.7,39.2,38.8,38.2\n";

struct Imported {
    CaseBookImport::Outcome outcome;
    QVector<CaseBookImport::Refusal> refusals;
};

Imported importInto(CaseStore &store, const QByteArray &text)
{
    QBuffer buffer;
    buffer.setData(text);
    buffer.open(QIODevice::ReadOnly);
    CohortInput input(buffer, QStringLiteral("in.csv"), CohortReadOptions());
    CaseBookImport import(store, QStringLiteral("test"));
    const CaseBookImport::Outcome outcome = import.run(input);
    return {outcome, import.refusals()};
}

QByteArray exported(CaseStore &store)
{
    CaseBookCohort cohort;
    if (!cohort.read(store))
        return QByteArray();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    cohort.write(&buffer);
    return buffer.data();
}

} // namespace

class TestCohortCases : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip();
    void allOrNone_data();
    void allOrNone();
    void codesInTheBook();
    void codeTakenMeanwhile();
    void everyCodeReadsBack_data();
    void everyCodeReadsBack();
    void batchIsOneTransaction();
    void batchesAllOrNone_data();
    void batchesAllOrNone();
    void codeLinesKeepTheFirstLine();
    void bookReadPageByPage();
    void observedMonth_data();
    void observedMonth();
    void calibrationReadsWhatTheCohortHolds_data();
    void calibrationReadsWhatTheCohortHolds();
};

// Import then export gives the file's values back; importing that export into an empty book
// and exporting again changes nothing.
void TestCohortCases::roundTrip()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    const Imported imported = importInto(store, header + goodRows);
    QCOMPARE(imported.outcome, CaseBookImport::Imported);

    const QByteArray first = exported(store);
    const QList<QByteArray> lines = first.split('\n');
    QCOMPARE(lines.size(), 5); // header, three cases, the empty rest after the last CR LF
    QVERIFY(lines[0].endsWith("predicted_month_6,bmi_month_1,bmi_month_2,bmi_month_3,bmi_month_4,"
                              "bmi_month_5,bmi_month_6\r"));
    // In order of code; quoted and formula-safe cells; the model's course between.
    QVERIFY2(lines[1].startsWith("'=C3,2024-12-01,2.05,1.5,3,3.5,25,35,30,70,41,"), lines[1]);
    QVERIFY2(lines[1].endsWith(",40.6,40.1,39.7,39.2,38.8,38.2\r"), lines[1]);
    QVERIFY2(lines[2].startsWith("A1,2025-01-31,1.7,2,2,2,15,25,10,50,32.25,"), lines[2]);
    QVERIFY2(lines[2].endsWith(",31.9,,31.1,,,30.4\r"), lines[2]);
    QVERIFY2(lines[3].startsWith("\"B, 2\",2025-03-15,,3,1.5,2.5,20,30,20,60,36.5,"), lines[3]);
    QVERIFY2(lines[3].endsWith(",,,35,,,33.9\r"), lines[3]);
    QStringList course;
    for (double value : predictBmiCourse({2, 2, 2, 15, 25, 10, 50, 32.25}))
        course << CaseCsv::numberCell(value);
    QCOMPARE(QString::fromLatin1(lines[2]).split(QLatin1Char(',')).mid(11, 6), course);

    CaseStore second;
    QVERIFY(second.open(freshCaseBook()));
    // The export as it is: its formula guard is taken off again.
    QCOMPARE(importInto(second, first).outcome, CaseBookImport::Imported);
    QCOMPARE(exported(second), first);
}

void TestCohortCases::allOrNone_data()
{
    QTest::addColumn<QByteArray>("row");
    QTest::addColumn<QString>("reason"); // of line 5, after the three good rows

    QTest::newRow("no code") << QByteArray(" ,2025-01-01,1.7,2,2,2,15,25,10,50,32,,,,,,")
                             << "code: the code is required";
    QTest::newRow("code too long") << QByteArray(41, 'x') + ",2025-01-01,,2,2,2,15,25,10,50,32,,,,,,"
                                   << "code: the code has 41 characters; at most 40 are allowed";
    QTest::newRow("code twice in the file") << QByteArray("A1,2025-01-01,,2,2,2,15,25,10,50,32,,,,,,")
                                            << "code: “A1” is also the code of line 2";
    QTest::newRow("no date") << QByteArray("D,1.1.2025,,2,2,2,15,25,10,50,32,,,,,,")
                             << "baseline_date: “1.1.2025” is not a date written YYYY-MM-DD";
    QTest::newRow("baseline in the future") << QByteArray("D,2999-01-01,,2,2,2,15,25,10,50,32,,,,,,")
                                            << "baseline_date: 2999-01-01 is after today";
    QTest::newRow("height") << QByteArray("D,2025-01-01,2.6,2,2,2,15,25,10,50,32,,,,,,")
                            << "height_m: 2.6 is outside 1 to 2.5";
    QTest::newRow("predictor") << QByteArray("D,2025-01-01,,2,2,2,15,25,10,50,70,,,,,,")
                               << "initial_bmi: 70 is outside 15 to 67";
    QTest::newRow("observed") << QByteArray("D,2025-01-01,,2,2,2,15,25,10,50,32,,9,,,,")
                              << "bmi_month_2: 9 is outside 10 to 100";
    const QDate recent = QDate::currentDate().addMonths(-2);
    QTest::newRow("visit after today")
        << "D," + recent.toString(Qt::ISODate).toLatin1() + ",,2,2,2,15,25,10,50,32,31,,31,,,"
        << "bmi_month_3: its visit date, " + recent.addMonths(3).toString(Qt::ISODate) + ", is after today";
    QTest::newRow("formula-like code") << QByteArray("+D,2025-01-01,,2,2,2,15,25,10,50,32,,,,,,")
                                       << "code: “+D” begins with “+”, which a spreadsheet would take for a formula";
    QTest::newRow("tab in the code") << QByteArray("\"D\t1\",2025-01-01,,2,2,2,15,25,10,50,32,,,,,,")
                                     << "code: “D\t1” holds a tab at byte 1";
    QTest::newRow("code not UTF-8") << QByteArray("D\xff,2025-01-01,,2,2,2,15,25,10,50,32,,,,,,")
                                    << "code: holds invalid UTF-8 (byte 0xFF) at byte 1";
    QTest::newRow("same code in capitals") << QByteArray("a1,2025-01-01,,2,2,2,15,25,10,50,32,,,,,,")
                                           << "code: “a1” is also the code of line 2";
    QTest::newRow("fields") << QByteArray("D,2025-01-01,,2,2,2,15,25,10,50,32")
                            << "the row has 11 fields where the header has 17";
}

// One bad row among good ones: that row is listed with its line and reason, nothing is stored.
void TestCohortCases::allOrNone()
{
    QFETCH(QByteArray, row);
    QFETCH(QString, reason);
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    const Imported imported = importInto(store, header + goodRows + row + '\n');
    QCOMPARE(imported.outcome, CaseBookImport::RowsRefused);
    QCOMPARE(imported.refusals.size(), 1);
    QCOMPARE(imported.refusals[0].line, 5);
    QCOMPARE(imported.refusals[0].reason, reason);
    QCOMPARE(store.caseCount(), 0);
}

// Codes already in the book are each reported; nothing is added twice or at all.
void TestCohortCases::codesInTheBook()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    QCOMPARE(importInto(store, header + goodRows.left(goodRows.indexOf('\n') + 1)).outcome,
             CaseBookImport::Imported);
    const Imported again = importInto(store, header + goodRows);
    QCOMPARE(again.outcome, CaseBookImport::RowsRefused);
    QCOMPARE(again.refusals.size(), 1);
    QCOMPARE(again.refusals[0].line, 2);
    QCOMPARE(again.refusals[0].reason, QStringLiteral("code: “A1” is already in the case book"));
    QCOMPARE(store.caseCount(), 1);
}

// Another writer takes a code after the import checked it and before it commits: the line is
// named as for a code taken before, and nothing of the import is stored.
void TestCohortCases::codeTakenMeanwhile()
{
    if (caseBooksOnServer())
        QSKIP("the other writer is a second process on the same SQLite file");
    const QString location = freshCaseBook();
    CaseStore store;
    QVERIFY(store.open(location));
    QCOMPARE(importInto(store, header + goodRows.left(goodRows.indexOf('\n') + 1)).outcome,
             CaseBookImport::Imported);
    QProcess other;
    other.start(QStringLiteral(CASESTORE_CHILD), {"take", location, "A1", "N2", "1500"});
    QVERIFY(other.waitForReadyRead(10000));
    QCOMPARE(other.readLine().trimmed(), QByteArray("held"));
    const Imported imported = importInto(store, header + "N1,2025-01-31,,2,2,2,15,25,10,50,32,,,,,,\n"
                                                         "n2,2025-01-31,,2,2,2,15,25,10,50,32,,,,,,\n");
    QVERIFY(other.waitForFinished(10000));
    QCOMPARE(other.exitCode(), 0);
    QCOMPARE(imported.outcome, CaseBookImport::RowsRefused);
    QCOMPARE(imported.refusals.size(), 1);
    QCOMPARE(imported.refusals[0].line, 3);
    QCOMPARE(imported.refusals[0].reason, QStringLiteral("code: “n2” is already in the case book"));
    QCOMPARE(store.caseCount(), 2);
}

void TestCohortCases::everyCodeReadsBack_data()
{
    QTest::addColumn<QString>("code"); // kept from before, where today's rule may refuse it
    for (const char *code : {"=x", "+49 170", "-2", "@SUM(A1)", "'x", "''", "'", "a\tb", "\tx",
                             "a\nb", "x\r", "a,\"b\"", " spaced ", "Café 🙂"})
        QTest::newRow(code) << QString::fromUtf8(code);
}

// Export, then import into an empty book, gives the same codes, also beside the code with an
// apostrophe before it, and the export again.
void TestCohortCases::everyCodeReadsBack()
{
    QFETCH(QString, code);
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    QVector<CaseRecord> records{sampleCase(code, 1), sampleCase(QLatin1Char('\'') + code, 2)};
    QVERIFY2(store.addCases(&records, {}), qPrintable(store.lastError().message));
    const QByteArray first = exported(store);

    CaseStore second;
    QVERIFY(second.open(freshCaseBook()));
    const Imported imported = importInto(second, first);
    QVERIFY2(imported.outcome == CaseBookImport::Imported,
             qPrintable(imported.refusals.value(0).reason));
    QVector<CaseRecord> read;
    QVERIFY(second.readCases({}, &read));
    QSet<QString> codes;
    for (const CaseRecord &record : std::as_const(read))
        codes << record.code;
    QCOMPARE(codes, QSet<QString>({records[0].code, records[1].code}));
    QCOMPARE(exported(second), first);
    // Safe in a spreadsheet: no line starts with what would run as a formula.
    for (const QByteArray &line : first.split('\n')) {
        const QByteArray cell = line.startsWith('"') ? line.mid(1) : line;
        QVERIFY2(cell.isEmpty() || !QByteArray("=+-@\t\r").contains(cell.front()), line);
    }
}

// The store's batch: a refused visit of the last case undoes every case before it; a stored
// batch has each case's and visit's audit entry.
void TestCohortCases::batchIsOneTransaction()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    QVector<CaseRecord> records{sampleCase(QStringLiteral("P1"), 1), sampleCase(QStringLiteral("P2"), 2)};
    const QDate baseline = records[1].baselineDate;
    QVector<QList<Visit>> visits{{}, {Visit{0, baseline.addDays(30), 30, {}, {}},
                                      Visit{0, baseline.addDays(60), 5, {}, {}}}};
    QVERIFY(!store.addCases(&records, visits));
    QVERIFY2(store.lastError().message.startsWith(QStringLiteral("Case “P2”")),
             qPrintable(store.lastError().message));
    QCOMPARE(store.caseCount(), 0);
    QCOMPARE(records[0].id, 0);

    // A code in use is found inside the transaction, after the first case was written.
    QVector<CaseRecord> twice{records[0], records[0]};
    QVERIFY(!store.addCases(&twice, {}));
    QCOMPARE(store.lastError().kind, CaseStoreError::DuplicateCode);
    QCOMPARE(store.caseCount(), 0);

    visits[1][1].bmi = 29.5;
    QVERIFY(store.addCases(&records, visits));
    QCOMPARE(store.caseCount(), 2);
    QList<Visit> stored;
    QVERIFY(VisitStore(store).visits(records[1].id, &stored));
    QCOMPARE(stored.size(), 2);
    QCOMPARE(stored[1].bmi, 29.5);
    QVector<CaseAuditEntry> trail;
    QVERIFY(store.auditTrail(records[1].id, &trail));
    QStringList actions;
    for (const CaseAuditEntry &entry : std::as_const(trail))
        actions << entry.action;
    QCOMPARE(actions, QStringList({"insert", "visit insert", "visit insert"}));
}

void TestCohortCases::batchesAllOrNone_data()
{
    QTest::addColumn<QString>("inBook"); // a code the book has before, or none
    QTest::addColumn<QList<int>>("rows"); // which generated rows to replace (0: line 2)
    QTest::addColumn<QByteArrayList>("replacements");
    QTest::addColumn<QStringList>("refusals"); // "line: reason"

    const int batch = CaseBookImport::BatchRows;
    const int last = 2 * batch + 9;
    const QByteArray rest = ",2025-01-31,,2,2,2,15,25,10,50,32,,,,,,";
    QTest::newRow("refused in the last batch")
        << QString() << QList<int>{last} << QByteArrayList{"Z,2025-13-01,,2,2,2,15,25,10,50,32,,,,,,"}
        << QStringList{QStringLiteral("%1: baseline_date: “2025-13-01” is not a date written YYYY-MM-DD")
                           .arg(last + 2)};
    QTest::newRow("code twice across batches")
        << QString() << QList<int>{batch + 5} << QByteArrayList{"s0" + rest}
        << QStringList{QStringLiteral("%1: code: “s0” is also the code of line 2").arg(batch + 7)};
    QTest::newRow("refused early, repeated late")
        << QString() << QList<int>{1, last} << QByteArrayList{"X,2025-02-30" + rest.mid(11), "s5" + rest}
        << QStringList{QStringLiteral("3: baseline_date: “2025-02-30” is not a date written YYYY-MM-DD"),
                       QStringLiteral("%1: code: “s5” is also the code of line 7").arg(last + 2)};
    QTest::newRow("in the book, last batch")
        << QStringLiteral("Old") << QList<int>{last} << QByteArrayList{"OLD" + rest}
        << QStringList{QStringLiteral("%1: code: “OLD” is already in the case book").arg(last + 2)};
    QTest::newRow("in the book and repeated")
        << QStringLiteral("Old") << QList<int>{3, batch + 1} << QByteArrayList{"old" + rest, "OLD" + rest}
        << QStringList{QStringLiteral("5: code: “old” is already in the case book"),
                       QStringLiteral("%1: code: “OLD” is also the code of line 5").arg(batch + 3)};
}

// A file of several batches is still stored whole or not at all: a refusal in a later batch
// undoes the batches already written, and codes are compared across batches.
void TestCohortCases::batchesAllOrNone()
{
    QFETCH(QString, inBook);
    QFETCH(QList<int>, rows);
    QFETCH(QByteArrayList, replacements);
    QFETCH(QStringList, refusals);
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    if (!inBook.isEmpty()) {
        CaseRecord record = sampleCase(inBook);
        QVERIFY(store.addCase(&record));
    }
    QByteArray text = header;
    for (int i = 0; i < 2 * CaseBookImport::BatchRows + 10; ++i) {
        const int replaced = rows.indexOf(i);
        text += replaced >= 0 ? replacements.at(replaced)
                              : "S" + QByteArray::number(i) + ",2025-01-31,,2,2,2,15,25,10,50,32,31,,,,,";
        text += '\n';
    }
    const Imported imported = importInto(store, text);
    QCOMPARE(imported.outcome, CaseBookImport::RowsRefused);
    QStringList listed;
    for (const CaseBookImport::Refusal &refusal : imported.refusals)
        listed << QStringLiteral("%1: %2").arg(refusal.line).arg(refusal.reason);
    QCOMPARE(listed, refusals);
    QCOMPARE(store.caseCount(), inBook.isEmpty() ? 0 : 1);
    QSqlQuery visits(store.database());
    QVERIFY(visits.exec(QStringLiteral("SELECT COUNT(*) FROM case_visits")) && visits.next());
    QCOMPARE(visits.value(0).toInt(), 0);
}

// A hash kept in one batch is found in the same batch and in later ones, with the line it
// came with first.
void TestCohortCases::codeLinesKeepTheFirstLine()
{
    CodeLines lines;
    QString error;
    QVERIFY(lines.open(&error));
    QVector<qint64> earlier;
    QVERIFY2(lines.firstLines({{7, 2}, {quint64(-3), 3}, {7, 4}}, &earlier, &error), qPrintable(error));
    QCOMPARE(earlier, QVector<qint64>({0, 0, 2}));
    QVERIFY2(lines.firstLines({{9, 5}, {quint64(-3), 6}, {9, 7}, {7, 8}}, &earlier, &error),
             qPrintable(error));
    QCOMPARE(earlier, QVector<qint64>({0, 3, 5, 2}));
}

// The book is read a page at a time: every case once, in order of code, each with its own
// visits, across the pages' edges.
void TestCohortCases::bookReadPageByPage()
{
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    const int count = CaseStore::ReadPage + 3;
    QVector<CaseRecord> records;
    QVector<QList<Visit>> visits;
    for (int i = 0; i < count; ++i) {
        records.append(sampleCase(QStringLiteral("E%1").arg(count - i, 5, 10, QLatin1Char('0')), i));
        visits.append({Visit{0, records.last().baselineDate.addDays(30), 20 + (i % 400) / 10.0, {}, {}}});
    }
    QVERIFY2(store.addCases(&records, visits), qPrintable(store.lastError().message));
    CaseBookCohort cohort;
    QVERIFY2(cohort.read(store), qPrintable(store.lastError().message));
    QCOMPARE(cohort.rows().size(), count);
    for (int row = 0; row < count; ++row) {
        const int i = count - 1 - row; // the codes count down
        QCOMPARE(cohort.rows()[row].record.code, records[i].code);
        QCOMPARE(cohort.rows()[row].observed[0], 20 + (i % 400) / 10.0);
    }
}

void TestCohortCases::observedMonth_data()
{
    QTest::addColumn<QList<int>>("days");     // after the baseline, one visit each
    QTest::addColumn<QList<double>>("month"); // 1 to 6; 0 where none

    // Visit i has BMI 20 + i.
    QTest::newRow("at month ends") << QList<int>{30, 61, 91, 122, 152, 183}
                                   << QList<double>{20, 21, 22, 23, 24, 25};
    // Half a month is 15.21875 days: day 15 is month 0.49, day 16 month 0.53; day 76 is
    // month 2.497, day 77 month 2.530.
    QTest::newRow("within half a month") << QList<int>{16, 76, 77} << QList<double>{20, 21, 22, 0, 0, 0};
    QTest::newRow("too early") << QList<int>{15} << QList<double>{0, 0, 0, 0, 0, 0};
    QTest::newRow("past month 6.5") << QList<int>{199} << QList<double>{0, 0, 0, 0, 0, 0};
    QTest::newRow("the last of two") << QList<int>{28, 35} << QList<double>{21, 0, 0, 0, 0, 0};
    QTest::newRow("listed out of order") << QList<int>{35, 28} << QList<double>{20, 0, 0, 0, 0, 0};
}

void TestCohortCases::observedMonth()
{
    QFETCH(QList<int>, days);
    QFETCH(QList<double>, month);
    const QDate baseline(2025, 1, 1);
    QList<Visit> visits;
    for (int i = 0; i < days.size(); ++i)
        visits.append({0, baseline.addDays(days[i]), 20.0 + i, {}, {}});
    const auto observed = observedMonths(baseline, visits);
    for (int k = 0; k < CourseMonths; ++k)
        QCOMPARE(std::isnan(observed[k]) ? 0.0 : observed[k], month[k]);
}

void TestCohortCases::calibrationReadsWhatTheCohortHolds_data()
{
    QTest::addColumn<bool>("latestFirst"); // the visits entered from the latest date back
    QTest::addColumn<int>("refused");      // the case given a predictor out of range, or -1
    QTest::newRow("visits entered by date") << false << -1;
    QTest::newRow("visits entered latest first") << true << -1;
    QTest::newRow("a refused case among them") << false << 7;
}

// The calibration's own read of the book (predictors, days and BMI, streamed) gives exactly
// the figures and refusals that the whole cohort read by the export gives.
void TestCohortCases::calibrationReadsWhatTheCohortHolds()
{
    QFETCH(bool, latestFirst);
    QFETCH(int, refused);
    CaseStore store;
    QVERIFY2(store.open(freshCaseBook()), qPrintable(store.lastError().message));
    VisitStore visitStore(store);
    // 0 to 4 visits a case; days 20 + i and 31 both fall in month 1, day 45 to 47 on either
    // side of month 1.5.
    for (int i = 0; i < 25; ++i) {
        CaseRecord record = sampleCase(QStringLiteral("K-%1").arg(24 - i, 2, 10, QLatin1Char('0')), i);
        QVERIFY(store.addCase(&record));
        QList<int> days = QList<int>{20 + i, 31, 45 + i % 3, 61, 92 + i}.mid(0, i % 5);
        if (latestFirst)
            std::reverse(days.begin(), days.end());
        for (int v = 0; v < days.size(); ++v) {
            Visit visit;
            visit.date = record.baselineDate.addDays(days[v]);
            visit.bmi = 30 + i * 0.37 - days[v] * 0.0061;
            QVERIFY2(visitStore.addVisit(record.id, &visit), qPrintable(store.lastError().message));
        }
        if (i == refused) {
            QSqlQuery query(store.database());
            QVERIFY(query.exec(QStringLiteral("UPDATE cases SET restrained_eating = 9 WHERE id = %1").arg(record.id)));
        }
    }

    CaseBookCohort cohort;
    QVERIFY(cohort.read(store));
    CalibrationBuilder builder;
    QStringList expectedRefusals;
    for (const CaseBookCohort::Row &row : cohort.rows()) {
        const CohortRecord record = CaseBookCohort::cohortRecord(row);
        if (!CaseBookCalibration::add(builder, record))
            expectedRefusals << row.record.code + QStringLiteral(": ") + record.error;
    }
    const Calibration expected = builder.calibration();

    Calibration made;
    QStringList refusals;
    QVERIFY2(CaseBookCalibration::make(store, QStringLiteral("1.0.0"), &made, &refusals),
             qPrintable(store.lastError().message));
    QCOMPARE(refusals, expectedRefusals);
    QCOMPARE(refusals.size(), refused < 0 ? 0 : 1);
    QCOMPARE(made.people, expected.people);
    const auto same = [](double a, double b) { return (std::isnan(a) && std::isnan(b)) || a == b; };
    for (int k = 1; k <= CourseMonths; ++k) {
        QCOMPARE(made.month(k).n, expected.month(k).n);
        QVERIFY2(same(made.month(k).meanError, expected.month(k).meanError), qPrintable(QString::number(k)));
        QVERIFY2(same(made.month(k).sdError, expected.month(k).sdError), qPrintable(QString::number(k)));
        QCOMPARE(made.month(k).low, expected.month(k).low);
    }
}

QTEST_GUILESS_MAIN(TestCohortCases)
#include "tst_cohortcases.moc"
