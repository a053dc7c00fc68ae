// The calibration as a clinician makes and drops it from the case book, with a real case
// book behind it: the dialog's figures, the question before use, the range in the visits'
// table and the case list, the hint without one; and the result dialog's band and report.
#include "calibrationbuilder.h"
#include "calibrationstore.h"
#include "casebookdialog.h"
#include "caselistmodel.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "chartxy.h"
#include "graph.h"
#include "modaldriver.h"
#include "pdftools.h"
#include "visitstore.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QtTest>

namespace {

// The column with this title, found by its header as a reader finds it; -1 when none has it.
int columnTitled(const QAbstractItemModel *model, const QString &title)
{
    for (int c = 0; c < model->columnCount(); ++c)
        if (model->headerData(c, Qt::Horizontal).toString() == title)
            return c;
    return -1;
}

// Whether the visits' table shows the clinic's range and the word for it.
bool showsRange(const QAbstractItemModel *model)
{
    return columnTitled(model, QStringLiteral("Clinic range (kg/m²)")) >= 0
        && columnTitled(model, QStringLiteral("Course")) >= 0;
}

// people cases, each seen a month after the baseline at its prediction, alternately 0.3 above
// and 0.1 below it: an error of mean 0.1 and sd 0.2 · √(20 / 19) for twenty of them.
void addFollowedPeople(CaseStore &store, int people)
{
    VisitStore visits(store);
    for (int i = 0; i < people; ++i) {
        CaseRecord record = sampleCase(QStringLiteral("P-%1").arg(i, 2, 10, QLatin1Char('0')), i);
        record.baselineDate = QDate::currentDate().addDays(-60);
        QVERIFY(store.addCase(&record));
        Visit visit;
        visit.date = record.baselineDate.addDays(30);
        // Against the prediction of month 1, as the calibration sets it.
        visit.bmi = predictBmiCourse(record.predictors)[0] + (i % 2 ? 0.3 : -0.1);
        QVERIFY(visits.addVisit(record.id, &visit));
    }
}

QPushButton *button(QWidget *parent, const char *name)
{
    auto *found = parent->findChild<QPushButton *>(QLatin1String(name));
    if (!found)
        qWarning("no button %s", name);
    return found;
}

} // namespace

class TestCalibrationView : public QObject
{
    Q_OBJECT

private slots:
    void makeFromTheBookAndUseNone_data();
    void makeFromTheBookAndUseNone();
    void resultDialogDrawsTheBand();
};

void TestCalibrationView::makeFromTheBookAndUseNone_data()
{
    QTest::addColumn<int>("people");
    QTest::addColumn<bool>("putInUse");
    QTest::newRow("20 people, put in use") << 20 << true;
    QTest::newRow("20 people, cancelled") << 20 << false;
    QTest::newRow("19 people: no range") << 19 << false;
}

void TestCalibrationView::makeFromTheBookAndUseNone()
{
    QFETCH(int, people);
    QFETCH(bool, putInUse);
    CaseStore store;
    QVERIFY(store.open(freshCaseBook()));
    addFollowedPeople(store, people);
    CaseBookDialog book(store);
    book.show();
    QVERIFY(QTest::qWaitForWindowExposed(&book));
    auto *list = book.findChild<QTableView *>("caseList");
    auto *visits = book.findChild<QTableView *>("observationTable");
    auto *hint = book.findChild<QLabel *>("calibrationHintLabel");
    list->selectRow(0);
    QVERIFY(!showsRange(visits->model()));
    QVERIFY(hint->isVisible());

    bool opened = false, asked = false, refused = false;
    QString summary;
    onNextModal([&](QWidget *dialog) {
        QCOMPARE(dialog->objectName(), QStringLiteral("calibrationDialog"));
        onNextModal([&](QWidget *modal) {
            if (auto *box = qobject_cast<QMessageBox *>(modal)) {
                refused = box->text().contains(QStringLiteral("no range"));
                box->accept();
                return;
            }
            asked = modal->objectName() == QLatin1String("newCalibrationDialog");
            // The figures shown before anything is stored.
            auto *figures = modal->findChild<QTableWidget *>();
            QCOMPARE(figures->item(0, 1)->text(), QString::number(people));
            QCOMPARE(figures->item(0, 2)->text(), QStringLiteral("0.10"));
            QCOMPARE(figures->item(0, 3)->text(), QStringLiteral("0.21"));
            if (putInUse)
                button(modal, "useCalibrationButton")->click();
            else
                qobject_cast<QDialog *>(modal)->reject();
        });
        QTest::mouseClick(button(dialog, "calibrateFromBookButton"), Qt::LeftButton);
        summary = dialog->findChild<QLabel *>("calibrationSummaryLabel")->text();
        qobject_cast<QDialog *>(dialog)->reject();
    }, &opened);
    QTest::mouseClick(button(&book, "calibrationButton"), Qt::LeftButton);
    QVERIFY(opened);
    QCOMPARE(asked, people >= CalibrationBuilder::MinimumPeople);
    QCOMPARE(refused, people < CalibrationBuilder::MinimumPeople);
    std::optional<Calibration> inUse;
    QVERIFY(CalibrationStore(store).inUse(&inUse));
    QCOMPARE(inUse.has_value(), putInUse);
    if (!putInUse) {
        QVERIFY(!showsRange(visits->model()));
        QVERIFY(hint->isVisible());
        return;
    }
    QVERIFY2(summary.contains(QStringLiteral("%1 people").arg(people)), qPrintable(summary));

    // The selected case's visit now has the range and the word, and so has the list.
    QVERIFY(!hint->isVisible());
    QCOMPARE(list->selectionModel()->selectedRows().size(), 1);
    QVERIFY(showsRange(visits->model()));
    const QString range = visits->model()
                              ->index(0, columnTitled(visits->model(), QStringLiteral("Clinic range (kg/m²)")))
                              .data().toString();
    QVERIFY2(range.contains(QChar(0x2013)), qPrintable(range));
    QCOMPARE(visits->model()->index(0, columnTitled(visits->model(), QStringLiteral("Course"))).data().toString(),
             QStringLiteral("as expected"));
    QCOMPARE(list->model()->index(0, CaseListModel::LastCourseColumn).data().toString(),
             QStringLiteral("● as expected"));

    // "Use none": asked first, then no range anywhere.
    onNextModal([&](QWidget *dialog) {
        onNextModal([&](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            QVERIFY(box);
            box->button(QMessageBox::Yes)->click();
        });
        QTest::mouseClick(button(dialog, "dropCalibrationButton"), Qt::LeftButton);
        QVERIFY(!button(dialog, "dropCalibrationButton")->isEnabled());
        qobject_cast<QDialog *>(dialog)->reject();
    }, &opened);
    QTest::mouseClick(button(&book, "calibrationButton"), Qt::LeftButton);
    QVERIFY(opened);
    QVERIFY(CalibrationStore(store).inUse(&inUse) && !inUse);
    QVERIFY(!showsRange(visits->model()));
    QCOMPARE(list->model()->columnCount(), int(CaseListModel::LastCourseColumn));
    QVERIFY(hint->isVisible());
}

// The band joins the result dialog's chart without touching the red line, and the report
// names its source.
void TestCalibrationView::resultDialogDrawsTheBand()
{
    Calibration calibration;
    for (int k = 1; k <= CourseMonths; ++k) {
        calibration.months[k - 1] = {148, 0.2, 0.5, -0.8, 1.2};
    }
    calibration.people = 148;
    calibration.modelVersion = QStringLiteral("1.0.0");
    calibration.madeAt = QDateTime(QDate(2026, 12, 1), QTime(10, 0));
    const PredictorValues person{3, 3, 3, 21, 39, 28, 70, 35};
    BmiCourse course = predictBmiCourse(person);

    graph plain, banded;
    for (graph *result : {&plain, &banded}) {
        result->prepareview(course.data());
        result->setPredictors(person, {});
        result->resize(640, 480);
    }
    banded.setCalibration(calibration);
    auto *chart = banded.findChild<ChartXY *>();
    QCOMPARE(chart->model()->columnCount(), 5);
    QCOMPARE(chart->model()->index(2, 2).data().toDouble(), course[2] - 0.8);
    QCOMPARE(chart->model()->index(2, 3).data().toDouble(), course[2] + 1.2);
    QCOMPARE(chart->model()->index(2, 4).data().toDouble(), course[2] + 0.2);
    QCOMPARE(plain.findChild<ChartXY *>()->model()->columnCount(), 2);

    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("result.pdf"));
    QVERIFY(banded.saveReport(file));
    const QString text = pdfText(file);
    QVERIFY2(text.contains(QStringLiteral("Clinic range: 95 % of this clinic's outcomes, calibration of "
                                          "2026-12-01 from 148 people, model TELMA 1.0.0")),
             qPrintable(text));
    QVERIFY(text.contains(QStringLiteral("Clinic average")));
    const QString plainFile = dir.filePath(QStringLiteral("plain.pdf"));
    QVERIFY(plain.saveReport(plainFile));
    QVERIFY(!pdfText(plainFile).contains(QStringLiteral("Clinic")));
}

QTEST_MAIN(TestCalibrationView)
#include "tst_calibrationview.moc"
