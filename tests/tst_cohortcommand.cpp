// telma-cohort as a user runs it: exit statuses, files left (or not) behind, the report.
#include "pdftools.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QByteArray header = "code,restrained_eating,emotional_eating,external_eating,personal_standards,"
                          "concern_over_mistakes,body_image_dissatisfaction,alexithymia,initial_bmi,"
                          "bmi_month_6\n";
const QByteArray goodRows = "A,2,2,2,15,25,10,50,32,27.5\nB,3,1.5,2.5,20,30,20,60,36.5,33.9\n"
                            "C,1.5,3,3.5,25,35,30,70,41,38.2\n";
const QByteArray refusedRow = "G,3,3,3,20,30,20,60,70,67\n";

struct Result {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

Result runCohort(const QStringList &arguments, const QString &directory,
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    process.start(QStringLiteral(TELMA_COHORT_PATH), arguments);
    Result result;
    if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit)
        result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

} // namespace

class TestCohortCommand : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void exitStatus_data();
    void exitStatus();
    void validationReport();
    void caseBookCommands_data();
    void caseBookCommands();
    void validateCasesEqualsExportedFile();

private:
    void write(const QString &name, const QByteArray &text);
    std::unique_ptr<QTemporaryDir> m_dir;
};

void TestCohortCommand::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

void TestCohortCommand::write(const QString &name, const QByteArray &text)
{
    QFile file(m_dir->filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(text);
}

void TestCohortCommand::exitStatus_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("outputWritten"); // out.csv replaced, owner-only
    QTest::addColumn<QString>("message");    // on standard error

    const QStringList predictToFile{"predict", "in.csv", "-o", "out.csv"};
    QTest::newRow("all predicted") << header + goodRows << predictToFile << 0 << true << QString();
    QTest::newRow("a row refused") << header + goodRows + refusedRow << predictToFile << 1 << true
                                   << "in.csv:5: initial_bmi: 70 is outside 15 to 67";
    QTest::newRow("missing column") << QByteArray("code,initial_bmi\nA,30\n") << predictToFile << 2 << false
                                    << "no column restrained_eating";
    QTest::newRow("missing input") << QByteArray() << QStringList{"predict", "none.csv", "-o", "out.csv"} << 2
                                   << false << "Cannot read none.csv";
    QTest::newRow("no command") << QByteArray() << QStringList() << 2 << false << "predict, validate, import, export, fhir-export or fhir-import";
    QTest::newRow("option of the other command") << header + goodRows << QStringList{"predict", "in.csv", "--json"}
                                                 << 2 << false << "--json belongs to validate";
    QTest::newRow("bad month") << header + goodRows << QStringList{"validate", "in.csv", "--month", "7"} << 2
                               << false << "--month takes a month from 1 to 6";
    QTest::newRow("plot of unknown kind") << header + goodRows << QStringList{"validate", "in.csv", "--plot", "out.csv"}
                                          << 2 << false << "--plot writes a .png or .pdf file";
    QTest::newRow("bad delimiter") << header + goodRows << QStringList{"predict", "in.csv", "--delimiter", "|"}
                                   << 2 << false << "--delimiter takes";
    QTest::newRow("validate, a row refused") << header + goodRows + refusedRow << QStringList{"validate", "in.csv"}
                                             << 1 << false << "in.csv:5:";
}

// 0 when every row was used, 1 when some were refused (the output still has them all), 2 for
// a usage or file error, which leaves an earlier output file as it was.
void TestCohortCommand::exitStatus()
{
    QFETCH(QByteArray, input);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(bool, outputWritten);
    QFETCH(QString, message);
    if (!input.isEmpty())
        write(QStringLiteral("in.csv"), input);
    write(QStringLiteral("out.csv"), "earlier\n");

    const Result result = runCohort(arguments, m_dir->path());
    QCOMPARE(result.status, status);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());

    QFile out(m_dir->filePath(QStringLiteral("out.csv")));
    QVERIFY(out.open(QIODevice::ReadOnly));
    const QByteArray written = out.readAll();
    QCOMPARE(written != "earlier\n", outputWritten);
    if (outputWritten) {
        QCOMPARE(written.count('\n'), input.count('\n'));
        QCOMPARE(out.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    }
}

// The figures as JSON, and the one-page report and the plot as files a person can open.
void TestCohortCommand::validationReport()
{
    write(QStringLiteral("clinic cohort.csv"), header + goodRows + refusedRow);
    const Result result = runCohort({"validate", "clinic cohort.csv", "--json", "--report", "report.pdf",
                                     "--plot", "plot.png"},
                                    m_dir->path());
    QCOMPARE(result.status, 1);
    const QJsonObject json = QJsonDocument::fromJson(result.out).object();
    QCOMPARE(json.value(QLatin1String("rows_read")).toInt(), 4);
    QCOMPARE(json.value(QLatin1String("months")).toArray().at(0).toObject().value(QLatin1String("n")).toInt(), 3);

    const QString pdf = m_dir->filePath(QStringLiteral("report.pdf"));
    QCOMPARE(pageCount(pdf), 1);
    const QString text = pdfText(pdf);
    for (const char *phrase : {"Validation of model TELMA", "clinic cohort.csv",
                               "Rows read: 4; refused: 1", "calibration slope", "month 6"})
        QVERIFY2(text.contains(QLatin1String(phrase)), qPrintable(phrase + (": " + text)));
    QCOMPARE(QFileInfo(pdf).permissions() & QFileDevice::ReadOther, QFileDevice::Permissions());

    const QImage plot(m_dir->filePath(QStringLiteral("plot.png")));
    QVERIFY(!plot.isNull());
    QVERIFY(plot.width() >= 600);
}

namespace {

const QByteArray caseHeader = "code,baseline_date,height_m,restrained_eating,emotional_eating,external_eating,"
                              "personal_standards,concern_over_mistakes,body_image_dissatisfaction,alexithymia,"
                              "initial_bmi,bmi_month_3,bmi_month_6\n";
const QByteArray caseRows = "A,2025-01-10,1.7,2,2,2,15,25,10,50,32,30.2,29.5\nB,2025-02-01,,3,1.5,2.5,20,30,20,60,36.5,35,33.9\n"
                            "C,2024-11-20,1.6,1.5,3,3.5,25,35,30,70,41,,38.2\nD,2025-03-03,1.8,2.5,2,3,18,28,15,55,29.4,28.8,28.0\n";

} // namespace

void TestCohortCommand::caseBookCommands_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("cases"); // in the book afterwards
    QTest::addColumn<QString>("message");

    // The book holds case A before each row runs.
    QTest::newRow("import") << QStringList{"import", "in.csv", "--database", "book.sqlite"} << 0 << 3 << QString();
    QTest::newRow("import into TELMA_DATABASE") << QStringList{"import", "in.csv"} << 0 << 3 << QString();
    QTest::newRow("import, a code in the book") << QStringList{"import", "again.csv", "--database", "book.sqlite"}
                                                << 1 << 1 << "again.csv:3: code: “A” is already in the case book";
    QTest::newRow("import, no code column") << QStringList{"import", "nocode.csv", "--database", "book.sqlite"}
                                            << 2 << 1 << "no column code";
    QTest::newRow("import, unusable book") << QStringList{"import", "in.csv", "--database", "in.csv"} << 2 << 1
                                           << "case book";
    QTest::newRow("export to a missing folder") << QStringList{"export", "--database", "book.sqlite", "-o", "no/out.csv"}
                                                << 2 << 1 << "Cannot write";
    QTest::newRow("export takes no file") << QStringList{"export", "in.csv"} << 2 << 1 << "not a file";
    QTest::newRow("fhir-export") << QStringList{"fhir-export", "--database", "book.sqlite", "--code", "A", "-o", "a.json"}
                                 << 0 << 1 << QString();
    QTest::newRow("fhir-export, a code not in the book")
        << QStringList{"fhir-export", "--database", "book.sqlite", "--code", "Z"} << 2 << 1 << "No case has the code “Z”.";
    QTest::newRow("fhir-import") << QStringList{"fhir-import", "good.json", "--database", "book.sqlite"} << 0 << 1
                                 << QString();
    QTest::newRow("fhir-import, an unusable observation")
        << QStringList{"fhir-import", "stone.json", "--database", "book.sqlite"} << 1 << 1
        << "stone.json: entry 3: valueQuantity: unit \"[stone_av]\" is not a unit of weight we read\n"
           "telma-cohort: nothing was imported: 1 observation cannot be used.";
    QTest::newRow("fhir-import, not FHIR") << QStringList{"fhir-import", "in.csv", "--database", "book.sqlite"} << 2
                                           << 1 << "Cannot import in.csv: it is not FHIR JSON";
    QTest::newRow("fhir-import, another code system")
        << QStringList{"fhir-import", "good.json", "--database", "book.sqlite", "--identifier-system", "urn:x"} << 1
        << 1 << "good.json: entry 2: subject: the Patient of entry 1 has no identifier under urn:x";
    QTest::newRow("--code with fhir-import") << QStringList{"fhir-import", "good.json", "--code", "A"} << 2 << 1
                                             << "--code belongs to fhir-export";
    QTest::newRow("--database with a file") << QStringList{"validate", "in.csv", "--database", "book.sqlite"} << 2
                                            << 1 << "--database belongs to validate --cases";
}

// Exit statuses of the case book's commands; the book changes only on success.
void TestCohortCommand::caseBookCommands()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(int, cases);
    QFETCH(QString, message);
    const QList<QByteArray> rows = caseRows.split('\n');
    write(QStringLiteral("first.csv"), caseHeader + rows[0] + '\n');
    write(QStringLiteral("in.csv"), caseHeader + rows[1] + '\n' + rows[2] + '\n');
    write(QStringLiteral("again.csv"), caseHeader + rows[1] + '\n' + rows[0] + '\n');
    write(QStringLiteral("nocode.csv"), caseHeader.mid(5) + rows[1].mid(2) + '\n');
    // A visit of case A (baseline 2025-01-10) from a record system, once more with a unit we do not read.
    const QByteArray patient = R"({"fullUrl": "urn:uuid:7e0b6b4e-0000-4000-8000-000000000001",
        "resource": {"resourceType": "Patient", "identifier": [{"system": "urn:telma:case-code", "value": "A"}]}})";
    const auto weight = [](const char *value, const char *unit) {
        return QByteArray(R"({"resource": {"resourceType": "Observation", "status": "final",
            "code": {"coding": [{"system": "http://loinc.org", "code": "29463-7"}]},
            "subject": {"reference": "urn:uuid:7e0b6b4e-0000-4000-8000-000000000001"},
            "effectiveDateTime": "2025-02-10T09:15:00+01:00",
            "valueQuantity": {"value": )") + value + R"(, "system": "http://unitsofmeasure.org", "code": ")" + unit
            + R"("}}})";
    };
    const QByteArray head = R"({"resourceType": "Bundle", "type": "searchset", "entry": [)";
    write(QStringLiteral("good.json"), head + patient + ',' + weight("86.7", "kg") + "]}");
    write(QStringLiteral("stone.json"), head + patient + ',' + weight("86.7", "kg") + ',' + weight("13", "[stone_av]") + "]}");
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("TELMA_DATABASE"), m_dir->filePath(QStringLiteral("book.sqlite")));
    QCOMPARE(runCohort({"import", "first.csv", "--database", "book.sqlite"}, m_dir->path()).status, 0);

    const Result result = runCohort(arguments, m_dir->path(), environment);
    QCOMPARE(result.status, status);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    const Result listed = runCohort({"export", "--database", "book.sqlite"}, m_dir->path());
    QCOMPARE(listed.status, 0);
    QCOMPARE(listed.out.count('\n'), 1 + cases);
    QVERIFY(!QFileInfo::exists(m_dir->filePath(QStringLiteral("no"))));
}

// validate --cases gives exactly the figures of validate on the book's export, and the export
// file is its owner's alone.
void TestCohortCommand::validateCasesEqualsExportedFile()
{
    write(QStringLiteral("in.csv"), caseHeader + caseRows);
    QCOMPARE(runCohort({"import", "in.csv", "--database", "book.sqlite"}, m_dir->path()).status, 0);
    QCOMPARE(runCohort({"export", "--database", "book.sqlite", "-o", "out.csv"}, m_dir->path()).status, 0);
    QCOMPARE(QFileInfo(m_dir->filePath(QStringLiteral("out.csv"))).permissions()
                 & (QFileDevice::ReadGroup | QFileDevice::ReadOther),
             QFileDevice::Permissions());

    const Result onFile = runCohort({"validate", "out.csv", "--json"}, m_dir->path());
    const Result onCases = runCohort({"validate", "--cases", "--database", "book.sqlite", "--json"}, m_dir->path());
    QCOMPARE(onFile.status, 0);
    QCOMPARE(onCases.status, 0);
    const QJsonObject json = QJsonDocument::fromJson(onCases.out).object();
    QCOMPARE(json.value(QLatin1String("rows_read")).toInt(), 4);
    QCOMPARE(json.value(QLatin1String("months")).toArray().size(), 2); // months 3 and 6
    QCOMPARE(onCases.out, onFile.out);
    QCOMPARE(onFile.out, runCohort({"validate", "in.csv", "--json"}, m_dir->path()).out);
}

QTEST_GUILESS_MAIN(TestCohortCommand)
#include "tst_cohortcommand.moc"
