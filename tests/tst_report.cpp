#include "bmiclass.h"
#include "bmicourse.h"
#include "coursecaution.h"
#include "graph.h"
#include "modaldriver.h"
#include "pdftools.h"
#include "resultreport.h"

#include <QTableWidget>
#include <QtTest>
#include <QMessageBox>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

const PredictorValues typicalPerson{3, 3, 3, 21, 39, 28, 70, 35};
const PredictorValues lowerCorner{1, 1, 1, 7, 13, 1, 30, 30};

// Sources as the main window records them: some fields from questionnaires, some typed.
const PredictorSources mixedSources{"DEBQ, “Restrained eating” scale", "", "",
                                    "MPS-FROST, “Personal standards” scale", "", "",
                                    "TAS-26", ""};

// A result dialog as the main window leaves it before exec().
struct Result {
    explicit Result(const PredictorValues &values, const PredictorSources &sources = {})
    {
        BmiCourse course = predictBmiCourse(values);
        dialog.prepareview(course.data());
        dialog.setPredictors(values, sources, QDateTime(QDate(2026, 3, 14), QTime(9, 26)));
    }
    graph dialog;
};

} // namespace

class TestReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfHoldsInputsSourcesValuesAndClasses();
    void cautionOnlyWhereTheCourseLeavesThePlausibleRange();
    void printedPageIsTheSameReport();
    void savedCaseNamedWithItsBaseline();
    void unwritableFileGivesMessageAndNoFile_data();
    void unwritableFileGivesMessageAndNoFile();
    void kilogramsWhereTheHeightIsKnown_data();
    void kilogramsWhereTheHeightIsKnown();
    void whoClassesAtTheirBounds_data();
    void whoClassesAtTheirBounds();

private:
    QTemporaryDir m_dir;
};

void TestReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(), "poppler-utils is needed");
}

void TestReport::pdfHoldsInputsSourcesValuesAndClasses()
{
    Result result(typicalPerson, mixedSources);
    const QString file = m_dir.filePath("typical.pdf");
    QVERIFY(result.dialog.saveReport(file));
    // A person's scores: no one but the owner may read the file.
    QCOMPARE(QFile::permissions(file) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
    QCOMPARE(pageCount(file), 1);
    const QString text = pdfText(file);

    QVERIFY(text.contains("model TELMA " TELMA_VERSION));
    QVERIFY(text.contains("2026-03-14 09:26"));
    // Each predictor on one line with its value, range and source.
    const QStringList predictorLines = {
        "Restrained eating 3 1 to 5 DEBQ, “Restrained eating” scale",
        "Emotional eating 3 1 to 5 typed",
        "External eating 3 1 to 5 typed",
        "Personal standards 21 7 to 35 MPS-FROST, “Personal standards” scale",
        "Body image dissatisfaction 28 1 to 55 typed",
        "Alexithymia 70 30 to 110 TAS-26",
        "Initial BMI (kg/m²) 35 15 to 67 typed"};
    for (const QString &line : predictorLines)
        QVERIFY2(text.contains(line), qPrintable(line));
    // The longest name wraps within its cell.
    QVERIFY(text.contains("Concern over mistakes, doubts"));
    QVERIFY(text.contains("39 13 to 65 typed"));

    // Month, BMI, change in kg/m2 and percent, WHO class.
    const QStringList monthLines = {
        "1 34.38 -0.62 -1.8 class I obesity",  "2 33.78 -1.22 -3.5 class I obesity",
        "3 33.18 -1.82 -5.2 class I obesity",  "4 32.60 -2.40 -6.9 class I obesity",
        "5 32.02 -2.98 -8.5 class I obesity", "6 31.46 -3.54 -10.1 class I obesity"};
    for (const QString &line : monthLines)
        QVERIFY2(text.contains(line), qPrintable(line));
    QVERIFY(text.contains("support") && text.contains("clinical judgement"));
    QVERIFY(!text.contains("Caution"));
    // The chart is on the page as vectors: its tick labels are text, and no picture is.
    QVERIFY(text.contains("33.5 33 32.5"));
    QCOMPARE(runTool("pdfimages", {"-list", file}).count('\n'), 2);
}

void TestReport::cautionOnlyWhereTheCourseLeavesThePlausibleRange()
{
    Result result(lowerCorner);
    const QString file = m_dir.filePath("corner.pdf");
    QVERIFY(result.dialog.saveReport(file));
    QCOMPARE(pageCount(file), 1);
    const QString text = pdfText(file);
    // Every caution, each with its numbers; pdftotext breaks the lines where the page does.
    const QString flat = QString(text).replace(QChar(0xFB01), "fi").simplified();
    for (const CourseCaution &caution :
         courseCautions(predictBmiCourse(lowerCorner), lowerCorner[7]))
        QVERIFY2(flat.contains(caution.text.simplified()), qPrintable(flat));
    QVERIFY(flat.contains("loss of 98.4 %"));
    QVERIFY(flat.contains("(14.998 kg/m² in month 1)"));
    QVERIFY(text.contains("6 0.47 -29.53 -98.4 underweight"));
    QVERIFY(text.contains("1 15.00 -15.00 -50.0 underweight"));
}

void TestReport::printedPageIsTheSameReport()
{
    Result result(typicalPerson, mixedSources);
    const QString saved = m_dir.filePath("saved.pdf");
    const QString printed = m_dir.filePath("printed.pdf");
    QVERIFY(result.dialog.saveReport(saved));

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    ResultReport::preparePage(printer);
    QVERIFY(result.dialog.report().paint(printer));
    QCOMPARE(pageCount(printed), 1);
    QCOMPARE(pdfText(printed), pdfText(saved));
    QVERIFY(runTool("pdfinfo", {printed}).contains("A4"));
}

// Once saved to a case, the report names the case and its baseline, and so does the file
// name it proposes.
void TestReport::savedCaseNamedWithItsBaseline()
{
    Result result(typicalPerson);
    const QString unsaved = m_dir.filePath("unsaved.pdf");
    QVERIFY(result.dialog.saveReport(unsaved));
    QVERIFY(!pdfText(unsaved).contains("baseline"));
    QCOMPARE(QFileInfo(result.dialog.defaultReportFileName()).fileName(),
             QStringLiteral("telma-2026-03-14.pdf"));

    result.dialog.setCaseCode("AB-101");
    result.dialog.setCaseBaseline(QDate(2026, 3, 2));
    const QString saved = m_dir.filePath("saved-case.pdf");
    QVERIFY(result.dialog.saveReport(saved));
    QVERIFY(pdfText(saved).contains("case “AB-101” · baseline 2026-03-02"));
    QCOMPARE(QFileInfo(result.dialog.defaultReportFileName()).fileName(),
             QStringLiteral("AB-101-2026-03-14.pdf"));
}

void TestReport::unwritableFileGivesMessageAndNoFile_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folderInTheWay");
    QTest::newRow("missing folder") << "no-such-folder/report.pdf" << QString();
    QTest::newRow("a folder of that name") << "taken.pdf" << "taken.pdf";
}

void TestReport::unwritableFileGivesMessageAndNoFile()
{
    QFETCH(QString, name);
    QFETCH(QString, folderInTheWay);
    const QDir dir(m_dir.path());
    if (!folderInTheWay.isEmpty())
        QVERIFY(dir.mkdir(folderInTheWay));
    const auto entries = QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot;
    const QStringList before = dir.entryList(entries);

    Result result(typicalPerson);
    const QString file = dir.filePath(name);
    QString message;
    bool shown = false;
    onNextModal([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            message = box->text();
        modal->close();
    }, &shown);
    QVERIFY(!result.dialog.saveReport(file));
    QVERIFY(shown);
    // The message names the file and the reason; nothing is written or removed.
    QVERIFY2(message.contains(QDir::toNativeSeparators(file)), qPrintable(message));
    QVERIFY2(message.contains(QRegularExpression(": \\w+.*\\.$")), qPrintable(message));
    QCOMPARE(dir.entryList(entries), before);
    QCOMPARE(QFileInfo(file).isDir(), !folderInTheWay.isEmpty());
}

// The typical person's course is 34.3829 at month 1 and 31.4569 at month 6 from 35; the
// kilograms are those × height², worked out apart from the program.
void TestReport::kilogramsWhereTheHeightIsKnown_data()
{
    QTest::addColumn<double>("height");
    QTest::addColumn<QStringList>("month1"); // weight, change in kg
    QTest::addColumn<QStringList>("month6");
    QTest::newRow("1.70 m") << 1.70 << QStringList{"99.4", "-1.8"} << QStringList{"90.9", "-10.2"};
    QTest::newRow("1.62 m") << 1.62 << QStringList{"90.2", "-1.6"} << QStringList{"82.6", "-9.3"};
    QTest::newRow("no height") << 0.0 << QStringList{"", ""} << QStringList{"", ""};
}

void TestReport::kilogramsWhereTheHeightIsKnown()
{
    QFETCH(double, height);
    QFETCH(QStringList, month1);
    QFETCH(QStringList, month6);
    Result result(typicalPerson);
    result.dialog.setHeightMetres(height > 0 ? std::optional<double>(height) : std::nullopt);

    // On screen: a row of weights and one of changes under the row of BMI values.
    auto *table = result.dialog.findChild<QTableWidget *>("courseTable");
    QVERIFY(table);
    const auto cells = [table](int month) {
        return QStringList{table->item(1, month - 1)->text(), table->item(2, month - 1)->text()};
    };
    QCOMPARE(table->item(0, 0)->text(), QStringLiteral("34.38"));
    QCOMPARE(cells(1), month1);
    QCOMPARE(cells(6), month6);
    QCOMPARE(table->item(1, 0)->toolTip().contains("No height"), height == 0);

    // In the report: month, BMI, weight, change in kg/m², in kg and in percent, WHO class.
    const QString file = m_dir.filePath(QStringLiteral("kilograms-%1.pdf").arg(height));
    QVERIFY(result.dialog.saveReport(file));
    const QString text = pdfText(file);
    const QString first = QStringLiteral("1 34.38 %1 -0.62 %2 -1.8 class I obesity")
                              .arg(month1.at(0), month1.at(1)).simplified();
    const QString last = QStringLiteral("6 31.46 %1 -3.54 %2 -10.1 class I obesity")
                             .arg(month6.at(0), month6.at(1)).simplified();
    QVERIFY2(text.contains(first), qPrintable(first));
    QVERIFY2(text.contains(last), qPrintable(last));
    QCOMPARE(text.contains("not shown in kilograms"), height == 0);
    // No title of the course's columns is cut over two lines ("Mont h"): each word is whole.
    QStringList words;
    for (const PdfPage &page : pdfPages(file))
        for (const auto &word : page.words)
            words << word.first;
    QVERIFY(words.count("Month") >= 2); // the column and the chart's axis
    for (const char *whole : {"BMI", "Weight", "Change", "(kg/m²)", "(kg)", "(%)", "WHO"})
        QVERIFY2(words.contains(QString::fromUtf8(whole)), whole);
}

void TestReport::whoClassesAtTheirBounds_data()
{
    QTest::addColumn<double>("bmi");
    QTest::addColumn<QString>("name");
    QTest::newRow("below the classes") << 18.49 << "underweight";
    QTest::newRow("normal from 18.5") << 18.5 << "normal weight";
    QTest::newRow("shown as 24.99") << 24.994 << "normal weight";
    QTest::newRow("shown as 25.00") << 24.996 << "moderate overweight";
    QTest::newRow("overweight to 29.99") << 29.99 << "moderate overweight";
    QTest::newRow("class I from 30") << 30.0 << "class I obesity";
    QTest::newRow("class II from 35") << 35.0 << "class II obesity";
    QTest::newRow("class II to 39.99") << 39.99 << "class II obesity";
    QTest::newRow("class III from 40")
        << 40.0 << "class III or extreme (massive/morbid) obesity";
}

void TestReport::whoClassesAtTheirBounds()
{
    QFETCH(double, bmi);
    QFETCH(QString, name);
    QCOMPARE(bmiClassName(bmi), name);
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
