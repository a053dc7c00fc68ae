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

Result runCohort(const QStringList &arguments, const QString &directory)
{
    QProcess process;
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
    QTest::newRow("no command") << QByteArray() << QStringList() << 2 << false << "predict or validate";
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

QTEST_GUILESS_MAIN(TestCohortCommand)
#include "tst_cohortcommand.moc"
