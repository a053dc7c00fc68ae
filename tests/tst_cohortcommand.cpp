// telma-cohort as a user runs it: exit statuses, files left (or not) behind, the report.
#include "bmicourse.h"
#include "pdftools.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlQuery>
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
                 const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                 const QByteArray &standardInput = QByteArray())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    process.start(QStringLiteral(TELMA_COHORT_PATH), arguments);
    process.write(standardInput);
    process.closeWriteChannel();
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
    void refusedRowsListedInTheReport();
    void caseBookCommands_data();
    void caseBookCommands();
    void validateCasesEqualsExportedFile();
    void calibrationFromStandardInput();
    void calibrationWorkedByHand();
    void calibrationOfTheCaseBook_data();
    void calibrationOfTheCaseBook();
    void bookChangedBehindTheProgram_data();
    void bookChangedBehindTheProgram();

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
    QTest::newRow("no command") << QByteArray() << QStringList() << 2 << false
                                << "predict, validate, calibrate, import, export, fhir-export or fhir-import";
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
    const QJsonObject month = json.value(QLatin1String("months")).toArray().at(0).toObject();
    QCOMPARE(month.value(QLatin1String("n")).toInt(), 3);
    // The limits of agreement: the mean error ± 1.96 standard deviations.
    const double mean = month.value(QLatin1String("mean_error")).toDouble();
    const double sd = month.value(QLatin1String("sd_error")).toDouble();
    const QJsonArray limits = month.value(QLatin1String("limits_of_agreement")).toArray();
    QVERIFY(sd > 0);
    QVERIFY(std::abs(limits.at(0).toDouble() - (mean - 1.96 * sd)) < 1e-12);
    QVERIFY(std::abs(limits.at(1).toDouble() - (mean + 1.96 * sd)) < 1e-12);

    const QString pdf = m_dir->filePath(QStringLiteral("report.pdf"));
    QCOMPARE(pageCount(pdf), 1);
    const QString text = pdfText(pdf);
    for (const char *phrase : {"Validation of model TELMA", "clinic cohort.csv",
                               "Rows read: 4; refused: 1", "calibration slope", "month 6",
                               "limits of agreement"})
        QVERIFY2(text.contains(QLatin1String(phrase)), qPrintable(phrase + (": " + text)));
    QCOMPARE(QFileInfo(pdf).permissions() & QFileDevice::ReadOther, QFileDevice::Permissions());

    const QImage plot(m_dir->filePath(QStringLiteral("plot.png")));
    QVERIFY(!plot.isNull());
    QVERIFY(plot.width() >= 600);
}

// Each refused row by its line and reason, up to a page of them; then how many more.
void TestCohortCommand::refusedRowsListedInTheReport()
{
    QByteArray refused;
    const int count = 47;
    for (int i = 0; i < count; ++i)
        refused += "X,1,2\n";
    // Lines 2 to 4 are the good rows, 5 the BMI out of range, then the short rows.
    write(QStringLiteral("cohort.csv"), header + goodRows + refusedRow + refused);
    const Result result = runCohort({"validate", "cohort.csv", "--report", "report.pdf"}, m_dir->path());
    QCOMPARE(result.status, 1);
    const QString pdf = m_dir->filePath(QStringLiteral("report.pdf"));
    // pdftotext gives "fi" as its ligature.
    const QString text = pdfText(pdf).replace(QChar(0xFB01), "fi");
    QVERIFY2(text.contains("Rows read: 51; refused: 48"), qPrintable(text));
    QVERIFY(text.contains("line 5 initial_bmi: 70 is outside 15 to 67"));
    QVERIFY(text.contains("line 6 the row has 3 fields where the header has 10"));
    QVERIFY(text.contains("line 44 the row has 3 fields"));
    QVERIFY(!text.contains("line 45 "));
    QVERIFY(text.contains("… and 8 more refused rows"));
    QCOMPARE(pageCount(pdf), 2);
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

namespace {

// Twenty people with the same predictors, observed at month 6 at 30.0, 30.1, … 31.9 and at
// month 3 all but the first, at 33.1 … 34.9.
QByteArray twentyPeople()
{
    QByteArray text = "code,restrained_eating,emotional_eating,external_eating,personal_standards,"
                      "concern_over_mistakes,body_image_dissatisfaction,alexithymia,initial_bmi,"
                      "bmi_month_3,bmi_month_6\n";
    for (int i = 0; i < 20; ++i)
        text += "P" + QByteArray::number(i) + ",2,2,2,15,25,10,50,35,"
            + (i == 0 ? QByteArray() : QByteArray::number(33.0 + i * 0.1, 'f', 1)) + ','
            + QByteArray::number(30.0 + i * 0.1, 'f', 1) + '\n';
    return text;
}

} // namespace

// Standard input, kept in a temporary file to be hashed first, gives the figures the file
// gives, also when it is larger than one block.
void TestCohortCommand::calibrationFromStandardInput()
{
    QByteArray text = twentyPeople();
    const QByteArray rows = text.mid(text.indexOf('\n') + 1);
    while (text.size() <= (1 << 20)) // the blocks it is read in
        text += rows;
    write(QStringLiteral("cohort.csv"), text);
    const Result fromFile = runCohort({"calibrate", "cohort.csv", "--json"}, m_dir->path());
    QCOMPARE(fromFile.status, 0);
    const Result fromInput = runCohort({"calibrate", "-", "--json"}, m_dir->path(),
                                       QProcessEnvironment::systemEnvironment(), text);
    QCOMPARE(fromInput.status, 0);
    QCOMPARE(fromInput.out, fromFile.out);
}

// The figures of calibrate --json against the same worked out by hand: month 6 has 20 people
// with errors 30.0 … 31.9 minus the one prediction, so a mean of 30.95 − P, an sd of
// 0.1 · √35 and offsets mean ± t(0.975, 19) · sd · √(1 + 1/20); month 3 has 19 people and
// so no offsets; the other months nobody.
void TestCohortCommand::calibrationWorkedByHand()
{
    write(QStringLiteral("cohort.csv"), twentyPeople());
    const Result result = runCohort({"calibrate", "cohort.csv", "--json"}, m_dir->path());
    QCOMPARE(result.status, 0);
    const QJsonArray months = QJsonDocument::fromJson(result.out).object().value(QLatin1String("months")).toArray();
    QCOMPARE(months.size(), 6);

    const BmiCourse predicted = predictBmiCourse({2, 2, 2, 15, 25, 10, 50, 35});
    const double t19 = 2.093024054408263; // Student's t, 0.975 quantile, 19 degrees of freedom
    const double sd = 0.1 * std::sqrt(35.0);
    const double mean = 30.95 - predicted[5];
    const double half = t19 * sd * std::sqrt(1 + 1.0 / 20);
    const QJsonObject six = months.at(5).toObject();
    QCOMPARE(six.value(QLatin1String("month")).toInt(), 6);
    QCOMPARE(six.value(QLatin1String("n")).toInt(), 20);
    const std::pair<const char *, double> expected[] = {
        {"mean_error", mean}, {"sd_error", sd}, {"low", mean - half}, {"high", mean + half}};
    for (const auto &[name, value] : expected)
        QVERIFY2(std::abs(six.value(QLatin1String(name)).toDouble() - value) < 1e-9, name);

    const QJsonObject three = months.at(2).toObject();
    QCOMPARE(three.value(QLatin1String("n")).toInt(), 19);
    QVERIFY(std::abs(three.value(QLatin1String("mean_error")).toDouble() - (34.0 - predicted[2])) < 1e-9);
    QVERIFY(three.value(QLatin1String("sd_error")).isDouble());
    QVERIFY(!three.contains(QLatin1String("low")) && !three.contains(QLatin1String("high")));
    const QJsonObject one = months.at(0).toObject();
    QCOMPARE(one.value(QLatin1String("n")).toInt(), 0);
    QVERIFY(one.value(QLatin1String("mean_error")).isNull());

    // validate's standard deviation of the same errors is the same, worked out apart.
    const QJsonArray validated = QJsonDocument::fromJson(runCohort({"validate", "cohort.csv", "--json"}, m_dir->path()).out)
                                     .object().value(QLatin1String("months")).toArray();
    QCOMPARE(validated.last().toObject().value(QLatin1String("month")).toInt(), 6);
    QVERIFY(std::abs(validated.last().toObject().value(QLatin1String("sd_error")).toDouble() - sd) < 1e-9);

    // Full precision: the text of a double that reads back as the same double.
    QVERIFY(result.out.contains(QByteArray::number(six.value(QLatin1String("sd_error")).toDouble(), 'g', 17).left(15)));
}

void TestCohortCommand::calibrationOfTheCaseBook_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message"); // on standard error
    QTest::addColumn<QString>("printed"); // on standard output

    QTest::newRow("from the file, put in use") << QStringList{"calibrate", "cohort.csv", "--use", "--database", "book.sqlite"}
                                               << 0 << QString() << "In use in the case book";
    QTest::newRow("from the book, too few to use") << QStringList{"calibrate", "--cases", "--use", "--database", "book.sqlite"}
                                                   << 2 << "nothing was put in use" << QString();
    QTest::newRow("from the book") << QStringList{"calibrate", "--cases", "--database", "book.sqlite"}
                                   << 0 << QString() << "4 people observed";
    QTest::newRow("--database without --use") << QStringList{"calibrate", "cohort.csv", "--database", "book.sqlite"}
                                              << 2 << "--database belongs to calibrate --cases" << QString();
    QTest::newRow("--use of the other command") << QStringList{"validate", "cohort.csv", "--use"}
                                                << 2 << "--use belongs to calibrate" << QString();
    QTest::newRow("file and --cases") << QStringList{"calibrate", "cohort.csv", "--cases"}
                                      << 2 << "reads the case book, not a file" << QString();
}

// calibrate's uses and refusals on a book of four cases; its figures are those validate
// --cases takes from the same book.
void TestCohortCommand::calibrationOfTheCaseBook()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QString, printed);
    write(QStringLiteral("in.csv"), caseHeader + caseRows);
    write(QStringLiteral("cohort.csv"), twentyPeople());
    QCOMPARE(runCohort({"import", "in.csv", "--database", "book.sqlite"}, m_dir->path()).status, 0);

    const Result result = runCohort(arguments, m_dir->path());
    QCOMPARE(result.status, status);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QVERIFY2(QString::fromUtf8(result.out).contains(printed), result.out.constData());

    const QJsonArray validated = QJsonDocument::fromJson(runCohort({"validate", "--cases", "--database", "book.sqlite", "--json"},
                                                                   m_dir->path()).out)
                                     .object().value(QLatin1String("months")).toArray();
    const QJsonArray calibrated = QJsonDocument::fromJson(runCohort({"calibrate", "--cases", "--database", "book.sqlite", "--json"},
                                                                    m_dir->path()).out)
                                      .object().value(QLatin1String("months")).toArray();
    QCOMPARE(validated.size(), 2); // months 3 and 6
    for (const QJsonValue &v : validated) {
        const QJsonObject month = v.toObject();
        const QJsonObject same = calibrated.at(month.value(QLatin1String("month")).toInt() - 1).toObject();
        for (const char *name : {"n", "mean_error", "sd_error"})
            QCOMPARE(same.value(QLatin1String(name)), month.value(QLatin1String(name)));
    }
}

void TestCohortCommand::bookChangedBehindTheProgram_data()
{
    QTest::addColumn<QString>("change"); // made with SQLite itself, after case A was imported
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("cases"); // in the book afterwards
    QTest::addColumn<QString>("message");
    const QString dropGuard = QStringLiteral("DROP TRIGGER case_audit_no_delete");
    QTest::newRow("audit --verify") << dropGuard << QStringList{"audit", "--verify"} << 1 << 1
                                    << "guard case_audit_no_delete is missing";
    QTest::newRow("import") << dropGuard << QStringList{"import", "in.csv"} << 2 << 1 << "Nothing was written";
    QTest::newRow("import, noted") << dropGuard << QStringList{"import", "in.csv", "--trail-noted"} << 0 << 3
                                   << "writing with --trail-noted";
    QTest::newRow("calibrate --use") << dropGuard << QStringList{"calibrate", "--cases", "--use"} << 2 << 1
                                     << "--trail-noted writes nonetheless";
    QTest::newRow("export reads") << dropGuard << QStringList{"export"} << 0 << 1 << QString();
    QTest::newRow("fhir-export reads") << dropGuard << QStringList{"fhir-export", "--code", "A", "-o", "a.json"} << 0 << 1
                                       << QString();
    QTest::newRow("fhir-import") << dropGuard << QStringList{"fhir-import", "none.json"} << 2 << 1 << "Nothing was written";
    QTest::newRow("noted with a reading command") << dropGuard << QStringList{"export", "--trail-noted"} << 2 << 1
                                                  << "--trail-noted belongs to";
    QTest::newRow("noted with calibrate alone") << dropGuard << QStringList{"calibrate", "--cases", "--trail-noted"} << 2
                                                << 1 << "--trail-noted belongs to calibrate --use";
    // Codes from before control characters were refused are exported, named and told apart.
    QTest::newRow("export, a code no file can carry")
        << "UPDATE cases SET code = 'A' || char(1), code_folded = 'a' || char(1)" << QStringList{"export"} << 1
        << 1 << "the code of case 1 (shown as “A␁”) holds the control character U+0001";
}

// A book whose trail guard was dropped behind the program's back may be read and checked; a
// writing command refuses before it writes, unless told that the finding was noted. An export
// names the codes that cannot come back.
void TestCohortCommand::bookChangedBehindTheProgram()
{
    QFETCH(QString, change);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(int, cases);
    QFETCH(QString, message);
    const QList<QByteArray> rows = caseRows.split('\n');
    write(QStringLiteral("first.csv"), caseHeader + rows[0] + '\n');
    write(QStringLiteral("in.csv"), caseHeader + rows[1] + '\n' + rows[2] + '\n');
    const QString book = m_dir->filePath(QStringLiteral("book.sqlite"));
    QCOMPARE(runCohort({"import", "first.csv", "--database", book}, m_dir->path()).status, 0);
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("tamper"));
        db.setDatabaseName(book);
        QVERIFY(db.open());
        QVERIFY(QSqlQuery(db).exec(change));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("tamper"));

    const Result result = runCohort(arguments + QStringList{"--database", book}, m_dir->path());
    QCOMPARE(result.status, status);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    const Result listed = runCohort({"export", "--database", book}, m_dir->path());
    QCOMPARE(listed.out.count('\n'), 1 + cases);
}

QTEST_GUILESS_MAIN(TestCohortCommand)
#include "tst_cohortcommand.moc"
