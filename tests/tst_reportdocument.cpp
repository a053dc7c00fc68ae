// The report library as every printed page uses it: layout over pages, text breaking,
// the PDF file and the names it proposes.
#include "chartxy.h"
#include "chartxyseriesstyle.h"
#include "pdftools.h"
#include "reportchart.h"
#include "reportdocument.h"
#include "reportpage.h"
#include "reporttable.h"
#include "reporttextlines.h"
#include "reportwriter.h"

#include <QtTest>
#include <QPrinter>
#include <QTemporaryDir>

namespace {

const QString Title = QStringLiteral("Layout check");
// The page's margin in points, as pdftotext measures.
constexpr double MarginPoints = ReportPage::Margin / 10;

QString words(int count, const QString &word = QStringLiteral("lorem"))
{
    QStringList all;
    for (int i = 0; i < count; ++i)
        all << QStringLiteral("%1%2").arg(word).arg(i);
    return all.join(QLatin1Char(' '));
}

ReportTable numbered(int rows, const QString &longCell = QString())
{
    ReportTable table({{QStringLiteral("Row"), 0.2, ReportTable::Number},
                       {QStringLiteral("Text"), 0.8, ReportTable::Text}});
    for (int r = 1; r <= rows; ++r)
        table.addRow({QStringLiteral("r%1").arg(r), r == 1 && !longCell.isEmpty()
                                                        ? longCell
                                                        : QStringLiteral("row text %1").arg(r)});
    return table;
}

} // namespace

class TestReportDocument : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void linesBreakOnlyAtSpaces_data();
    void linesBreakOnlyAtSpaces();
    void everythingStaysOnThePage_data();
    void everythingStaysOnThePage();
    void continuedTableKeepsItsTitlesAndOrder();
    void chartGivesWayToWhatFollows();
    void savedFileIsPrivateAndWhole_data();
    void savedFileIsPrivateAndWhole();
    void proposedNames_data();
    void proposedNames();
    void printerProposesTheDocumentsFolder();

private:
    QTemporaryDir m_dir;
};

void TestReportDocument::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(), "poppler-utils is needed");
}

void TestReportDocument::linesBreakOnlyAtSpaces_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("width"); // in page units, 10 pt text
    QTest::addColumn<QStringList>("lines");
    const QString nbsp(QChar::Nbsp);
    QTest::newRow("fits") << "BMI (kg/m²)" << 2000.0 << QStringList{"BMI (kg/m²)"};
    // Wider than "BMI" but not "BMI (kg/m²)": the unit goes down whole.
    QTest::newRow("unit whole") << "BMI (kg/m²)" << 450.0 << QStringList{"BMI", "(kg/m²)"};
    QTest::newRow("number with its unit") << "height 1.70" + nbsp + "m" << 500.0
                                          << QStringList{"height", "1.70" + nbsp + "m"};
    QTest::newRow("line breaks kept") << "one\ntwo" << 2000.0 << QStringList{"one", "two"};
    QTest::newRow("indent kept") << "   95% CI" << 2000.0 << QStringList{"   95% CI"};
}

void TestReportDocument::linesBreakOnlyAtSpaces()
{
    QFETCH(QString, text);
    QFETCH(double, width);
    QFETCH(QStringList, lines);
    QCOMPARE(reportTextLines(text, ReportPage::font(10), width), lines);
}

void TestReportDocument::everythingStaysOnThePage_data()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("paragraphWords");
    QTest::addColumn<QString>("longCell");
    QTest::addColumn<bool>("largePrint");
    QTest::addColumn<bool>("onePage");
    QTest::newRow("short") << 5 << 20 << QString() << false << true;
    QTest::newRow("many rows") << 150 << 20 << QString() << false << false;
    QTest::newRow("a paragraph of pages") << 0 << 2500 << QString() << false << false;
    QTest::newRow("a cell of pages") << 3 << 0 << words(1400) << false << false;
    QTest::newRow("one word wider than the page") << 2 << 5 << QString(300, QChar('W')) << false
                                                  << true;
    QTest::newRow("large print, many rows") << 80 << 200 << QString() << true << false;
}

// Whatever the parts, every word lies inside the margins, every page has the header and
// its number, and no row or word is left out.
void TestReportDocument::everythingStaysOnThePage()
{
    QFETCH(int, rows);
    QFETCH(int, paragraphWords);
    QFETCH(QString, longCell);
    QFETCH(bool, largePrint);
    QFETCH(bool, onePage);

    ReportDocument document(Title, largePrint ? ReportDocument::largePrint()
                                              : ReportDocument::Style());
    document.addHeaderLine(QStringLiteral("Header line of every page"));
    document.addHeading(QStringLiteral("Opening"));
    if (paragraphWords > 0)
        document.addParagraph(words(paragraphWords));
    if (rows > 0) {
        document.addHeading(QStringLiteral("Rows"));
        document.addTable(numbered(rows, longCell));
    }
    document.addParagraph(QStringLiteral("Closing words."));
    const int pages = document.pageCount();
    QCOMPARE(pages == 1, onePage);

    const QString file = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    QString error;
    QVERIFY2(ReportWriter::savePdf(document, file, &error), qPrintable(error));
    const QList<PdfPage> written = pdfPages(file);
    QCOMPARE(written.size(), pages);
    QString all;
    for (int p = 0; p < written.size(); ++p) {
        const PdfPage &page = written[p];
        const QRectF inside(MarginPoints - 1, MarginPoints - 1,
                            page.size.width() - 2 * MarginPoints + 2,
                            page.size.height() - 2 * MarginPoints + 2);
        for (const auto &[word, box] : page.words)
            QVERIFY2(inside.contains(box), qPrintable(QStringLiteral("page %1: %2 at %3,%4-%5,%6")
                                                          .arg(p + 1).arg(word)
                                                          .arg(box.left()).arg(box.top())
                                                          .arg(box.right()).arg(box.bottom())));
        const QString text = page.text();
        QVERIFY(text.startsWith(Title + " Header line of every page"));
        QVERIFY(text.endsWith(QStringLiteral("Page %1 of %2").arg(p + 1).arg(pages)));
        all += text + QLatin1Char(' ');
    }
    if (paragraphWords > 0)
        QVERIFY(all.contains(QStringLiteral("lorem%1").arg(paragraphWords - 1)));
    for (int r = 1; r <= rows; ++r)
        QVERIFY2(all.contains(QStringLiteral(" r%1 ").arg(r)), qPrintable(QString::number(r)));
    if (longCell.startsWith("lorem"))
        QVERIFY(all.contains("lorem1399"));
    QVERIFY(all.contains("Closing words."));
}

void TestReportDocument::continuedTableKeepsItsTitlesAndOrder()
{
    ReportDocument document(Title);
    document.addTable(numbered(120));
    const QString file = m_dir.filePath("continued.pdf");
    QString error;
    QVERIFY(ReportWriter::savePdf(document, file, &error));
    const QList<PdfPage> pages = pdfPages(file);
    QVERIFY(pages.size() >= 2);
    int last = 0;
    for (const PdfPage &page : pages) {
        const QString text = page.text();
        // The column titles head each page's rows.
        double titles = 0;
        double firstRow = page.size.height();
        for (const auto &[word, box] : page.words) {
            if (word == "Row" || word == "Text")
                titles = std::max(titles, box.bottom());
            else if (word.startsWith('r'))
                firstRow = std::min(firstRow, box.top());
        }
        QVERIFY(titles > 0 && titles < firstRow);
        // The rows go on where the last page stopped.
        const QRegularExpressionMatch first = QRegularExpression("(?<!\\S)r(\\d+)(?!\\S)").match(text);
        QCOMPARE(first.captured(1).toInt(), last + 1);
        const auto rows = QRegularExpression("(?<!\\S)r(\\d+)(?!\\S)").globalMatch(text);
        for (const QRegularExpressionMatch &row : rows)
            last = row.captured(1).toInt();
    }
    QCOMPARE(last, 120);
}

// A chart takes less than its preferred height to keep what follows on the page, but not
// less than its least; past that the rest goes on over the next page.
void TestReportDocument::chartGivesWayToWhatFollows()
{
    ReportChart chart;
    const int course = chart.addSeries(QStringLiteral("Course"), Qt::red,
                                       {{0, 30}, {3, 29}, {6, 28}});
    chart.style(course).setMarker(ChartXYSeriesStyle::Circle);
    chart.update();
    const auto made = [&](int followingWords) {
        ReportDocument document(Title);
        document.addTable(numbered(20));
        document.addChart(chart.chart(), QStringLiteral("BMI"), QStringLiteral("Month"),
                          {300, 120});
        document.addParagraph(words(followingWords));
        return document.pageCount();
    };
    QCOMPARE(made(10), 1);
    QCOMPARE(made(160), 1); // the chart gives up room
    QCOMPARE(made(300), 2); // it cannot give enough

    ReportDocument document(Title);
    document.addChart(chart.chart(), QStringLiteral("BMI"), QStringLiteral("Month"));
    const QString file = m_dir.filePath("chart.pdf");
    QString error;
    QVERIFY(ReportWriter::savePdf(document, file, &error));
    // Vectors: the legend and ticks are text, and the file holds no picture.
    QVERIFY(pdfText(file).contains("Course"));
    QCOMPARE(runTool("pdfimages", {"-list", file}).count('\n'), 2);
}

void TestReportDocument::savedFileIsPrivateAndWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("inTheWay"); // "folder", "file" or "read-only folder"
    QTest::addColumn<bool>("saved");
    QTest::newRow("new file") << "new.pdf" << QString() << true;
    QTest::newRow("over an older file") << "older.pdf" << "file" << true;
    QTest::newRow("missing folder") << "missing/report.pdf" << QString() << false;
    QTest::newRow("a folder of that name") << "taken.pdf" << "folder" << false;
    QTest::newRow("a folder that cannot be written") << "locked/report.pdf" << "read-only folder"
                                                     << false;
}

void TestReportDocument::savedFileIsPrivateAndWhole()
{
    QFETCH(QString, name);
    QFETCH(QString, inTheWay);
    QFETCH(bool, saved);
    QTemporaryDir dir;
    const QString file = dir.filePath(name);
    const QByteArray older("older contents");
    if (inTheWay == "folder") {
        QVERIFY(QDir(dir.path()).mkdir(name));
    } else if (inTheWay == "file") {
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(older);
    } else if (inTheWay == "read-only folder") {
        QVERIFY(QDir(dir.path()).mkdir("locked"));
        QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::ExeOwner);
        if (QFileInfo(dir.filePath("locked")).isWritable())
            QSKIP("running as a user who writes anywhere");
    }
    const auto entries = [&] {
        QStringList all;
        QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            all << it.next();
        all.sort();
        return all;
    };
    const QStringList before = entries();

    ReportDocument document(Title);
    document.addParagraph(QStringLiteral("Private words."));
    QString error;
    QCOMPARE(ReportWriter::savePdf(document, file, &error), saved);
    if (saved) {
        QVERIFY(pdfText(file).contains("Private words."));
        const QFile::Permissions all = QFile::permissions(file);
        QCOMPARE(all & ~(QFile::ReadUser | QFile::WriteUser),
                 QFile::ReadOwner | QFile::WriteOwner);
        QStringList expected = before;
        if (!expected.contains(file))
            expected << file;
        expected.sort();
        QCOMPARE(entries(), expected);
    } else {
        QVERIFY(!error.isEmpty());
        QCOMPARE(entries(), before);
    }
    QFile::setPermissions(dir.filePath("locked"), QFile::ReadOwner | QFile::WriteOwner
                                                      | QFile::ExeOwner);
}

void TestReportDocument::proposedNames_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::newRow("case") << "AB-101" << "follow-up" << "AB-101-2026-12-09-follow-up.pdf";
    QTest::newRow("no case") << "" << "handout" << "telma-2026-12-09-handout.pdf";
    QTest::newRow("no kind") << "AB-101" << "" << "AB-101-2026-12-09.pdf";
    QTest::newRow("no folder from the code") << "../x/y" << "handout"
                                             << "..-x-y-2026-12-09-handout.pdf";
    QTest::newRow("spaces around") << " K 7 " << "" << "K 7-2026-12-09.pdf";
}

void TestReportDocument::proposedNames()
{
    QFETCH(QString, code);
    QFETCH(QString, kind);
    QFETCH(QString, name);
    const QFileInfo proposed(ReportWriter::defaultFileName(code, QDate(2026, 12, 9), kind));
    QCOMPARE(proposed.fileName(), name);
    QCOMPARE(proposed.absolutePath(),
             QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

// Printing to a file starts where Save PDF… does, and the printer stays the system's.
void TestReportDocument::printerProposesTheDocumentsFolder()
{
    QPrinter printer(QPrinter::HighResolution);
    const QPrinter::OutputFormat format = printer.outputFormat();
    const QString proposed = ReportWriter::defaultFileName("AB-101", QDate(2026, 12, 9), "");
    ReportWriter::preparePrinter(printer, proposed);
    QCOMPARE(printer.outputFileName(), proposed);
    QCOMPARE(printer.outputFormat(), format);
    QCOMPARE(printer.pageLayout().pageSize().id(), QPageSize::A4);
}

QTEST_MAIN(TestReportDocument)
#include "tst_reportdocument.moc"
