// FHIR R4 in and out of the case book: exact unit arithmetic, the import of each kind of
// observation a record system may send, files refused whole, and the round trip through
// our own export.
#include "casestore.h"
#include "casestorefixture.h"
#include "decimalscale.h"
#include "fhirbundlewriter.h"
#include "fhircasebook.h"
#include "fhirimport.h"
#include "fhirsamplebook.h"
#include "visitstore.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QBuffer>
#include <QtTest>

#include <cmath>

namespace {

const QString Patient1 = QStringLiteral("urn:uuid:00000000-0000-4000-8000-000000000001");

QJsonObject patient(const QString &code, const QString &system = QStringLiteral("urn:telma:case-code"))
{
    return {{"resourceType", "Patient"},
            {"identifier", QJsonArray{QJsonObject{{"system", system}, {"value", code}}}}};
}

// A measurement as a record system writes it; day counts from the case's baseline.
QJsonObject measured(const char *loinc, double value, const char *unit, const QString &date,
                     const QString &status = QStringLiteral("final"))
{
    QJsonObject o{{"resourceType", "Observation"},
                  {"status", status},
                  {"code", QJsonObject{{"coding", QJsonArray{QJsonObject{{"system", "http://loinc.org"},
                                                                         {"code", loinc}}}}}},
                  {"subject", QJsonObject{{"reference", Patient1}}},
                  {"valueQuantity", QJsonObject{{"value", value},
                                                {"unit", unit},
                                                {"system", "http://unitsofmeasure.org"},
                                                {"code", unit}}}};
    if (!date.isEmpty())
        o.insert("effectiveDateTime", date);
    return o;
}

QJsonObject with(QJsonObject o, const QString &path, const QJsonValue &value)
{
    const QStringList parts = path.split('.');
    if (parts.size() == 1) {
        if (value.isUndefined())
            o.remove(path);
        else
            o.insert(path, value);
        return o;
    }
    o.insert(parts[0], with(o.value(parts[0]).toObject(), parts.mid(1).join('.'), value));
    return o;
}

QByteArray bundle(const QJsonArray &resources, const QString &type = QStringLiteral("collection"))
{
    QJsonArray entries;
    for (int i = 0; i < resources.size(); ++i)
        entries.append(QJsonObject{
            {"fullUrl", QStringLiteral("urn:uuid:00000000-0000-4000-8000-%1").arg(i + 1, 12, 10, QLatin1Char('0'))},
            {"resource", resources[i]}});
    return QJsonDocument(QJsonObject{{"resourceType", "Bundle"}, {"type", type}, {"entry", entries}}).toJson();
}

QString day(const CaseRecord &record, int days)
{
    return record.baselineDate.addDays(days).toString(Qt::ISODate);
}

// The resources of an export with each urn:uuid replaced by the position of its entry.
QByteArray resourcesByPosition(const QJsonObject &exported)
{
    const QJsonArray entries = exported.value("entry").toArray();
    QJsonArray resources;
    for (const QJsonValue &entry : entries)
        resources.append(entry.toObject().value("resource"));
    QString text = QString::fromUtf8(QJsonDocument(resources).toJson(QJsonDocument::Compact));
    for (int i = 0; i < entries.size(); ++i)
        text.replace(entries[i].toObject().value("fullUrl").toString(), QStringLiteral("#%1").arg(i));
    return text.toUtf8();
}

QJsonObject exportOf(CaseStore &store)
{
    FhirCaseBook book(store);
    QVector<FhirCase> cases;
    if (!book.read({}, &cases))
        return {};
    return FhirBundleWriter().bundle(cases);
}

} // namespace

class TestFhir : public QObject
{
    Q_OBJECT

private slots:
    void scaleDecimal_data();
    void scaleDecimal();
    void importObservation_data();
    void importObservation();
    void refusedFile_data();
    void refusedFile();
    void oneUnusableRefusesAll();
    void roundTrip();
    void streamedBundleIsTheWholeOne_data();
    void streamedBundleIsTheWholeOne();

private:
    std::unique_ptr<CaseStore> smallBook();
};

std::unique_ptr<CaseStore> TestFhir::smallBook()
{
    auto store = std::make_unique<CaseStore>();
    if (!store->open(freshCaseBook()) || !fillSmallBook(*store))
        return nullptr;
    return store;
}

void TestFhir::scaleDecimal_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("factor");
    QTest::addColumn<double>("expected");
    QTest::newRow("m to cm") << 1.72 << "100" << 172.0;
    QTest::newRow("cm to m") << 172.5 << "0.01" << 1.725;
    QTest::newRow("g to kg") << 70300.0 << "0.001" << 70.3;
    QTest::newRow("lb to kg") << 155.0 << "0.45359237" << 70.30681735;
    QTest::newRow("in to m") << 65.0 << "0.0254" << 1.651;
    QTest::newRow("digits carried") << 0.1 << "3" << 0.3;
    QTest::newRow("large exponent") << 1e-7 << "100" << 1e-5;
}

// Units are converted on the decimal digits: plain double arithmetic would give
// 172.00000000000003 cm or 0.30000000000000004.
void TestFhir::scaleDecimal()
{
    QFETCH(double, value);
    QFETCH(QString, factor);
    QFETCH(double, expected);
    QCOMPARE(::scaleDecimal(value, factor.toLatin1().constData()), expected);
}

void TestFhir::importObservation_data()
{
    QTest::addColumn<QString>("code"); // of the Patient, entry 1; "A-1" has 1.5 m, "Bö 2" none
    QTest::addColumn<QJsonObject>("observation"); // entry 2; its dates count from the baseline
    QTest::addColumn<int>("visits");    // added
    QTest::addColumn<double>("bmi");    // of the visit added
    QTest::addColumn<double>("weight"); // of the visit added, NaN for none
    QTest::addColumn<double>("height"); // of the case afterwards, NaN for none
    QTest::addColumn<QString>("message"); // refusal (nothing stored) or note, "entry 2: " left out

    CaseRecord a = sampleCase("A-1"), b = sampleCase("Bö 2");
    a.baselineDate = QDate::currentDate().addDays(-200);
    b.baselineDate = QDate::currentDate().addDays(-150);
    const double nan = std::nan("");
    const auto weight = [](double value, const char *unit, const QString &date) {
        return measured("29463-7", value, unit, date);
    };
    const auto bmi = [](double value, const QString &date) { return measured("39156-5", value, "kg/m2", date); };
    const auto height = [](double value, const char *unit, const QString &date) {
        return measured("8302-2", value, unit, date);
    };

    QTest::newRow("BMI") << "A-1" << bmi(29.5, day(a, 40)) << 1 << 29.5 << nan << 1.5 << QString();
    QTest::newRow("weight in kg") << "A-1" << weight(70.3, "kg", day(a, 40)) << 1 << 70.3 / 2.25 << 70.3 << 1.5 << QString();
    QTest::newRow("weight in g") << "A-1" << weight(70300, "g", day(a, 40)) << 1 << 70.3 / 2.25 << 70.3 << 1.5 << QString();
    QTest::newRow("weight in pounds") << "A-1" << weight(155, "[lb_av]", day(a, 40)) << 1 << 70.30681735 / 2.25
                                      << 70.30681735 << 1.5 << QString();
    QTest::newRow("code in other capitals") << "a-1" << bmi(29.5, day(a, 40)) << 1 << 29.5 << nan << 1.5 << QString();
    QTest::newRow("time and zone after the day")
        << "A-1" << bmi(29.5, day(a, 40) + "T23:30:00-05:00") << 1 << 29.5 << nan << 1.5 << QString();
    QTest::newRow("effectivePeriod")
        << "A-1" << with(with(bmi(29.5, QString()), "effectivePeriod.start", day(a, 40)), "effectivePeriod.end", day(a, 41))
        << 1 << 29.5 << nan << 1.5 << QString();
    QTest::newRow("height in cm, case without") << "Bö 2" << height(172.5, "cm", day(b, 10)) << 0 << nan << nan
                                                << 1.725 << QString();
    QTest::newRow("height in inches") << "Bö 2" << height(65, "[in_i]", day(b, 10)) << 0 << nan << nan << 1.651
                                      << QString();
    QTest::newRow("height in m") << "Bö 2" << height(1.8, "m", day(b, 10)) << 0 << nan << nan << 1.8 << QString();
    QTest::newRow("height kept") << "A-1" << height(160, "cm", day(a, 10)) << 0 << nan << nan << 1.5
                                 << "\"A-1\" keeps its height of 1.5 m, not 1.6 m";
    QTest::newRow("already stored") << "A-1" << bmi(29.87, day(a, 61)) << 0 << nan << nan << 1.5
                                    << "already in the case book (\"A-1\" on " + day(a, 61) + "); not added again";
    QTest::newRow("on the baseline date") << "A-1" << bmi(31, day(a, 0)) << 0 << nan << nan << 1.5
                                          << "on the baseline date of \"A-1\", which its initial BMI stands for";
    QTest::newRow("entered in error") << "A-1" << measured("39156-5", 29.5, "kg/m2", day(a, 40), "entered-in-error")
                                      << 0 << nan << nan << 1.5 << QString();
    QTest::newRow("cancelled") << "A-1" << measured("39156-5", 29.5, "kg/m2", day(a, 40), "cancelled") << 0 << nan
                               << nan << 1.5 << QString();
    QTest::newRow("another code") << "A-1" << measured("8867-4", 72, "/min", day(a, 40)) << 0 << nan << nan << 1.5
                                  << QString();

    // Refused: nothing stored.
    QTest::newRow("stone") << "A-1" << weight(11, "[stone_av]", day(a, 40)) << 0 << nan << nan << 1.5
                           << "valueQuantity: unit \"[stone_av]\" is not a unit of weight we read";
    QTest::newRow("kg as a height") << "A-1" << height(170, "kg", day(a, 40)) << 0 << nan << nan << 1.5
                                    << "valueQuantity: unit \"kg\" is not a unit of height we read";
    QTest::newRow("not UCUM") << "A-1" << with(bmi(29.5, day(a, 40)), "valueQuantity.system", "http://snomed.info/sct")
                              << 0 << nan << nan << 1.5 << "valueQuantity: system \"http://snomed.info/sct\" is not UCUM";
    QTest::newRow("comparator") << "A-1" << with(bmi(29.5, day(a, 40)), "valueQuantity.comparator", "<") << 0 << nan
                                << nan << 1.5 << "valueQuantity: a value with comparator \"<\" is not a measurement";
    QTest::newRow("no value") << "A-1" << with(bmi(29.5, day(a, 40)), "valueQuantity", QJsonValue::Undefined) << 0
                              << nan << nan << 1.5 << "valueQuantity: the observation has no measured quantity";
    QTest::newRow("no date") << "A-1" << bmi(29.5, QString()) << 0 << nan << nan << 1.5
                             << "effectiveDateTime: the observation has no date";
    QTest::newRow("a month, not a day") << "A-1" << bmi(29.5, day(a, 40).left(7)) << 0 << nan << nan << 1.5
                                        << "effectiveDateTime: \"" + day(a, 40).left(7) + "\" does not name a day";
    QTest::newRow("before the baseline") << "A-1" << bmi(29.5, day(a, -1)) << 0 << nan << nan << 1.5
                                         << "effectiveDateTime: " + day(a, -1) + " is before the case's baseline date";
    QTest::newRow("after today") << "A-1" << bmi(29.5, day(a, 201)) << 0 << nan << nan << 1.5
                                 << "effectiveDateTime: " + day(a, 201) + " is after today";
    QTest::newRow("BMI out of range") << "A-1" << bmi(100.5, day(a, 40)) << 0 << nan << nan << 1.5
                                      << "valueQuantity: 100.5 kg/m2 is outside 10 to 100 kg/m2";
    QTest::newRow("weight out of range") << "A-1" << weight(401, "kg", day(a, 40)) << 0 << nan << nan << 1.5
                                         << "valueQuantity: 401 kg is outside 20 to 400 kg";
    QTest::newRow("height out of range") << "Bö 2" << height(251, "cm", day(b, 10)) << 0 << nan << nan << nan
                                         << "valueQuantity: 2.51 m is outside 1 to 2.5 m";
    QTest::newRow("weight, no height") << "Bö 2" << weight(80, "kg", day(b, 10)) << 0 << nan << nan << nan
                                       << "valueQuantity: \"Bö 2\" has no height to work the BMI out from the weight";
    QTest::newRow("weight gives a BMI out of range") << "A-1" << weight(230, "kg", day(a, 40)) << 0 << nan << nan << 1.5
                                                     << "gives a BMI of 102.22, outside 10 to 100";
    QTest::newRow("another visit that day") << "A-1" << bmi(29.5, day(a, 61)) << 0 << nan << nan << 1.5
                                            << "the case \"A-1\" already has a visit on " + day(a, 61)
                                                   + " with a BMI of 29.87; it is not replaced";
    QTest::newRow("code not in the book") << "ZZ-9" << bmi(29.5, day(a, 40)) << 0 << nan << nan << 1.5
                                          << "subject: the case \"ZZ-9\" is not in the case book";

    QTest::newRow("subject not in the Bundle")
        << "A-1" << with(bmi(29.5, day(a, 40)), "subject.reference", "Patient/77") << 0 << nan << nan << 1.5
        << "subject: \"Patient/77\" is not a Patient of this Bundle";
}

void TestFhir::importObservation()
{
    QFETCH(QString, code);
    QFETCH(QJsonObject, observation);
    QFETCH(int, visits);
    QFETCH(double, bmi);
    QFETCH(double, weight);
    QFETCH(double, height);
    QFETCH(QString, message);
    const std::unique_ptr<CaseStore> store = smallBook();
    QVERIFY(store);
    QVector<CaseRecord> before;
    QVERIFY(store->readCases({}, &before));
    const CaseRecord &target = before[code.startsWith(QStringLiteral("B")) ? 1 : 0];
    QList<Visit> visitsBefore;
    QVERIFY(VisitStore(*store).visits(target.id, &visitsBefore));

    FhirCaseBook caseBook(*store);
    FhirImport import(caseBook);
    const FhirImport::Outcome outcome = import.run(bundle({patient(code), observation}));
    const bool refused = visits == 0 && !message.isEmpty() && import.notes().isEmpty() && outcome != FhirImport::Imported;
    if (outcome == FhirImport::Refused) {
        QCOMPARE(import.refusals().size(), 1);
        QCOMPARE(import.refusals().first().entry, 2);
        QVERIFY2(import.refusals().first().text.contains(message), qPrintable(import.refusals().first().text));
    } else {
        QCOMPARE(outcome, FhirImport::Imported);
        QVERIFY2(!refused, "imported what should be refused");
        QCOMPARE(import.visitsAdded(), visits);
        if (!message.isEmpty()) {
            QCOMPARE(import.notes().size(), 1);
            QCOMPARE(import.notes().first().text, message);
        }
    }

    CaseRecord after;
    QVERIFY(store->readCase(target.id, &after));
    QCOMPARE(after.heightMetres.has_value(), !std::isnan(height));
    if (after.heightMetres)
        QCOMPARE(*after.heightMetres, height);
    QList<Visit> visitsAfter;
    QVERIFY(VisitStore(*store).visits(target.id, &visitsAfter));
    QCOMPARE(visitsAfter.size(), visitsBefore.size() + visits);
    if (visits == 1) {
        const Visit added = *std::find_if(visitsAfter.cbegin(), visitsAfter.cend(), [&](const Visit &v) {
            return std::none_of(visitsBefore.cbegin(), visitsBefore.cend(), [&](const Visit &w) { return w.id == v.id; });
        });
        QCOMPARE(added.date, target.baselineDate.addDays(40));
        QCOMPARE(added.bmi, bmi);
        QCOMPARE(added.weightKg.has_value(), !std::isnan(weight));
        if (added.weightKg)
            QCOMPARE(*added.weightKg, weight);
        QVector<CaseAuditEntry> trail;
        QVERIFY(store->auditTrail(target.id, &trail));
        QCOMPARE(trail.last().action, QStringLiteral("visit insert"));
    }
}

void TestFhir::refusedFile_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reason"); // empty: read

    const QJsonObject obs = measured("39156-5", 29.5, "kg/m2", QDate::currentDate().addDays(-100).toString(Qt::ISODate));
    QTest::newRow("searchset") << bundle({patient("A-1"), obs}, "searchset") << QString();
    QTest::newRow("transaction") << bundle({patient("A-1"), obs}, "transaction") << QString();
    QTest::newRow("batch") << bundle({patient("A-1"), obs}, "batch") << QString();
    QTest::newRow("CSV") << QByteArray("code,baseline_date\nA-1,2026-01-01\n") << "it is not FHIR JSON: ";
    QTest::newRow("JSON, not FHIR") << QByteArray("{\"cases\": []}") << "it is not FHIR JSON: it has no resourceType";
    QTest::newRow("a JSON array") << QByteArray("[1, 2]") << "it is not FHIR JSON: it holds no resource";
    QTest::newRow("a Patient") << QJsonDocument(patient("A-1")).toJson() << "it is a FHIR Patient, not a Bundle";
    QTest::newRow("document") << bundle({patient("A-1"), obs}, "document")
                              << "it is a Bundle of type \"document\"; collection, transaction, batch and searchset are read";
    QTest::newRow("STU3 Observation") << bundle({patient("A-1"), with(obs, "context.reference", "Encounter/1")})
                                      << "it is not FHIR R4: entry 2 has the element context of FHIR STU3";
    QTest::newRow("R5 Observation") << bundle({patient("A-1"), with(obs, "triggeredBy", QJsonArray{})})
                                    << "it is not FHIR R4: entry 2 has the element triggeredBy of FHIR R5";
    QTest::newRow("R5 profile") << bundle({patient("A-1"), with(obs, "meta.profile",
                                                                 QJsonArray{"http://hl7.org/fhir/5.0/StructureDefinition/bmi"})})
                                << "it is not FHIR R4: entry 2 names FHIR R5";
    QTest::newRow("too large") << QByteArray(FhirBundleReader::MaxBytes + 1, ' ') << "it is too large: 64 MB";
    // Read an entry at a time: whatever stands where in the file is found or named.
    QByteArray patientLast = bundle({obs, patient("A-1")});
    const QByteArray url = "\"fullUrl\": \"urn:uuid:00000000-0000-4000-8000-00000000000";
    patientLast.replace(url + "1", url + "9").replace(url + "2", url + "1").replace(url + "9", url + "2");
    QTest::newRow("the patient after its observation") << patientLast << QString();
    const QByteArray whole = bundle({patient("A-1"), obs});
    QTest::newRow("members after the entries")
        << QByteArray("{\"entry\": [") + QJsonDocument(QJsonDocument::fromJson(whole)["entry"][0].toObject()).toJson()
               + "," + QJsonDocument(QJsonDocument::fromJson(whole)["entry"][1].toObject()).toJson()
               + "], \"type\": \"collection\", \"resourceType\": \"Bundle\"}"
        << QString();
    QTest::newRow("cut short") << whole.left(whole.size() - 40) << "it is not FHIR JSON: the file ends inside";
    QTest::newRow("text after it") << whole + "{}" << "it is not FHIR JSON: more text after the object at byte";
    QTest::newRow("broken inside an entry") << QByteArray(whole).replace("\"status\"", "\"status\" 1")
                                            << "it is not FHIR JSON: ";
    QTest::newRow("an entry over 4 MB")
        << bundle({patient("A-1"), with(obs, "note", QString(5 << 20, QLatin1Char('x')))})
        << "it is not FHIR JSON: an entry is larger than 4 MB at byte";
}

// A file that is not a FHIR R4 Bundle of a kind we read is refused with the reason.
void TestFhir::refusedFile()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);
    const std::unique_ptr<CaseStore> store = smallBook();
    QVERIFY(store);
    FhirCaseBook book(*store);
    FhirImport import(book);
    const FhirImport::Outcome outcome = import.run(bytes);
    if (reason.isEmpty()) {
        QCOMPARE(outcome, FhirImport::Imported);
        QCOMPARE(import.visitsAdded(), 1);
        return;
    }
    QCOMPARE(outcome, FhirImport::Failed);
    QVERIFY2(import.error().contains(reason), qPrintable(import.error()));
}

// One unusable observation among good ones stores nothing and names each by its entry; the
// same file repaired goes in whole, and again adds nothing.
void TestFhir::oneUnusableRefusesAll()
{
    const std::unique_ptr<CaseStore> store = smallBook();
    QVERIFY(store);
    QVector<CaseRecord> cases;
    QVERIFY(store->readCases({}, &cases));
    const CaseRecord &a = cases[0];
    QJsonArray resources{patient("A-1"),
                         measured("39156-5", 29.1, "kg/m2", day(a, 100)),
                         measured("29463-7", 11, "[stone_av]", day(a, 110)),
                         measured("29463-7", 66.4, "kg", day(a, 120)),
                         with(measured("39156-5", 28.8, "kg/m2", day(a, 130)), "subject.reference", "Patient/9"),
                         measured("29463-7", 66.4, "kg", day(a, 140))};
    FhirCaseBook book(*store);
    FhirImport import(book);
    QCOMPARE(import.run(bundle(resources)), FhirImport::Refused);
    QCOMPARE(import.refusals().size(), 2);
    QCOMPARE(import.refusals()[0].entry, 3);
    QCOMPARE(import.refusals()[1].entry, 5);
    QList<Visit> visits;
    QVERIFY(VisitStore(*store).visits(a.id, &visits));
    QCOMPARE(visits.size(), 3);

    resources.removeAt(4);
    resources.removeAt(2);
    QCOMPARE(import.run(bundle(resources)), FhirImport::Imported);
    QCOMPARE(import.visitsAdded(), 3);
    QCOMPARE(import.run(bundle(resources)), FhirImport::Imported);
    QCOMPARE(import.visitsAdded(), 0);
    QCOMPARE(import.notes().size(), 3);
    QVERIFY(VisitStore(*store).visits(a.id, &visits));
    QCOMPARE(visits.size(), 6);
}

// Our export imported into an empty book recreates every case and visit, and exports again
// as the same resources; a second import into that book doubles nothing.
void TestFhir::roundTrip()
{
    const std::unique_ptr<CaseStore> store = smallBook();
    QVERIFY(store);
    const QJsonObject first = exportOf(*store);
    const QByteArray text = QJsonDocument(first).toJson();
    // Full precision, and heights exact in centimetres.
    QVERIFY(text.contains("35.123456789012344"));
    QVERIFY(text.contains("\"value\": 150\n"));

    CaseStore empty;
    QVERIFY(empty.open(freshCaseBook()));
    FhirCaseBook book(empty);
    FhirImport import(book);
    QCOMPARE(import.run(text), FhirImport::Imported);
    QCOMPARE(import.casesAdded(), 3);
    QCOMPARE(import.visitsAdded(), 4);
    const QJsonObject second = exportOf(empty);
    QCOMPARE(resourcesByPosition(second), resourcesByPosition(first));
    QVERIFY(first.value("entry").toArray().first().toObject().value("fullUrl")
            != second.value("entry").toArray().first().toObject().value("fullUrl"));

    QVector<CaseRecord> original, recreated;
    QVERIFY(store->readCases({}, &original));
    QVERIFY(empty.readCases({}, &recreated));
    QCOMPARE(recreated.size(), original.size());
    for (int i = 0; i < original.size(); ++i)
        compareCaseValues(recreated[i], original[i]);

    QCOMPARE(import.run(text), FhirImport::Imported);
    QCOMPARE(import.casesAdded(), 0);
    QCOMPARE(import.visitsAdded(), 0);
    QCOMPARE(resourcesByPosition(exportOf(empty)), resourcesByPosition(first));
}

void TestFhir::streamedBundleIsTheWholeOne_data()
{
    QTest::addColumn<bool>("filled");
    QTest::newRow("small book") << true;
    QTest::newRow("empty book") << false;
}

// Written a case at a time as the book is read, the Bundle is the same text as the one built
// whole, but for its fresh ids and its time.
void TestFhir::streamedBundleIsTheWholeOne()
{
    QFETCH(bool, filled);
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    QVERIFY(!filled || fillSmallBook(store));
    FhirCaseBook book(store);
    QVector<FhirCase> cases;
    QVERIFY(book.read({}, &cases));
    const FhirBundleWriter writer;
    QBuffer streamed;
    streamed.open(QIODevice::WriteOnly);
    QVERIFY(writer.write(&streamed, [&book](const std::function<bool(const FhirCase &)> &write) {
        return book.forEach(write);
    }));
    const auto normal = [](QByteArray text) {
        QString out = QString::fromUtf8(text);
        out.replace(QRegularExpression(QStringLiteral("\"timestamp\": \"[^\"]*\"")), QStringLiteral("TIME"));
        QRegularExpression url(QStringLiteral("urn:uuid:[0-9a-f-]{36}"));
        QStringList seen;
        for (QRegularExpressionMatchIterator it = url.globalMatch(out); it.hasNext();) {
            const QString found = it.next().captured();
            if (!seen.contains(found))
                seen << found;
        }
        for (int i = 0; i < seen.size(); ++i)
            out.replace(seen[i], QStringLiteral("#%1").arg(i));
        return out;
    };
    QCOMPARE(normal(streamed.data()), normal(QJsonDocument(writer.bundle(cases)).toJson(QJsonDocument::Indented)));
}

QTEST_GUILESS_MAIN(TestFhir)
#include "tst_fhir.moc"
