// The handout as the person reads it: one page, large print, plain words, kilograms when
// the height is known; and the buttons that make it.
#include "chartxy.h"
#include "followupcase.h"
#include "graph.h"
#include "handoutaction.h"
#include "handoutreport.h"
#include "modaldriver.h"
#include "pdftools.h"
#include "reportwriter.h"
#include "simulationrecord.h"

#include <QtTest>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

const QDate madeOn(2026, 12, 9);
const PredictorValues typicalPerson{3, 3, 3, 21, 39, 28, 70, 35};
// A course far beyond what treatment aims for, ending underweight.
const PredictorValues implausible{1.5, 1.5, 2, 15, 20, 5, 40, 45};

// Words of the clinician's pages that the person's page must not use.
const QStringList forbidden = {
    "predictor", "calibration", "R²", "kg/m²", "formula", "coefficient", "regression",
    "statistic", "confidence", "interval", "deviation", "questionnaire", "score", "scale",
    "DEBQ", "MPS", "TAS", "restrained", "emotional eating", "alexithymia", "perfectionism",
    "WHO class", "obesity", "exp(", "rate"};

SimulationRecord simulation(const PredictorValues &values, std::optional<double> height,
                            const QString &code = QString())
{
    SimulationRecord record;
    record.time = QDateTime(madeOn, QTime(10, 0));
    record.predictors = values;
    record.course = predictBmiCourse(values);
    record.hasCourse = record.hasPredictors = true;
    record.heightMetres = height;
    record.caseCode = code;
    return record;
}

Visit visitOn(const QDate &date, double bmi, std::optional<double> weight = std::nullopt)
{
    Visit visit;
    visit.date = date;
    visit.bmi = bmi;
    visit.weightKg = weight;
    return visit;
}

FollowUpCase followUp(const PredictorValues &values, std::optional<double> height, int visits)
{
    FollowUpCase c;
    c.code = QStringLiteral("AB-101");
    c.baseline = QDate(2026, 6, 1);
    c.heightM = height;
    c.predictors = values;
    for (int v = 0; v < visits; ++v)
        c.visits << visitOn(c.baseline.addDays(14 * (v + 1)), values[7] - 0.3 * (v + 1));
    return c;
}

// Answers the next message box, once one shows, with button, and keeps its text.
void answerNextBox(QMessageBox::StandardButton button, QString *text, int attempt = 0)
{
    QTimer::singleShot(10, [=] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            *text = box->text();
            box->button(button)->click();
        } else if (attempt < 500) {
            answerNextBox(button, text, attempt + 1);
        }
    });
}

QString flat(const QString &text)
{
    return QString(text).replace(QChar(0xFB01), "fi").replace(QChar(0xFB02), "fl");
}

} // namespace

class TestHandout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void onePageInPlainWords_data();
    void onePageInPlainWords();
    void kilogramsFromTheHeight();
    void resultDialogButtonSavesTheHandout();

private:
    QTemporaryDir m_dir;
};

void TestHandout::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QVERIFY2(!QStandardPaths::findExecutable("pdftotext").isEmpty(), "poppler-utils is needed");
}

void TestHandout::onePageInPlainWords_data()
{
    QTest::addColumn<bool>("fromFollowUp");
    QTest::addColumn<bool>("plausible");
    QTest::addColumn<bool>("height");
    QTest::addColumn<int>("visits");
    QTest::newRow("result, height") << false << true << true << 0;
    QTest::newRow("result, no height") << false << true << false << 0;
    QTest::newRow("result, cautions") << false << false << true << 0;
    QTest::newRow("follow-up, no visits") << true << true << true << 0;
    QTest::newRow("follow-up, visits") << true << true << true << 3;
    QTest::newRow("follow-up, many visits, cautions") << true << false << true << 12;
    QTest::newRow("follow-up, no height") << true << true << false << 4;
}

void TestHandout::onePageInPlainWords()
{
    QFETCH(bool, fromFollowUp);
    QFETCH(bool, plausible);
    QFETCH(bool, height);
    QFETCH(int, visits);
    const PredictorValues &values = plausible ? typicalPerson : implausible;
    const std::optional<double> metres = height ? std::optional<double>(1.7) : std::nullopt;
    const std::unique_ptr<HandoutReport> handout =
        fromFollowUp ? std::make_unique<HandoutReport>(followUp(values, metres, visits), madeOn)
                     : std::make_unique<HandoutReport>(simulation(values, metres), madeOn);
    const QString file = m_dir.filePath(QStringLiteral("%1.pdf").arg(QTest::currentDataTag()));
    QString error;
    QVERIFY2(ReportWriter::savePdf(handout->document(), file, &error), qPrintable(error));

    const QList<PdfPage> pages = pdfPages(file);
    QCOMPARE(pages.size(), 1);
    const QString text = flat(pages.first().text());
    for (const QString &term : forbidden)
        QVERIFY2(!text.contains(term, Qt::CaseInsensitive), qPrintable(term + ": " + text));
    for (const char *phrase : {"an estimate", "not a promise", "talk them over with your clinician"})
        QVERIFY2(text.contains(phrase), phrase);
    QVERIFY(text.startsWith("Your expected course 2026-12-09"));
    QCOMPARE(text.contains("case AB-101"), fromFollowUp);
    QCOMPARE(text.contains("Weight (kg)"), height);
    QCOMPARE(text.contains("BMI (body mass index) is your weight in kilograms"), !height);
    QCOMPARE(text.contains("Please note"), !plausible);
    QCOMPARE(text.contains("Your visits so far"), fromFollowUp);
    if (visits > 0)
        QVERIFY(text.contains(height ? "Since the start you have lost" : "your BMI has gone down"));
    if (visits > HandoutReport::ListedVisits)
        QVERIFY(text.contains(QStringLiteral("Your %1 earlier visits are in your clinician's records")
                                  .arg(visits - HandoutReport::ListedVisits)));
    // Large print throughout: a word's box is about 1.16 times its size in points.
    for (const auto &[word, box] : pages.first().words)
        QVERIFY2(box.height() >= 12 * 1.15, qPrintable(QStringLiteral("%1: %2").arg(word).arg(box.height())));
}

// 35 at 1.70 m is 101.15 kg, shown as 101.1; the expected months and the visits in kilograms alike.
void TestHandout::kilogramsFromTheHeight()
{
    FollowUpCase c = followUp(typicalPerson, 1.7, 0);
    c.visits = {visitOn(QDate(2026, 7, 1), 34.1), visitOn(QDate(2026, 8, 1), 33.05, 95.52)};
    const HandoutReport handout(c, madeOn);
    const QString file = m_dir.filePath("kilograms.pdf");
    QString error;
    QVERIFY(ReportWriter::savePdf(handout.document(), file, &error));
    const QString text = pdfText(file);
    // Month 1 to 6 at 34.38, 33.78, 33.18, 32.60, 32.02, 31.46 (tst_report).
    QVERIFY2(text.contains("Weight (kg) 101.1 99.4 97.6 95.9 94.2 92.5 90.9"), qPrintable(text));
    QVERIFY(text.contains("BMI 35.0 34.4 33.8 33.2 32.6 32.0 31.5"));
    // 34.1 at 1.70 m is 98.5 kg; the typed weight is the one shown, and 5.63 kg lost.
    QVERIFY(text.contains("2026-07-01 98.5"));
    QVERIFY(text.contains("2026-08-01 95.5"));
    QVERIFY(text.contains("Since the start you have lost 5.6 kg."));
}

void TestHandout::resultDialogButtonSavesTheHandout()
{
    graph dialog;
    BmiCourse course = predictBmiCourse(typicalPerson);
    dialog.prepareview(course.data());
    dialog.setPredictors(typicalPerson, PredictorSources(), QDateTime(madeOn, QTime(9, 0)));
    dialog.setCaseCode("AB-101");
    addHandoutButton(dialog);
    auto *button = dialog.findChild<QPushButton *>("handoutButton");
    QVERIFY(button);
    QVERIFY(button->isEnabled());

    const QString target = m_dir.filePath("from-the-dialog.pdf");
    QString proposed;
    QString question;
    bool saved = false;
    answerNextBox(QMessageBox::No, &question);
    onNextModal([&](QWidget *modal) {
        auto *files = qobject_cast<QFileDialog *>(modal);
        if (!files) {
            modal->close();
            return;
        }
        proposed = files->selectedFiles().value(0);
        auto *name = files->findChild<QLineEdit *>("fileNameEdit");
        name->clear();
        QTest::keyClicks(name, target);
        // Qt's own dialog takes the typed name; its completer keeps Return for itself.
        files->selectFile(name->text());
        static_cast<QDialog *>(files)->accept();
    }, &saved);
    button->click();
    QVERIFY(saved);
    // The handout from the dialog is made today, whenever its simulation was made.
    QCOMPARE(QFileInfo(proposed).fileName(),
             QStringLiteral("AB-101-%1-handout.pdf").arg(QDate::currentDate().toString(Qt::ISODate)));
    QVERIFY2(question.contains("Print it as well?"), qPrintable(question));
    QVERIFY(pdfText(target).contains("case AB-101"));
    QCOMPARE(QFile::permissions(target) & (QFile::ReadGroup | QFile::ReadOther), QFile::Permissions());
}

QTEST_MAIN(TestHandout)
#include "tst_handout.moc"
