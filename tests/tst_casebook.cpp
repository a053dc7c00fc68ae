// The case book as a clinician uses it: save a result as a case, start again, find it,
// load it and get the same prediction; and the dialogs' refusals and questions.
#include "casebookaccess.h"
#include "casebookdialog.h"
#include "caselistmodel.h"
#include "casestore.h"
#include "casestorefixture.h"
#include "datefield.h"
#include "fhirsamplebook.h"
#include "fixture.h"
#include "graph.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "pdftools.h"
#include "savecasedialog.h"

#include <QCheckBox>
#include <QCommandLinkButton>
#include <QCalendarWidget>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QSqlQuery>
#include <QSqlError>
#include <QtTest>

class TestCaseBook : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void casesButtonSitsLeftOfClose();
    void savedCaseGivesSamePredictionAfterRestart();
    void saveDialogRefuses_data();
    void saveDialogRefuses();
    void baselineDateIsKeptOrRefused_data();
    void baselineDateIsKeptOrRefused();
    void codesDifferingOnlyInCaseAreListedOnce();
    void trailThatDoesNotFitIsSaid_data();
    void trailThatDoesNotFitIsSaid();
    void unusableCaseBookSaysSoOnce_data();
    void unusableCaseBookSaysSoOnce();
    void deleteAsksFirst_data();
    void deleteAsksFirst();
    void listLoadsPageByPage();
    void answersShowReadOnly();
    void fhirButtonsCarryTheBook();
    void loadedCaseFollowsTheBook_data();
    void loadedCaseFollowsTheBook();
    void exportNamesCodesThatCannotComeBack_data();
    void exportNamesCodesThatCannotComeBack();
    void loadedCaseStaysInView_data();
    void loadedCaseStaysInView();

private:
    QString m_location;
};

// Closes every modal widget that shows up while the caller waits, noting each one's class.
static void closeEveryModal(QStringList *seen, bool *stop)
{
    QTimer::singleShot(10, [=] {
        if (*stop)
            return;
        if (QWidget *modal = QApplication::activeModalWidget()) {
            seen->append(QString::fromLatin1(modal->metaObject()->className()));
            modal->close();
        }
        closeEveryModal(seen, stop);
    });
}

void TestCaseBook::init()
{
    m_location = freshCaseBook();
    qputenv("TELMA_DATABASE", m_location.toUtf8());
}

void TestCaseBook::casesButtonSitsLeftOfClose()
{
    MainWindow w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *cases = w.findChild<QCommandLinkButton *>("casesButton");
    auto *close = w.findChild<QCommandLinkButton *>("btnClose");
    QVERIFY(cases && close);
    QCOMPARE(cases->width(), close->width());
    QCOMPARE(cases->y(), close->y());
    QVERIFY(cases->geometry().right() < close->x());
    // Opening the window opens no database: the case book waits until it is asked for.
    QVERIFY(!QFileInfo::exists(m_location));
}

void TestCaseBook::savedCaseGivesSamePredictionAfterRestart()
{
    const QList<int> answers = {0, 1, 2, 3, 4, 0, 1, 2, 3, 4};
    const QString code = QStringLiteral("AB-017 'x'");
    BmiCourse savedCourse{};
    {
        MainWindow w;
        w.show();
        enterTypicalPerson(w);
        predictorField(w, 7)->setText(QStringLiteral("35.127")); // more digits than a writer's two
        bool opened = false;
        onNextModal([&](QWidget *modal) {
            answerRows(modal, answers);
            clickStandardButton(modal, QDialogButtonBox::Ok);
        }, &opened);
        QTest::mouseClick(w.findChild<QPushButton *>("pushButton_RES"), Qt::LeftButton);
        QVERIFY(opened);

        onNextModal([&](QWidget *modal) {
            auto *result = qobject_cast<graph *>(modal);
            QVERIFY(result);
            savedCourse = result->record().course;
            onNextModal([&](QWidget *save) {
                QCOMPARE(save->objectName(), QStringLiteral("saveCaseDialog"));
                QCOMPARE(save->findChild<QLineEdit *>("baselineDateEdit")->text(),
                         QDate::currentDate().toString(Qt::ISODate));
                save->findChild<QLineEdit *>("caseCodeEdit")->setText(code);
                save->findChild<QLineEdit *>("heightEdit")->setText(QStringLiteral("172"));
                clickStandardButton(save, QDialogButtonBox::Ok);
            }, &opened);
            result->findChild<QPushButton *>("saveCaseButton")->click();
            auto *shown = result->findChild<QLabel *>("caseCodeLabel");
            QVERIFY(shown && shown->text().contains(code));
            QCOMPARE(result->record().caseCode, code);
            result->accept();
        });
        QTest::mouseClick(w.findChild<QPushButton *>("btnSimulation"), Qt::LeftButton);
        QVERIFY(opened);
    }

    // As after a restart: a new window, the case found by part of its code.
    MainWindow w;
    w.show();
    bool opened = false;
    onNextModal([&](QWidget *modal) {
        QCOMPARE(modal->objectName(), QStringLiteral("caseBook"));
        QTest::keyClicks(modal->findChild<QLineEdit *>("caseFilterEdit"), "b-0");
        auto *list = modal->findChild<QTableView *>("caseList");
        QCOMPARE(list->model()->rowCount(), 1);
        QCOMPARE(list->model()->index(0, 0).data().toString(), code);
        list->selectRow(0);
        modal->findChild<QPushButton *>("loadCaseButton")->click();
    }, &opened);
    w.findChild<QCommandLinkButton *>("casesButton")->click();
    QVERIFY(opened);
    QCOMPARE(predictorField(w, 7)->text(), QStringLiteral("35.127"));

    onNextModal([&](QWidget *modal) {
        auto *result = qobject_cast<graph *>(modal);
        QVERIFY(result);
        for (int m = 0; m < CourseMonths; ++m)
            QCOMPARE(result->record().course[m], savedCourse[m]);
        QCOMPARE(result->record().sources[0], QStringLiteral("DEBQ, “Restrained eating” scale"));
        result->accept();
    }, &opened);
    QTest::mouseClick(w.findChild<QPushButton *>("btnSimulation"), Qt::LeftButton);
    QVERIFY(opened);

    CaseStore store;
    QVERIFY(store.open(m_location));
    QVector<CaseRecord> cases;
    QVERIFY(store.readCases({}, &cases));
    QCOMPARE(cases.size(), 1);
    QCOMPARE(*cases[0].heightMetres, 1.72);
    QCOMPARE(cases[0].answers[0], QVector<int>(answers.begin(), answers.end()));
    QVERIFY(cases[0].answers[1].isEmpty());
}

void TestCaseBook::saveDialogRefuses_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QString>("focused");
    QTest::newRow("code in use") << "IN-USE" << "" << "caseCodeEdit";
    QTest::newRow("no code") << "" << "" << "caseCodeEdit";
    QTest::newRow("code too long") << QString(41, QLatin1Char('x')) << "" << "caseCodeEdit";
    QTest::newRow("formula-like code") << "=HYPERLINK(1)" << "" << "caseCodeEdit";
    QTest::newRow("code with a pasted escape") << "AB\x1b[2J" << "" << "caseCodeEdit";
    QTest::newRow("height too small") << "NEW" << "99" << "heightEdit";
    QTest::newRow("height in metres") << "NEW" << "1.72" << "heightEdit";
    QTest::newRow("height with a decimal comma") << "NEW" << "172,5" << "heightEdit";
    QTest::newRow("height not a number") << "NEW" << "tall" << "heightEdit";
}

void TestCaseBook::saveDialogRefuses()
{
    QFETCH(QString, code);
    QFETCH(QString, height);
    QFETCH(QString, focused);
    CaseStore store;
    QVERIFY(store.open(m_location));
    CaseRecord existing = sampleCase(QStringLiteral("IN-USE"));
    QVERIFY(store.addCase(&existing));

    SaveCaseDialog dialog(store, sampleCase(QString()));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.findChild<QLineEdit *>("caseCodeEdit")->setText(code);
    dialog.findChild<QLineEdit *>("heightEdit")->setText(height);
    QString message;
    onNextModal([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            message = box->text();
        modal->close();
    });
    dialog.accept();
    QVERIFY(!message.isEmpty());
    // Still open, with what was typed, and the field to mend has the focus.
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    QCOMPARE(dialog.findChild<QLineEdit *>("caseCodeEdit")->text(), code);
    QVERIFY(dialog.focusWidget());
    QCOMPARE(dialog.focusWidget()->objectName(), focused);
    QCOMPARE(store.caseCount(), 1);
}

void TestCaseBook::baselineDateIsKeptOrRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("kept");
    QTest::addColumn<QString>("named"); // in the refusal, besides the text typed
    const QString today = QDate::currentDate().toString(Qt::ISODate);
    QTest::newRow("in range, another year") << "2025-11-01" << true << "";
    QTest::newRow("today") << today << true << "";
    QTest::newRow("29 February, leap year") << "2024-02-29" << true << "";
    QTest::newRow("29 February, common year") << "2023-02-29" << false << "28 days";
    QTest::newRow("after today") << QDate::currentDate().addDays(1).toString(Qt::ISODate)
                                 << false << today;
    QTest::newRow("before the range") << "1899-12-31" << false << "1900-01-01";
    QTest::newRow("empty") << "" << false << "is empty";
    QTest::newRow("two-digit year") << "25-11-01" << false << "year-month-day";
}

void TestCaseBook::baselineDateIsKeptOrRefused()
{
    QFETCH(QString, typed);
    QFETCH(bool, kept);
    QFETCH(QString, named);
    CaseStore store;
    QVERIFY(store.open(m_location));
    SaveCaseDialog dialog(store, sampleCase(QString()));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClicks(dialog.findChild<QLineEdit *>("caseCodeEdit"), "NEW-1");
    auto *date = dialog.findChild<DateField *>("baselineDateEdit");
    date->selectAll();
    QTest::keyClick(date, Qt::Key_Backspace);
    QTest::keyClicks(date, typed);
    QString refusal;
    // A kept date closes the dialog without a message: the wait must then end with it.
    const QPointer<QDialog> open(&dialog);
    onNextModal([&, open](QWidget *modal) {
        if (!open)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            refusal = box->text();
        modal->close();
    });
    QTest::keyClick(date, Qt::Key_Return);
    if (kept) {
        QVERIFY2(refusal.isEmpty(), qPrintable(refusal));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        CaseRecord saved;
        QVERIFY(store.readCase(dialog.savedCase().id, &saved));
        QCOMPARE(saved.baselineDate.toString(Qt::ISODate), typed);
        return;
    }
    QVERIFY2(refusal.startsWith("The baseline date") && refusal.contains(typed)
                 && refusal.contains(named),
             qPrintable(refusal));
    QVERIFY(dialog.isVisible());
    QCOMPARE(date->text(), typed);
    QCOMPARE(store.caseCount(), 0);

    // The calendar offers no day the field would refuse.
    date->showCalendar();
    QCOMPARE(date->calendar()->minimumDate(), QDate(1900, 1, 1));
    QCOMPARE(date->calendar()->maximumDate(), QDate::currentDate());
    date->calendar()->hide();
}

void TestCaseBook::codesDifferingOnlyInCaseAreListedOnce()
{
    {
        CaseStore store;
        QVERIFY(store.open(m_location));
        for (const char *code : {"AB-101", "AB-102", "XY-1"}) {
            CaseRecord record = sampleCase(QString::fromLatin1(code));
            QVERIFY(store.addCase(&record));
        }
        QVERIFY(rewindToVersionTwo(store.database()));
        QSqlQuery query(store.database());
        QVERIFY(query.exec("UPDATE cases SET code = 'ab-101' WHERE code = 'AB-102'"));
    }
    CaseBookAccess access(m_location);
    QStringList shown;
    const auto note = [&shown](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal))
            shown << box->text();
        modal->close();
    };
    onNextModal(note);
    QVERIFY(access.store(nullptr));
    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown.first().contains("“AB-101”") && shown.first().contains("“ab-101”")
                 && !shown.first().contains("XY-1"),
             qPrintable(shown.first()));
    // Asked again, the open book says nothing more (a box would be closed and counted).
    const auto armed = std::make_shared<bool>(true);
    onNextModal([armed, note](QWidget *modal) {
        if (*armed)
            note(modal);
    });
    QVERIFY(access.store(nullptr));
    QCOMPARE(access.store(nullptr)->caseCount(), 3);
    QCOMPARE(shown.size(), 1);
    *armed = false;
}

void TestCaseBook::trailThatDoesNotFitIsSaid_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("saves");
    QTest::newRow("kept read-only") << "Keep It Read-Only" << false;
    QTest::newRow("taken note of") << "I Have Taken Note: Allow Changes" << true;
}

// A guard of the trail dropped by hand is said as the book opens; the book saves nothing
// until the user has taken note.
void TestCaseBook::trailThatDoesNotFitIsSaid()
{
    QFETCH(QString, button);
    QFETCH(bool, saves);
    {
        CaseStore store;
        QVERIFY(store.open(m_location));
        CaseRecord record = sampleCase(QStringLiteral("TR-1"));
        QVERIFY(store.addCase(&record));
        QSqlQuery query(store.database());
        QVERIFY(query.exec(caseBooksOnServer() ? "DROP TRIGGER case_audit_no_delete ON case_audit"
                                               : "DROP TRIGGER case_audit_no_delete"));
    }
    CaseBookAccess access(m_location);
    QString said;
    onNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        if (!box) {
            modal->close();
            return;
        }
        said = box->text();
        QPushButton *chosen = nullptr;
        for (QPushButton *choice : box->findChildren<QPushButton *>()) {
            if (choice->text() == button)
                chosen = choice;
        }
        if (chosen)
            QTest::mouseClick(chosen, Qt::LeftButton);
        else
            box->close();
    });
    CaseStore *store = access.store(nullptr);
    QVERIFY(store);
    QVERIFY2(said.contains("case_audit_no_delete"), qPrintable(said));
    CaseRecord record = sampleCase(QStringLiteral("TR-2"));
    QCOMPARE(store->addCase(&record), saves);
    if (!saves)
        QVERIFY2(store->lastError().message.contains("read only"), qPrintable(store->lastError().message));
}

void TestCaseBook::unusableCaseBookSaysSoOnce_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("not a database") << QByteArray("name;weight\nsomeone;90\n");
    QTest::newRow("folder is a file") << QByteArray();
}

void TestCaseBook::unusableCaseBookSaysSoOnce()
{
    QFETCH(QByteArray, content);
    QString location = m_location;
    const bool onServer = caseBooksOnServer();
    if (onServer && content.isEmpty())
        QSKIP("a folder exists only on this computer");
    if (!onServer)
        QVERIFY(QDir().mkpath(QFileInfo(location).absolutePath()));
    if (onServer) {
        // The server's counterpart of an unusable file: one that cannot be reached.
        qputenv("TELMA_DATABASE", "host=/nonexistent/telma dbname=telma connect_timeout=2");
    } else if (content.isEmpty()) {
        QFile(location).open(QIODevice::WriteOnly);
        location += QStringLiteral("/cases.sqlite");
        qputenv("TELMA_DATABASE", location.toUtf8());
    } else {
        QFile file(location);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    MainWindow w;
    w.show();
    QStringList seen;
    bool stop = false;
    closeEveryModal(&seen, &stop);
    w.findChild<QCommandLinkButton *>("casesButton")->click();
    stop = true;
    // Lets the pending check see the flag while it still exists: a check that fired after
    // this function returned would write through dangling pointers.
    QTest::qWait(50);
    QCOMPARE(seen, QStringList{"QMessageBox"});
    if (!content.isEmpty() && !onServer) {
        QFile file(location);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), content);
    }
    // Still a calculator.
    enterTypicalPerson(w);
    bool opened = false;
    onNextModal([](QWidget *modal) { modal->close(); }, &opened);
    QTest::mouseClick(w.findChild<QPushButton *>("btnSimulation"), Qt::LeftButton);
    QVERIFY(opened);
}

void TestCaseBook::deleteAsksFirst_data()
{
    QTest::addColumn<bool>("confirm");
    QTest::newRow("Return keeps the case") << false;
    QTest::newRow("Delete removes it") << true;
}

void TestCaseBook::deleteAsksFirst()
{
    QFETCH(bool, confirm);
    CaseStore store;
    QVERIFY(store.open(m_location));
    for (const QString &code : {QStringLiteral("D-1"), QStringLiteral("D-2")}) {
        CaseRecord record = sampleCase(code);
        QVERIFY(store.addCase(&record));
    }
    CaseBookDialog book(store);
    book.show();
    book.findChild<QTableView *>("caseList")->selectRow(1);
    QString question;
    onNextModal([&](QWidget *modal) {
        auto *box = qobject_cast<QMessageBox *>(modal);
        QVERIFY(box);
        question = box->text();
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::Cancel));
        if (confirm) {
            for (QAbstractButton *button : box->buttons())
                if (box->buttonRole(button) == QMessageBox::DestructiveRole)
                    button->click();
        } else {
            QTest::keyClick(box, Qt::Key_Return);
        }
        if (box->isVisible())
            box->close();
    });
    book.findChild<QPushButton *>("deleteCaseButton")->click();
    QVERIFY(question.contains(QStringLiteral("“D-2”")));
    QCOMPARE(store.caseCount(), confirm ? 1 : 2);
    QCOMPARE(book.findChild<QTableView *>("caseList")->model()->rowCount(), confirm ? 1 : 2);
}

void TestCaseBook::listLoadsPageByPage()
{
    CaseStore store;
    QVERIFY(store.open(m_location));
    const int total = 2 * CaseListModel::PageSize + 17;
    for (int i = 0; i < total; ++i) {
        CaseRecord record = sampleCase(QStringLiteral("L%1").arg(i, 4, 10, QLatin1Char('0')), i);
        QVERIFY(store.addCase(&record));
    }
    QCOMPARE(store.caseCount(), total);

    CaseListModel model(store);
    QCOMPARE(model.rowCount(), CaseListModel::PageSize);
    int pages = 1;
    while (model.canFetchMore(QModelIndex())) {
        model.fetchMore(QModelIndex());
        ++pages;
    }
    QCOMPARE(model.rowCount(), total);
    QCOMPARE(pages, 3);
    QCOMPARE(model.summary(total - 1).code, QStringLiteral("L%1").arg(total - 1, 4, 10, QLatin1Char('0')));
    model.setFilter(QStringLiteral("L01"));
    QCOMPARE(model.rowCount(), 100); // L0100 to L0199
    QVERIFY(!model.canFetchMore(QModelIndex()) || model.rowCount() == CaseListModel::PageSize);
}

void TestCaseBook::answersShowReadOnly()
{
    CaseStore store;
    QVERIFY(store.open(m_location));
    CaseRecord record = sampleCase(QStringLiteral("Q-1"));
    QVERIFY(store.addCase(&record));
    CaseBookDialog book(store);
    book.show();
    book.findChild<QTableView *>("caseList")->selectRow(0);
    QList<int> ticked;
    QList<int> afterClick;
    bool opened = false;
    onNextModal([&](QWidget *modal) {
        ticked = tickedOptions(modal, record.answers[0].size());
        clickAnswer(modal, 0, 4);
        afterClick = tickedOptions(modal, record.answers[0].size());
        modal->close();
    }, &opened);
    book.showAnswers(0);
    QVERIFY(opened);
    const QList<int> stored(record.answers[0].begin(), record.answers[0].end());
    QCOMPARE(ticked, stored);
    QCOMPARE(afterClick, stored);
}

void TestCaseBook::loadedCaseFollowsTheBook_data()
{
    QTest::addColumn<QString>("button"); // pressed on case AB-101 in the case book
    QTest::addColumn<QString>("typed");  // into the new code's field
    QTest::addColumn<QString>("refusal"); // part of the warning; empty when it is taken
    QTest::addColumn<QString>("label");  // beside the main window's buttons afterwards
    QTest::addColumn<QString>("stored"); // the case's code in the book afterwards
    QTest::newRow("new code") << "changeCodeButton" << "AB-102" << "" << "Case AB-102" << "AB-102";
    QTest::newRow("formula-like") << "changeCodeButton" << "=AB" << "begins with “=”" << "Case AB-101"
                                  << "AB-101";
    QTest::newRow("in use, other capitals") << "changeCodeButton" << "b-1" << "B-1" << "Case AB-101"
                                            << "AB-101";
    QTest::newRow("deleted") << "deleteCaseButton" << "" << "" << "" << "";
}

// The case in the form is the one the book holds: its code changed in the case book, or the
// case deleted, the main window says so once the case book closes.
void TestCaseBook::loadedCaseFollowsTheBook()
{
    QFETCH(QString, button);
    QFETCH(QString, typed);
    QFETCH(QString, refusal);
    QFETCH(QString, label);
    QFETCH(QString, stored);
    {
        CaseStore store;
        QVERIFY(store.open(m_location));
        CaseRecord other = sampleCase(QStringLiteral("B-1"), 1);
        CaseRecord loaded = sampleCase(QStringLiteral("AB-101"));
        QVERIFY(store.addCase(&other) && store.addCase(&loaded));
    }
    MainWindow w;
    w.show();
    const auto chooseAB101 = [](CaseBookDialog *book) {
        auto *list = book->findChild<QTableView *>("caseList");
        const QModelIndexList found = list->model()->match(list->model()->index(0, 0), Qt::DisplayRole,
                                                           QStringLiteral("AB-101"), 1, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list->selectRow(found.first().row());
    };
    bool opened = false;
    onNextModalOf<CaseBookDialog>([&](CaseBookDialog *book) {
        chooseAB101(book);
        book->findChild<QPushButton *>("loadCaseButton")->click();
    }, &opened);
    w.findChild<QCommandLinkButton *>("casesButton")->click();
    QVERIFY(opened);

    QString warning;
    QString offeredAgain;
    onNextModalOf<CaseBookDialog>([&](CaseBookDialog *book) {
        chooseAB101(book);
        if (typed.isEmpty()) {
            onNextModalOf<QMessageBox>([](QMessageBox *ask) {
                for (QAbstractButton *answer : ask->buttons())
                    if (ask->buttonRole(answer) == QMessageBox::DestructiveRole)
                        answer->click();
            });
        } else {
            onNextModalOf<QInputDialog>([&](QInputDialog *input) {
                auto *edit = input->findChild<QLineEdit *>();
                edit->selectAll();
                QTest::keyClicks(edit, typed);
                if (!refusal.isEmpty()) {
                    onNextModalOf<QMessageBox>([&](QMessageBox *box) {
                        warning = box->text() + box->informativeText();
                        onNextModalOf<QInputDialog>([&](QInputDialog *again) {
                            offeredAgain = again->textValue();
                            again->reject();
                        });
                        box->close();
                    });
                }
                input->accept();
            });
        }
        book->findChild<QPushButton *>(button)->click();
        book->reject();
    }, &opened);
    w.findChild<QCommandLinkButton *>("casesButton")->click();
    QVERIFY(opened);
    QVERIFY2(warning.contains(refusal), qPrintable(warning));
    QCOMPARE(offeredAgain, refusal.isEmpty() ? QString() : typed);
    QCOMPARE(w.findChild<QLabel *>("loadedCaseLabel")->text(), label);
    CaseStore store;
    QVERIFY(store.open(m_location));
    QVector<CaseRecord> cases;
    QVERIFY(store.readCases({}, &cases));
    QStringList codes;
    for (const CaseRecord &record : std::as_const(cases))
        codes << record.code;
    QCOMPARE(codes.contains(stored), !stored.isEmpty());
    QCOMPARE(codes.size(), stored.isEmpty() ? 1 : 2);
}

void TestCaseBook::exportNamesCodesThatCannotComeBack_data()
{
    QTest::addColumn<QString>("kept"); // the code of case A-1 as an older version kept it
    QTest::addColumn<QString>("named"); // in the warning; empty when there is none
    QTest::newRow("a code a file carries") << "=A-1" << QString();
    QTest::newRow("a control character") << "A\x1b-1" << "“A␛-1” holds the control character U+001B";
}

// The export is written whatever the codes; those an import would refuse are named, shown in
// visible characters.
void TestCaseBook::exportNamesCodesThatCannotComeBack()
{
    QFETCH(QString, kept);
    QFETCH(QString, named);
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("cases.csv"));
    CaseStore store;
    QVERIFY(store.open(m_location));
    QVERIFY(fillSmallBook(store));
    QSqlQuery query(store.database());
    query.prepare(QStringLiteral("UPDATE cases SET code = ? WHERE code = 'A-1'"));
    query.addBindValue(kept);
    QVERIFY2(query.exec(), qPrintable(query.lastError().text()));
    CaseBookDialog book(store);
    book.show();
    // A box is read and closed; none may be shown where every code comes back.
    QString warning;
    QTimer closer;
    connect(&closer, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            warning = box->text();
            box->close();
        }
    });
    closer.start(10);
    book.exportCasesTo(fileName);
    QVERIFY(QFileInfo::exists(fileName));
    QVERIFY2(named.isEmpty() ? warning.isEmpty() : warning.contains(named), qPrintable(warning));
}

// Exporting the selected case as FHIR writes it owner-only; importing that file in an empty book
// recreates it with its visits and says what it did.
void TestCaseBook::fhirButtonsCarryTheBook()
{
    QTemporaryDir folder;
    const QString fileName = folder.filePath(QStringLiteral("a-1.json"));
    {
        CaseStore store;
        QVERIFY(store.open(m_location));
        QVERIFY(fillSmallBook(store));
        CaseBookDialog book(store);
        book.show();
        auto *list = book.findChild<QTableView *>("caseList");
        list->selectRow(0); // A-1, the case with visits
        QVERIFY(book.findChild<QPushButton *>("exportFhirButton")->isEnabled());
        book.exportFhirTo(fileName);
    }
    QFile file(fileName);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
    const QByteArray exported = file.readAll();
    QCOMPARE(exported.count("\"resourceType\": \"Patient\""), 1);

    CaseStore empty;
    QVERIFY(empty.open(freshCaseBook()));
    CaseBookDialog book(empty);
    book.show();
    QString said;
    onNextModal([&](QWidget *modal) {
        if (auto *box = qobject_cast<QMessageBox *>(modal)) {
            said = box->text() + QLatin1Char('\n') + box->informativeText();
            box->close();
        }
    });
    QVERIFY(book.findChild<QPushButton *>("importFhirButton")->isEnabled());
    book.importFhirFrom(fileName);
    QTRY_VERIFY(!said.isEmpty());
    QVERIFY2(said.contains(QLatin1String("Added 3 visits to 1 case, recreating 1 case.")), qPrintable(said));
    QCOMPARE(book.findChild<QTableView *>("caseList")->model()->rowCount(), 1);
}

// After "Load into form" the window names the case until a value differs from the stored
// one; the result then names the case and the change, and saving it makes a new case.
void TestCaseBook::loadedCaseStaysInView_data()
{
    QTest::addColumn<QStringList>("typed"); // into the restrained-eating field, one after another
    QTest::addColumn<QString>("takenCode"); // a code already in the book
    QTest::addColumn<QString>("proposed"); // by "Save to case…"; empty when it is not offered
    QTest::newRow("as loaded") << QStringList() << QString() << QString();
    QTest::newRow("typed over") << QStringList{"3.5"} << QString() << "AB-101-2";
    QTest::newRow("typed over, next code taken") << QStringList{"3.5"} << "ab-101-2" << "AB-101-3";
    QTest::newRow("typed back as stored") << QStringList{"3.5", "3.10"} << QString() << QString();
    QTest::newRow("not a number") << QStringList{"3,1"} << QString() << "not offered";
}

void TestCaseBook::loadedCaseStaysInView()
{
    QFETCH(QStringList, typed);
    QFETCH(QString, takenCode);
    QFETCH(QString, proposed);
    const bool changed = !proposed.isEmpty();
    CaseRecord stored = sampleCase(QStringLiteral("AB-101")); // restrained eating 3.1
    {
        CaseStore store;
        QVERIFY(store.open(m_location));
        QVERIFY(store.addCase(&stored));
        if (!takenCode.isEmpty()) {
            CaseRecord taken = sampleCase(takenCode, 1);
            QVERIFY(store.addCase(&taken));
        }
    }
    MainWindow w;
    w.show();
    auto *label = w.findChild<QLabel *>("loadedCaseLabel");
    QVERIFY(label);
    QCOMPARE(label->text(), QString());
    bool opened = false;
    onNextModal([&](QWidget *modal) {
        auto *list = modal->findChild<QTableView *>("caseList");
        list->selectRow(0);
        modal->findChild<QPushButton *>("loadCaseButton")->click();
    }, &opened);
    w.findChild<QCommandLinkButton *>("casesButton")->click();
    QVERIFY(opened);
    QCOMPARE(label->text(), QStringLiteral("Case AB-101"));
    for (const QString &text : typed) {
        QLineEdit *field = predictorField(w, 0);
        field->selectAll();
        QTest::keyClicks(field, text);
    }
    QCOMPARE(label->text(), changed ? QStringLiteral("Case AB-101 (changed)")
                                    : QStringLiteral("Case AB-101"));

    // A value that is not a number is refused before any result, and the case stays named.
    if (typed.value(0) == QLatin1String("3,1")) {
        onNextModal([](QWidget *modal) { modal->close(); }, &opened);
        QTest::mouseClick(w.findChild<QPushButton *>("btnSimulation"), Qt::LeftButton);
        QVERIFY(opened);
        QCOMPARE(label->text(), QStringLiteral("Case AB-101 (changed)"));
        QVERIFY(label->toolTip().contains("3,1 now"));
        return;
    }
    // What the result dialog shows is read while it is open and checked once it is closed,
    // so that a failure cannot leave it open.
    QString saved;
    QString caseCode;
    QString changedFrom;
    QString info;
    QString reportText;
    bool saveOffered = false;
    QTemporaryDir folder;
    onNextModal([&](QWidget *modal) {
        auto *result = qobject_cast<graph *>(modal);
        if (!result) {
            modal->close();
            return;
        }
        caseCode = result->caseCode();
        changedFrom = result->record().changedFromCase;
        if (auto *label = result->findChild<QLabel *>("loadedCaseInfoLabel"))
            info = label->text();
        const QString file = folder.filePath(QStringLiteral("result.pdf"));
        if (result->saveReport(file))
            reportText = pdfText(file);
        auto *save = result->findChild<QPushButton *>("saveCaseButton");
        saveOffered = save->isEnabled();
        if (saveOffered) {
            onNextModal([&](QWidget *dialog) {
                saved = dialog->findChild<QLineEdit *>("caseCodeEdit")->text();
                clickStandardButton(dialog, QDialogButtonBox::Ok);
            });
            // A refusal would leave boxes open over the result: they are closed unanswered.
            QTimer sweeper;
            sweeper.setInterval(50);
            connect(&sweeper, &QTimer::timeout, [result] {
                auto *left = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                if (left && left != result)
                    left->done(QDialog::Rejected);
            });
            QTimer::singleShot(300, &sweeper, [&sweeper] { sweeper.start(); });
            save->click();
        }
        result->accept();
    }, &opened);
    QTest::mouseClick(w.findChild<QPushButton *>("btnSimulation"), Qt::LeftButton);
    QVERIFY(opened);
    QCOMPARE(caseCode, changed ? QString() : QStringLiteral("AB-101"));
    QCOMPARE(changedFrom, changed ? QStringLiteral("AB-101") : QString());
    const QString change = QStringLiteral("Restrained eating: 3.1 stored, %1 now").arg(typed.value(0));
    QCOMPARE(info.contains(change), changed);
    QVERIFY(info.contains("AB-101"));
    // The report names the case, and what was changed since it was loaded.
    QVERIFY2(reportText.contains(changed ? QStringLiteral("from case “AB-101”, changed")
                                         : QStringLiteral("case “AB-101”")),
             qPrintable(reportText));
    QCOMPARE(reportText.contains(QStringLiteral("Restrained eating: 3.1 stored")), changed);
    QCOMPARE(saveOffered, changed);
    QCOMPARE(saved, proposed);
    // Saved, the form holds the new case as it is stored.
    QCOMPARE(label->text(), QStringLiteral("Case %1").arg(changed ? proposed : "AB-101"));

    // The stored case is as it was; a changed simulation became a case of its own.
    CaseStore store;
    QVERIFY(store.open(m_location));
    QVector<CaseRecord> cases;
    QVERIFY(store.readCases({}, &cases));
    QCOMPARE(cases.size(), 1 + !takenCode.isEmpty() + changed);
    QCOMPARE(cases[0].code, QStringLiteral("AB-101"));
    QCOMPARE(cases[0].predictors, stored.predictors);
}

QTEST_MAIN(TestCaseBook)
#include "tst_casebook.moc"
