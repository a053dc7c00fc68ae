#include "chartxy.h"
#include "followupchart.h"
#include "followupchartmodel.h"
#include "followupreport.h"
#include "followuptablemodel.h"
#include "pdftools.h"

#include <QtTest>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

const QDate madeOn(2026, 12, 8);

Visit visitOn(const QString &date, double bmi, std::optional<double> weight = std::nullopt)
{
    Visit visit;
    visit.date = QDate::fromString(date, Qt::ISODate);
    visit.bmi = bmi;
    visit.weightKg = weight;
    return visit;
}

FollowUpCase typicalCase(const QList<Visit> &visits)
{
    FollowUpCase followUp;
    followUp.code = QStringLiteral("K-17 “Ü”");
    followUp.baseline = QDate(2026, 1, 10);
    followUp.heightM = 1.7;
    followUp.predictors = {3, 3, 3, 21, 39, 28, 70, 35};
    followUp.sources[0] = QStringLiteral("DEBQ, “Restrained eating” scale");
    followUp.sources[6] = QStringLiteral("TAS-26");
    followUp.modelVersion = QStringLiteral("1.0.0");
    followUp.visits = visits;
    return followUp;
}

// A report as the case book makes it: the table and the chart of one case.
struct Report {
    explicit Report(const FollowUpCase &followUp)
    {
        table.setFollowUp(followUp);
        chartData.setFollowUp(followUp);
        showFollowUpChart(&chart, &chartData);
    }
    FollowUpReport report() const { return FollowUpReport(table, chart, madeOn); }

    FollowUpTableModel table;
    FollowUpChartModel chartData;
    ChartXY chart;
};

QList<Visit> manyVisits(int count)
{
    QList<Visit> visits;
    for (int i = 0; i < count; ++i)
        visits << visitOn(QDate(2026, 1, 17).addDays(7 * i).toString(Qt::ISODate), 35 - i * 0.1);
    return visits;
}

} // namespace

class TestFollowUpReport : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void pdfHoldsCaseInputsVisitsAndStatement();
    void printedPageIsTheSameReport();
    void everyVisitIsListed_data();
    void everyVisitIsListed();
    void cautionsAsInTheResultDialog();
    void notesListedAndUnitsKeptWhole_data();
    void notesListedAndUnitsKeptWhole();
    void unwritablePlaceLeavesNothing_data();
    void unwritablePlaceLeavesNothing();

private:
    QTemporaryDir m_dir;
};

void TestFollowUpReport::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(), "poppler-utils is needed");
}

void TestFollowUpReport::pdfHoldsCaseInputsVisitsAndStatement()
{
    Report made(typicalCase({visitOn("2026-02-10", 34.1), visitOn("2026-03-12", 95 / 2.89, 95),
                             visitOn("2026-07-12", 30.0)}));
    const QString file = m_dir.filePath("follow-up.pdf");
    QString error;
    QVERIFY2(made.report().savePdf(file, &error), qPrintable(error));
    QCOMPARE(pageCount(file), 1);
    const QFile::Permissions others = QFile::ReadGroup | QFile::WriteGroup | QFile::ExeGroup
        | QFile::ReadOther | QFile::WriteOther | QFile::ExeOther;
    QCOMPARE(QFile::permissions(file) & (others | QFile::ReadOwner), QFile::ReadOwner);
    const QString text = pdfText(file);
    const QStringList expected = {
        "Case K-17 “Ü” · baseline 2026-01-10 · height 1.70 m",
        "predicted with model TELMA 1.0.0", "Report made on 2026-12-08 with model TELMA",
        "Restrained eating 3 DEBQ, “Restrained eating” scale", "Emotional eating 3 typed",
        "Alexithymia 70 TAS-26", "Initial BMI (kg/m²) 35 typed",
        // Date, month, observed, weight, predicted, differences (worked out in tst_followup).
        "2026-02-10 1.0 34.10 98.5 34.37 -0.27 -0.8 -0.8",
        // 95 kg at 1.70 m.
        "2026-03-12 2.0 32.87 95.0 33.77 -0.90 -2.6 -2.7",
        // The predicted course month by month, 35 · exp(−0.0177882 · k) and × 2.89.
        "BMI (kg/m²) 34.38 33.78 33.18 32.60 32.02 31.46",
        "Weight (kg) 99.4 97.6 95.9 94.2 92.5 90.9",
        "supports clinical judgement and does not replace it"};
    for (const QString &line : expected)
        QVERIFY2(text.contains(line), qPrintable(line));
    // Past month 6 only what was observed.
    QVERIFY(text.contains(QRegularExpression("2026-07-12 6.0 30.00 86.7 (?!\\d)")));
    // The legend names both series.
    QVERIFY(text.contains("Predicted") && text.contains("Observed"));
    // The chart's tick labels are text on the page: it is drawn as vectors.
    QCOMPARE(runTool("pdfimages", {"-list", file}).count('\n'), 2);
}

void TestFollowUpReport::printedPageIsTheSameReport()
{
    Report made(typicalCase({visitOn("2026-02-10", 34.1)}));
    const QString saved = m_dir.filePath("saved.pdf");
    const QString printed = m_dir.filePath("printed.pdf");
    QString error;
    QVERIFY(made.report().savePdf(saved, &error));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(printed);
    FollowUpReport::preparePage(printer);
    QVERIFY(made.report().paint(printer));
    QCOMPARE(pdfText(printed), pdfText(saved));
    QVERIFY(runTool("pdfinfo", {printed}).contains("A4"));
}

void TestFollowUpReport::everyVisitIsListed_data()
{
    QTest::addColumn<int>("visits");
    QTest::addColumn<bool>("onePage");
    QTest::newRow("none") << 0 << true;
    // Twenty weeks fit on one page with the predicted course under the visits.
    QTest::newRow("twenty weeks") << 20 << true;
    QTest::newRow("a year weekly, half") << 24 << false;
    QTest::newRow("a year weekly") << 52 << false;
    QTest::newRow("two years weekly") << 104 << false;
}

// However many visits, each is on a page, and each page carries the case and its number;
// the statement closes the last page.
void TestFollowUpReport::everyVisitIsListed()
{
    QFETCH(int, visits);
    QFETCH(bool, onePage);
    Report made(typicalCase(manyVisits(visits)));
    const QString file = m_dir.filePath(QStringLiteral("visits-%1.pdf").arg(visits));
    QString error;
    QVERIFY(made.report().savePdf(file, &error));
    const QList<PdfPage> pages = pdfPages(file);
    QCOMPARE(pages.size() == 1, onePage);
    QString all;
    for (int p = 0; p < pages.size(); ++p) {
        const QString text = pages[p].text();
        QVERIFY(text.contains("Case K-17 “Ü” · baseline 2026-01-10"));
        QVERIFY(text.endsWith(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages.size())));
        all += text;
    }
    QVERIFY(pages.last().text().contains("does not replace it"));
    QCOMPARE(all.contains("No visits yet."), visits == 0);
    for (const Visit &visit : manyVisits(visits))
        QVERIFY2(all.contains(visit.date.toString(Qt::ISODate)), qPrintable(visit.date.toString()));
    QVERIFY(!all.contains("do not fit"));
}

void TestFollowUpReport::notesListedAndUnitsKeptWhole_data()
{
    QTest::addColumn<bool>("withRange");
    QTest::addColumn<bool>("withHeight");
    QTest::newRow("plain") << false << true;
    // The clinic's range adds two columns and narrows the others.
    QTest::newRow("with the clinic range") << true << true;
    QTest::newRow("no height") << false << false;
}

void TestFollowUpReport::notesListedAndUnitsKeptWhole()
{
    QFETCH(bool, withRange);
    QFETCH(bool, withHeight);
    Visit noted = visitOn("2026-03-12", 95 / 2.89, 95);
    noted.note = QStringLiteral("weighed at home");
    FollowUpCase followUp = typicalCase({visitOn("2026-02-10", 34.1), noted});
    if (!withHeight)
        followUp.heightM.reset();
    if (withRange) {
        Calibration calibration;
        for (CalibrationMonth &month : calibration.months) {
            month.n = 30;
            month.low = -1.0;
            month.high = 1.0;
        }
        followUp.calibration = calibration;
    }
    Report made(followUp);
    const QString file = m_dir.filePath(QStringLiteral("units-%1-%2.pdf").arg(withRange).arg(withHeight));
    QString error;
    QVERIFY2(made.report().savePdf(file, &error), qPrintable(error));
    const QString text = pdfText(file);
    QVERIFY2(text.contains("2026-03-12: weighed at home"), qPrintable(text));
    QVERIFY(text.contains("(kg/m²)"));
    // No title's word or unit is cut over two lines, as "(kg/ m²)" or "Mont h" would be.
    QStringList words;
    for (const PdfPage &page : pdfPages(file))
        for (const auto &word : page.words)
            words << word.first;
    for (const char *whole : {"Date", "Month", "Observed", "Weight", "Predicted", "(kg/m²)",
                              "(kg)", "(%)"})
        QVERIFY2(words.contains(QString::fromUtf8(whole)), whole);
    QVERIFY2(!text.contains(QRegularExpression("\\((kg|%)(?!/m²\\)|\\))")), qPrintable(text));
    QCOMPARE(text.contains("Weight (kg) 99.4 97.6"), withHeight);
    QCOMPARE(text.contains("cannot be given in kilograms"), !withHeight);
}

void TestFollowUpReport::cautionsAsInTheResultDialog()
{
    FollowUpCase implausible = typicalCase({});
    implausible.predictors = {1.5, 1.5, 2, 15, 20, 5, 40, 45};
    const QString file = m_dir.filePath("caution.pdf");
    QString error;
    QVERIFY(Report(implausible).report().savePdf(file, &error));
    QCOMPARE(pageCount(file), 1);
    const QString text = pdfText(file);
    QVERIFY2(text.contains("far beyond the about 10 %"), qPrintable(text));
    QVERIFY(text.contains("below 18.5"));
    QVERIFY(Report(typicalCase({})).report().savePdf(file, &error));
    QVERIFY(!pdfText(file).contains("far beyond"));
}

void TestFollowUpReport::unwritablePlaceLeavesNothing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("folderInTheWay");
    QTest::newRow("missing folder") << "no-such-folder/report.pdf" << QString();
    QTest::newRow("a folder of that name") << "taken.pdf" << "taken.pdf";
}

void TestFollowUpReport::unwritablePlaceLeavesNothing()
{
    QFETCH(QString, name);
    QFETCH(QString, folderInTheWay);
    QTemporaryDir dir;
    if (!folderInTheWay.isEmpty())
        QVERIFY(QDir(dir.path()).mkdir(folderInTheWay));
    const QStringList before = QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden
                                                          | QDir::NoDotAndDotDot);
    Report made(typicalCase({}));
    QString error;
    QVERIFY(!made.report().savePdf(dir.filePath(name), &error));
    QVERIFY(!error.isEmpty());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             before);
}

QTEST_MAIN(TestFollowUpReport)
#include "tst_followupreport.moc"
