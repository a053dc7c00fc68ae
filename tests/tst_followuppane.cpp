// The follow-up pane as a clinician drives it: visits typed into the dialog, asked about,
// corrected and deleted, with a real case book behind it.
#include "casebookdialog.h"
#include "caselistmodel.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "chartxy.h"
#include "datefield.h"
#include "followuppane.h"
#include "modaldriver.h"
#include "pdftools.h"
#include "visitstore.h"

#include <QCalendarWidget>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What to type into the visit dialog; an empty text leaves the field as it is.
struct Typed {
    QDate date;
    QString bmi;
    QString weight;
    QString height;
    QString note;
};

void fill(QWidget *dialog, const Typed &typed)
{
    if (typed.date.isValid()) {
        auto *date = dialog->findChild<QLineEdit *>("observationDateEdit");
        date->clear();
        QTest::keyClicks(date, typed.date.toString(Qt::ISODate));
    }
    const QPair<const char *, QString> edits[] = {{"observationWeightEdit", typed.weight},
                                                  {"observationHeightEdit", typed.height},
                                                  {"observationBmiEdit", typed.bmi},
                                                  {"observationNoteEdit", typed.note}};
    for (const auto &edit : edits) {
        if (!edit.second.isNull())
            dialog->findChild<QLineEdit *>(edit.first)->setText(edit.second);
    }
}

// Answers the next message box with the button whose text is given, and keeps its text.
void answerBox(const QString &button, QString *text)
{
    onNextModal([=](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box)
            return;
        *text = box->text();
        for (QAbstractButton *b : box->buttons()) {
            if (b->text() == button)
                b->click();
        }
    });
}

} // namespace

class TestFollowUpPane : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void visitTypedAppearsInTableAndChart();
    void visitByWeightStoresTheHeightOnce();
    void refusedValueKeepsTheDialogOpen_data();
    void refusedValueKeepsTheDialogOpen();
    void sameDateAsksAndBothAnswersAreKept_data();
    void sameDateAsksAndBothAnswersAreKept();
    void correctionAndDeletion();
    void typedDateIsKeptOrRefused_data();
    void typedDateIsKeptOrRefused();
    void calendarOffersOnlyTheAcceptedRange();
    void caseBookShowsTheSelectedFollowUp();
    void handoutSavedFromThePane();

private:
    // Opens the dialog with the button, fills it and presses Return in the field named.
    void typeVisit(const char *button, const Typed &typed, const char *returnIn,
                   bool *dialogSeen = nullptr);
    QStringList row(int r) const;

    QString m_location;
    CaseStore *m_store = nullptr;
    FollowUpPane *m_pane = nullptr;
    CaseRecord m_case;
};

void TestFollowUpPane::init()
{
    m_location = freshCaseBook();
    m_store = new CaseStore;
    QVERIFY(m_store->open(m_location));
    m_case = sampleCase(QStringLiteral("P-1"));
    m_case.baselineDate = QDate::currentDate().addDays(-90);
    m_case.heightMetres.reset();
    QVERIFY(m_store->addCase(&m_case));
    m_pane = new FollowUpPane(m_store);
    m_pane->resize(700, 600);
    m_pane->show();
    QVERIFY(m_pane->showCase(m_case.id));
}

void TestFollowUpPane::cleanup()
{
    delete m_pane;
    delete m_store;
}

void TestFollowUpPane::typeVisit(const char *button, const Typed &typed, const char *returnIn,
                                 bool *dialogSeen)
{
    const QString field = QString::fromLatin1(returnIn);
    onNextModal([=](QWidget *dialog) {
        fill(dialog, typed);
        QPointer<QWidget> open(dialog);
        // A refused value shows a message and leaves the dialog open: give up on both.
        QTimer::singleShot(50, [open] {
            if (!open || !open->isVisible())
                return;
            if (QWidget *box = QApplication::activeModalWidget(); box && box != open)
                box->close();
            QTimer::singleShot(0, [open] {
                if (open && open->isVisible())
                    qobject_cast<QDialog *>(open)->done(QDialog::Rejected);
            });
        });
        QWidget *target = dialog->findChild<QWidget *>(field);
        target->setFocus();
        QTest::keyClick(target, Qt::Key_Return);
    }, dialogSeen);
    m_pane->findChild<QPushButton *>(button)->click();
}

QStringList TestFollowUpPane::row(int r) const
{
    auto *table = m_pane->findChild<QTableView *>("observationTable");
    QStringList cells;
    for (int c = 0; c < table->model()->columnCount(); ++c)
        cells << table->model()->index(r, c).data().toString();
    return cells;
}

void TestFollowUpPane::visitTypedAppearsInTableAndChart()
{
    const QDate date = m_case.baselineDate.addDays(61);
    bool seen = false;
    typeVisit("addObservationButton", {date, "33.5", "", "", "fine"}, "observationNoteEdit",
              &seen);
    QVERIFY(seen);
    auto *table = m_pane->findChild<QTableView *>("observationTable");
    QCOMPARE(table->model()->rowCount(), 1);
    QCOMPARE(row(0).mid(0, 3), QStringList({date.toString(Qt::ISODate), "2.0", "33.50"}));
    // The chart holds the visit among the points of the course.
    const QAbstractItemModel *chart = m_pane->findChild<ChartXY *>("caseChart")->model();
    int observed = 0;
    for (int r = 0; r < chart->rowCount(); ++r)
        observed += chart->index(r, 2).data().isValid();
    QCOMPARE(observed, 1);
    QCOMPARE(chart->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Predicted"));
    QCOMPARE(chart->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Observed"));
}

void TestFollowUpPane::visitByWeightStoresTheHeightOnce()
{
    typeVisit("addObservationButton", {m_case.baselineDate.addDays(30), "", "95", "170", ""},
              "observationWeightEdit");
    QCOMPARE(row(0).at(2), QStringLiteral("32.87"));
    CaseRecord read;
    QVERIFY(m_store->readCase(m_case.id, &read));
    QCOMPARE(read.heightMetres.value_or(0), 1.7);
    // Now the dialog no longer asks for the height.
    bool asked = true;
    onNextModal([&](QWidget *dialog) {
        asked = dialog->findChild<QLineEdit *>("observationHeightEdit")->isVisible();
        dialog->close();
    });
    m_pane->findChild<QPushButton *>("addObservationButton")->click();
    QVERIFY(!asked);
}

void TestFollowUpPane::refusedValueKeepsTheDialogOpen_data()
{
    QTest::addColumn<QString>("bmi");
    QTest::addColumn<QString>("weight");
    QTest::addColumn<int>("days");
    QTest::addColumn<QString>("focused");
    QTest::addColumn<QString>("named");
    QTest::newRow("decimal comma") << "35,5" << "" << 10 << "observationBmiEdit"
                                   << "from 10 to 100 kg/m²";
    QTest::newRow("BMI too high") << "101" << "" << 10 << "observationBmiEdit"
                                  << "from 10 to 100 kg/m²";
    QTest::newRow("weight too low") << "" << "19" << 10 << "observationWeightEdit"
                                    << "from 20 to 400 kg";
    QTest::newRow("on the baseline") << "30" << "" << 0 << "observationDateEdit"
                                     << "after the baseline date";
}

void TestFollowUpPane::refusedValueKeepsTheDialogOpen()
{
    QFETCH(QString, bmi);
    QFETCH(QString, weight);
    QFETCH(int, days);
    QFETCH(QString, focused);
    QFETCH(QString, named);
    QString message;
    QString focus;
    bool stillOpen = false;
    onNextModal([&](QWidget *dialog) {
        fill(dialog, {m_case.baselineDate.addDays(days), bmi, weight, "170", ""});
        onNextModal([&, dialog](QWidget *box) {
            message = qobject_cast<QMessageBox *>(box)->text();
            box->close();
            QTimer::singleShot(0, [&, dialog] {
                stillOpen = dialog->isVisible();
                focus = dialog->focusWidget() ? dialog->focusWidget()->objectName() : QString();
                qobject_cast<QDialog *>(dialog)->done(QDialog::Rejected);
            });
        });
        QTest::keyClick(dialog->findChild<QWidget *>("observationBmiEdit"), Qt::Key_Return);
    });
    m_pane->findChild<QPushButton *>("addObservationButton")->click();
    QVERIFY2(message.contains(named), qPrintable(message));
    QVERIFY(stillOpen);
    QCOMPARE(focus, focused);
    QList<Visit> visits;
    QVERIFY(VisitStore(*m_store).visits(m_case.id, &visits));
    QVERIFY(visits.isEmpty());
}

void TestFollowUpPane::sameDateAsksAndBothAnswersAreKept_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("action");
    QTest::newRow("replace") << "Replace" << "31.00" << "visit replace";
    QTest::newRow("keep") << "Keep the earlier visit" << "33.00" << "visit not replaced";
}

void TestFollowUpPane::sameDateAsksAndBothAnswersAreKept()
{
    QFETCH(QString, answer);
    QFETCH(QString, shown);
    QFETCH(QString, action);
    const QDate date = m_case.baselineDate.addDays(45);
    typeVisit("addObservationButton", {date, "33", "", "", ""}, "observationBmiEdit");
    QString question;
    onNextModal([&](QWidget *dialog) {
        fill(dialog, {date, "31", "", "", ""});
        answerBox(answer, &question);
        QTest::keyClick(dialog->findChild<QWidget *>("observationBmiEdit"), Qt::Key_Return);
    });
    m_pane->findChild<QPushButton *>("addObservationButton")->click();
    QVERIFY2(question.contains(date.toString(Qt::ISODate)), qPrintable(question));
    QCOMPARE(m_pane->findChild<QTableView *>("observationTable")->model()->rowCount(), 1);
    QCOMPARE(row(0).at(2), shown);
    QVector<CaseAuditEntry> trail;
    QVERIFY(m_store->auditTrail(m_case.id, &trail));
    QCOMPARE(trail.last().action, action);
}

void TestFollowUpPane::correctionAndDeletion()
{
    typeVisit("addObservationButton", {m_case.baselineDate.addDays(20), "34", "", "", ""},
              "observationBmiEdit");
    typeVisit("addObservationButton", {m_case.baselineDate.addDays(40), "33", "", "", ""},
              "observationBmiEdit");
    auto *table = m_pane->findChild<QTableView *>("observationTable");
    table->selectRow(0);
    // The dialog starts from the stored visit.
    QString startedWith;
    onNextModal([&](QWidget *dialog) {
        auto *bmi = dialog->findChild<QLineEdit *>("observationBmiEdit");
        startedWith = bmi->text();
        bmi->setText(QStringLiteral("34.25"));
        QTest::keyClick(bmi, Qt::Key_Return);
    });
    m_pane->findChild<QPushButton *>("correctObservationButton")->click();
    QCOMPARE(startedWith, QStringLiteral("34"));
    QCOMPARE(row(0).at(2), QStringLiteral("34.25"));
    QCOMPARE(table->model()->rowCount(), 2);

    // Deleting asks, naming the visit; Cancel is the default and keeps it.
    table->selectRow(1);
    QString question;
    onNextModal([&](QWidget *modal) {
        question = qobject_cast<QMessageBox *>(modal)->text();
        QTest::keyClick(modal, Qt::Key_Return);
    });
    m_pane->findChild<QPushButton *>("deleteObservationButton")->click();
    QVERIFY(question.contains(m_case.baselineDate.addDays(40).toString(Qt::ISODate)));
    QCOMPARE(table->model()->rowCount(), 2);
    table->selectRow(1);
    answerBox(QStringLiteral("Delete"), &question);
    m_pane->findChild<QPushButton *>("deleteObservationButton")->click();
    QCOMPARE(table->model()->rowCount(), 1);

    QVector<CaseAuditEntry> trail;
    QVERIFY(m_store->auditTrail(m_case.id, &trail));
    QStringList actions;
    for (const CaseAuditEntry &entry : trail)
        actions << entry.action;
    QCOMPARE(actions, QStringList({"insert", "visit insert", "visit insert", "visit update",
                                   "visit delete"}));
}

void TestFollowUpPane::typedDateIsKeptOrRefused_data()
{
    QTest::addColumn<bool>("correcting");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("named"); // in the refusal, besides the text typed
    const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
    // The case's baseline is 2023-12-01.
    for (const bool correcting : {false, true}) {
        const char *how = correcting ? "correct: " : "add: ";
        const auto row = [how](const char *name) -> QTestData & {
            return QTest::newRow(qPrintable(QString::fromLatin1(how) + QLatin1String(name)));
        };
        row("in range") << correcting << "2025-12-20" << true << "";
        row("year and month typed whole") << correcting << "2024-12-03" << true << "";
        row("29 February, leap year") << correcting << "2024-02-29" << true << "";
        row("29 February, common year") << correcting << "2025-02-29" << false << "28 days";
        row("on the baseline") << correcting << "2023-12-01" << false << "2023-12-02";
        row("before the baseline") << correcting << "2023-11-15" << false << "2023-12-02";
        row("after today") << correcting << tomorrow << false
                           << QDate::currentDate().toString(Qt::ISODate);
        row("month 13") << correcting << "2025-13-01" << false << "no month 13";
        row("day first") << correcting << "20.12.2025" << false << "year-month-day";
    }
}

void TestFollowUpPane::typedDateIsKeptOrRefused()
{
    QFETCH(bool, correcting);
    QFETCH(QString, typed);
    QFETCH(bool, kept);
    QFETCH(QString, named);
    CaseRecord earlier = sampleCase(QStringLiteral("P-2"));
    earlier.baselineDate = QDate(2023, 12, 1);
    QVERIFY(m_store->addCase(&earlier));
    if (correcting) {
        Visit visit;
        visit.date = QDate(2024, 1, 10);
        visit.bmi = 33;
        QVERIFY(VisitStore(*m_store).addVisit(earlier.id, &visit));
    }
    QVERIFY(m_pane->showCase(earlier.id));
    if (correcting)
        m_pane->findChild<QTableView *>("observationTable")->selectRow(0);

    QString refusal;
    QString textAfter;
    bool openAfter = false;
    onNextModal([&](QWidget *dialog) {
        auto *date = dialog->findChild<QLineEdit *>("observationDateEdit");
        date->selectAll();
        QTest::keyClick(date, Qt::Key_Backspace);
        QTest::keyClicks(date, typed);
        if (!correcting)
            QTest::keyClicks(dialog->findChild<QLineEdit *>("observationBmiEdit"), "33");
        // Kept dates close the dialog without a message: then this waits in vain, and must
        // leave the next row's windows alone.
        const QPointer<QWidget> open(dialog);
        onNextModal([&, open, dialog, date](QWidget *box) {
            if (!open || !qobject_cast<QMessageBox *>(box))
                return;
            refusal = qobject_cast<QMessageBox *>(box)->text();
            box->close();
            QTimer::singleShot(0, [&, dialog, date] {
                openAfter = dialog->isVisible();
                textAfter = date->text();
                qobject_cast<QDialog *>(dialog)->done(QDialog::Rejected);
            });
        });
        QTest::keyClick(date, Qt::Key_Return);
    });
    m_pane->findChild<QPushButton *>(correcting ? "correctObservationButton"
                                                : "addObservationButton")
        ->click();

    QList<Visit> visits;
    QVERIFY(VisitStore(*m_store).visits(earlier.id, &visits));
    if (kept) {
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
        QCOMPARE(visits.size(), 1);
        QCOMPARE(visits.first().date.toString(Qt::ISODate), typed);
        return;
    }
    // Refused by name, with the text kept for mending and nothing stored.
    QVERIFY2(refusal.startsWith("The visit date") && refusal.contains(typed)
                 && refusal.contains(named),
             qPrintable(refusal));
    QVERIFY(openAfter);
    QCOMPARE(textAfter, typed);
    QCOMPARE(visits.size(), correcting ? 1 : 0);
    if (correcting)
        QCOMPARE(visits.first().date, QDate(2024, 1, 10));
}

void TestFollowUpPane::calendarOffersOnlyTheAcceptedRange()
{
    QDate first;
    QDate last;
    onNextModal([&](QWidget *dialog) {
        auto *field = dialog->findChild<DateField *>("observationDateEdit");
        field->showCalendar();
        first = field->calendar()->minimumDate();
        last = field->calendar()->maximumDate();
        field->calendar()->hide();
        qobject_cast<QDialog *>(dialog)->done(QDialog::Rejected);
    });
    m_pane->findChild<QPushButton *>("addObservationButton")->click();
    QCOMPARE(first, m_case.baselineDate.addDays(1));
    QCOMPARE(last, QDate::currentDate());
}

void TestFollowUpPane::caseBookShowsTheSelectedFollowUp()
{
    CaseRecord other = sampleCase(QStringLiteral("P-0"), 4);
    QVERIFY(m_store->addCase(&other));
    Visit visit;
    visit.date = m_case.baselineDate.addDays(61);
    visit.bmi = m_case.course[1] + 0.5;
    // The visit gives the case its height: 1.60 m.
    QVERIFY(VisitStore(*m_store).addVisit(m_case.id, &visit, VisitStore::RefuseSameDate, 1.60));

    CaseBookDialog book(*m_store);
    book.show();
    auto *list = book.findChild<QTableView *>("caseList");
    auto *visits = book.findChild<QTableView *>("observationTable");
    QVERIFY(list && visits);
    // P-0 sorts first and has no visit: its last-visit cells are empty.
    const QAbstractItemModel *cases = list->model();
    QCOMPARE(cases->index(0, CaseListModel::LastVisitColumn).data().toString(), QString());
    QCOMPARE(cases->index(1, CaseListModel::LastVisitColumn).data().toString(),
             visit.date.toString(Qt::ISODate));
    const double predicted = predictBmiAt(m_case.predictors, 61 / 30.4375);
    QCOMPARE(cases->index(1, CaseListModel::LastDifferenceColumn).data().toString(),
             QString::number(visit.bmi - predicted, 'f', 2).prepend('+'));
    // The same in kilograms, × 1.60²; P-0 has no visit, so nothing to say in kilograms.
    QCOMPARE(cases->index(1, CaseListModel::LastDifferenceKgColumn).data().toString(),
             QString::number((visit.bmi - predicted) * 2.56, 'f', 1).prepend('+'));
    QCOMPARE(cases->index(0, CaseListModel::LastDifferenceKgColumn).data(Qt::ToolTipRole), QVariant());

    QCOMPARE(visits->model()->rowCount(), 0);
    list->selectRow(1);
    QCOMPARE(visits->model()->rowCount(), 1);
    list->selectRow(0);
    QCOMPARE(visits->model()->rowCount(), 0);
    QVERIFY(book.findChild<QPushButton *>("addObservationButton")->isEnabled());
}

// The handout from the pane: the file dialog proposes the case's name, the person's page is
// written, and printing is offered.
void TestFollowUpPane::handoutSavedFromThePane()
{
    typeVisit("addObservationButton", {m_case.baselineDate.addDays(30), "33.5", "", "", ""},
              "observationNoteEdit");
    QTemporaryDir dir;
    const QString target = dir.filePath("handout.pdf");
    QString proposed;
    QString question;
    bool saved = false;
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
        // The question that follows the save.
        answerBox("Not now", &question);
    }, &saved);
    m_pane->findChild<QPushButton *>("followUpHandoutButton")->click();
    QVERIFY(saved);
    QCOMPARE(QFileInfo(proposed).fileName(),
             QStringLiteral("P-1-%1-handout.pdf").arg(QDate::currentDate().toString(Qt::ISODate)));
    QVERIFY2(question.contains("Print it as well?"), qPrintable(question));
    const QString text = pdfText(target);
    QVERIFY2(text.contains("case P-1") && text.contains("Your visits so far"), qPrintable(text));
}

QTEST_MAIN(TestFollowUpPane)
#include "tst_followuppane.moc"
