#include "dialog_alex.h"
#include "dialog_bod.h"
#include "fixture.h"
#include "modaldriver.h"

#include <QtTest>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>

#include <memory>

namespace {

// Both questionnaires are driven through the same helpers; "bod" or "alex" picks one.
struct Questionnaire {
    std::unique_ptr<QDialog> dialog;
    int rows;
    int options;
    QStringList headings;

    int score() const { return ask(&Dialog_bod::score, &Dialog_alex::score); }
    bool isComplete() const { return ask(&Dialog_bod::isComplete, &Dialog_alex::isComplete); }

private:
    // The two forms share no base class that declares these.
    template <class Result>
    Result ask(Result (Dialog_bod::*bodCall)() const, Result (Dialog_alex::*alexCall)() const) const
    {
        if (auto *bod = qobject_cast<Dialog_bod *>(dialog.get()))
            return (bod->*bodCall)();
        return (qobject_cast<Dialog_alex *>(dialog.get())->*alexCall)();
    }
};

Questionnaire makeQuestionnaire(const QString &which)
{
    if (which == "bod")
        return {std::make_unique<Dialog_bod>(), 20, 4,
                {"№", "Questions", "Never", "Occasionally", "Often", "Always"}};
    return {std::make_unique<Dialog_alex>(), 26, 5,
            {"№", "Questions", "Strongly disagree", "Moderately disagree",
             "Neither disagree or agree", "Moderately agree", "Strongly agree"}};
}

Questionnaire shownQuestionnaire(const QString &which)
{
    Questionnaire q = makeQuestionnaire(which);
    q.dialog->show();
    return q;
}

// This file counts statements and answers from 1, as the forms number them; 0 in a list
// of answers leaves the statement unanswered.
QCheckBox *statementBox(QWidget *dialog, int statement, int answer)
{
    return answerBox(dialog, statement - 1, answer - 1);
}

void tickStatement(QWidget *dialog, int statement, int answer)
{
    clickAnswer(dialog, statement - 1, answer - 1);
    QCheckBox *box = statementBox(dialog, statement, answer);
    QVERIFY2(box && box->isChecked(), qPrintable(QStringLiteral("statement %1").arg(statement)));
}

void answerStatements(QWidget *dialog, const QList<int> &answers)
{
    for (int s = 0; s < answers.size(); ++s)
        if (answers.at(s) > 0)
            tickStatement(dialog, s + 1, answers.at(s));
}

QDialogButtonBox *buttonBox(QWidget *dialog)
{
    return dialog->findChild<QDialogButtonBox *>("buttonBox");
}

QList<int> ticked(QWidget *dialog, int row, int options)
{
    QList<int> on;
    for (int o = 1; o <= options; ++o)
        if (statementBox(dialog, row, o)->isChecked())
            on << o;
    return on;
}

QLabel *rowLabel(QGroupBox *row, const QString &prefix)
{
    const QRegularExpression name("^" + prefix + "(_\\d+)?$");
    const QList<QLabel *> found = row->findChildren<QLabel *>(name);
    return found.size() == 1 ? found.first() : nullptr;
}

} // namespace

class TestDialogBodAlex : public QObject
{
    Q_OBJECT

private slots:
    void gateOpensWithTheLastAnswer_data();
    void gateOpensWithTheLastAnswer();
    void leavingIncompleteRejects_data();
    void leavingIncompleteRejects();
    void scores_data();
    void scores();
    void changingAnAnswer_data();
    void changingAnAnswer();
    void form_data();
    void form();
    void statementWording_data();
    void statementWording();
    void longStatementsWrapUncut();
};

void TestDialogBodAlex::gateOpensWithTheLastAnswer_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("missing"); // the row answered last
    QTest::addColumn<int>("option");  // and its answer
    // checkBox_11 reaches the gate through its name, all other boxes through the constructor.
    QTest::newRow("body image, first row by checkBox_11") << "bod" << 1 << 1;
    QTest::newRow("body image, middle row") << "bod" << 10 << 4;
    QTest::newRow("body image, last row") << "bod" << 20 << 2;
    QTest::newRow("alexithymia, first row by checkBox_11") << "alex" << 1 << 1;
    QTest::newRow("alexithymia, middle row") << "alex" << 13 << 5;
    QTest::newRow("alexithymia, last row") << "alex" << 26 << 3;
}

void TestDialogBodAlex::gateOpensWithTheLastAnswer()
{
    QFETCH(QString, which);
    QFETCH(int, missing);
    QFETCH(int, option);
    const Questionnaire q = shownQuestionnaire(which);
    QDialog *d = q.dialog.get();
    QDialogButtonBox *box = buttonBox(d);
    QVERIFY(!box->isEnabled());
    QVERIFY(!box->button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(!box->button(QDialogButtonBox::Cancel)->isEnabled());

    QList<int> answers;
    for (int r = 1; r <= q.rows; ++r)
        answers << (r == missing ? 0 : 1 + r % q.options);
    answerStatements(d, answers);
    QVERIFY(!q.isComplete());
    QVERIFY(!box->isEnabled());

    tickStatement(d, missing, option);
    QVERIFY(q.isComplete());
    QVERIFY(box->isEnabled());
    QVERIFY(box->button(QDialogButtonBox::Ok)->isEnabled());
    QVERIFY(box->button(QDialogButtonBox::Cancel)->isEnabled());

    // Changing an answer, or clicking the ticked box again, keeps the form complete.
    tickStatement(d, missing, option % q.options + 1);
    tickStatement(d, missing, option % q.options + 1);
    QVERIFY(box->isEnabled());
}

void TestDialogBodAlex::leavingIncompleteRejects_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QString>("how");
    for (const char *which : {"bod", "alex"})
        for (const char *how : {"escape", "close"})
            QTest::addRow("%s %s", which, how) << which << how;
}

void TestDialogBodAlex::leavingIncompleteRejects()
{
    QFETCH(QString, which);
    QFETCH(QString, how);
    Questionnaire q = makeQuestionnaire(which);
    bool seen = false;
    bool returnIgnored = false;
    onNextModal([&](QWidget *modal) {
        answerStatements(modal, {1, 2, 3});
        // Return must not get past the gate through the default button.
        QTest::keyClick(modal->focusWidget() ? modal->focusWidget() : modal, Qt::Key_Return);
        returnIgnored = modal->isVisible();
        leaveDialog(modal, how);
        if (modal->isVisible()) // the way out failed; end exec() so that the test can report it
            static_cast<QDialog *>(modal)->done(-1);
    }, &seen);
    const int result = q.dialog->exec();
    QVERIFY(seen);
    QVERIFY(returnIgnored);
    QCOMPARE(result, int(QDialog::Rejected));
    QVERIFY(!q.dialog->isVisible());
}

void TestDialogBodAlex::scores_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("expected");

    QTest::newRow("all Never") << "bod" << QList<int>(20, 1) << 0;
    QTest::newRow("all Always") << "bod" << QList<int>(20, 4) << 60;
    QTest::newRow("ten Occasionally, ten Often")
        << "bod" << (QList<int>(10, 2) << QList<int>(10, 3)) << 30;

    const QSet<int> reversed = {1, 5, 6, 9, 11, 12, 13, 15, 21, 24};
    QList<int> lowest, highest;
    for (int s = 1; s <= 26; ++s) {
        lowest << (reversed.contains(s) ? 5 : 1);
        highest << (reversed.contains(s) ? 1 : 5);
    }
    QTest::newRow("all Strongly disagree") << "alex" << QList<int>(26, 1) << 66;
    QTest::newRow("all Strongly agree") << "alex" << QList<int>(26, 5) << 90;
    QTest::newRow("all neutral") << "alex" << QList<int>(26, 3) << 78;
    QTest::newRow("lowest") << "alex" << lowest << 26;
    QTest::newRow("highest") << "alex" << highest << 130;
    QTest::newRow("unanswered rows add nothing") << "alex" << (QList<int>(25, 0) << 5) << 5;
}

void TestDialogBodAlex::scores()
{
    QFETCH(QString, which);
    QFETCH(QList<int>, answers);
    QFETCH(int, expected);
    const Questionnaire q = shownQuestionnaire(which);
    answerStatements(q.dialog.get(), answers);
    QCOMPARE(q.score(), expected);
}

void TestDialogBodAlex::changingAnAnswer_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("change");
    QTest::newRow("Often to Always") << "bod" << 7 << 3 << 4 << 1;
    QTest::newRow("Always to Never, last row") << "bod" << 20 << 4 << 1 << -3;
    QTest::newRow("statement 1, reverse-keyed") << "alex" << 1 << 1 << 5 << -4;
    QTest::newRow("statement 2") << "alex" << 2 << 1 << 5 << 4;
    QTest::newRow("statement 26") << "alex" << 26 << 2 << 4 << 2;
}

void TestDialogBodAlex::changingAnAnswer()
{
    QFETCH(QString, which);
    QFETCH(int, row);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, change);
    const Questionnaire q = shownQuestionnaire(which);
    QDialog *d = q.dialog.get();
    QList<int> answers(q.rows, 1);
    answers[row - 1] = from;
    answerStatements(d, answers);
    const int before = q.score();

    tickStatement(d, row, to);
    QCOMPARE(ticked(d, row, q.options), QList<int>{to});
    QCOMPARE(q.score(), before + change);

    // A second click on the ticked box neither withdraws nor changes the answer.
    tickStatement(d, row, to);
    QCOMPARE(ticked(d, row, q.options), QList<int>{to});
    QCOMPARE(q.score(), before + change);
    // The neighbouring rows keep their own answers.
    if (row > 1)
        QCOMPARE(ticked(d, row - 1, q.options), QList<int>{1});
}

void TestDialogBodAlex::form_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QStringList>("quoted"); // row number, text, row number, text
    QTest::newRow("body image") << "bod" << QSize(851, 600)
                                << QStringList{"1", "At social gatherings where I know few people",
                                               "20", "When I think about going on holiday"};
    QTest::newRow("alexithymia") << "alex" << QSize(994, 679)
                                 << QStringList{"1", "When I cry I always know why",
                                                "25", "I don’t know what’s going on inside me"};
}

void TestDialogBodAlex::form()
{
    QFETCH(QString, which);
    QFETCH(QSize, size);
    QFETCH(QStringList, quoted);
    const Questionnaire q = shownQuestionnaire(which);
    QDialog *d = q.dialog.get();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    QCOMPARE(d->windowTitle(), QStringLiteral("model TELMA"));
    QCOMPARE(d->size(), size);

    // The headings, left to right.
    auto *header = d->findChild<QGroupBox *>("groupBox");
    QList<QLabel *> headings = header->findChildren<QLabel *>();
    std::sort(headings.begin(), headings.end(),
              [](QLabel *a, QLabel *b) { return a->x() < b->x(); });
    QStringList texts;
    for (QLabel *l : headings)
        texts << l->text();
    QCOMPARE(texts, q.headings);

    QWidget *frame = d->findChild<QWidget *>("frame");
    QSet<QString> statements;
    for (int k = 1; k <= q.rows; ++k) {
        auto *row = d->findChild<QGroupBox *>(QStringLiteral("groupBox_%1").arg(k));
        QVERIFY(row);
        QLabel *number = rowLabel(row, "ql0");
        QLabel *statement = rowLabel(row, "q0");
        QVERIFY(number && statement);
        QCOMPARE(number->text(), QString::number(k));
        QVERIFY(!statement->text().trimmed().isEmpty());
        statements << statement->text();

        const bool even = k % 2 == 0;
        QCOMPARE(row->autoFillBackground(), even);
        if (even)
            QCOMPARE(row->palette().color(QPalette::Window), QColor(Qt::white));

        for (int o = 1; o <= q.options; ++o) {
            QCheckBox *box = statementBox(d, k, o);
            QVERIFY(box && box->parentWidget() == row);
            QVERIFY(box->autoExclusive() && !box->isChecked() && box->text().isEmpty());
            // Each box sits under its own heading.
            const QLabel *heading = headings.at(o + 1);
            const int centre = box->mapTo(frame, box->rect().center()).x();
            const int left = heading->mapTo(frame, QPoint(0, 0)).x();
            QVERIFY2(centre > left && centre < left + heading->width(),
                     qPrintable(box->objectName()));
        }
    }
    QCOMPARE(statements.size(), q.rows);

    for (int i = 0; i < quoted.size(); i += 2) {
        auto *row = d->findChild<QGroupBox *>("groupBox_" + quoted.at(i));
        QCOMPARE(rowLabel(row, "q0")->text(), quoted.at(i + 1));
    }

    // The irregular names of the rows, where the numbering of the labels jumps.
    QCOMPARE(d->findChild<QLabel *>("ql0_12")->parentWidget()->objectName(), "groupBox_7");
    QCOMPARE(d->findChild<QLabel *>("q0_22")->parentWidget()->objectName(), "groupBox_17");
    if (which == "alex") {
        QCOMPARE(d->findChild<QGroupBox *>("groupBox_26")->layout()->objectName(),
                 "horizontalLayout_27");
        QVERIFY(d->findChild<QGroupBox *>("groupBox_1")->findChild<QGridLayout *>("gridLayout_31"));
    }
}

void TestDialogBodAlex::statementWording_data()
{
    QTest::addColumn<QString>("which");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    const QStringList bodRows = {
        "When I look at myself in the mirror",
        "When people see me before I’ve “fixed up”",
        "When I am with attractive people of my own sex",
        "When I am with attractive people of the opposite sex",
        "When someone looks at parts of my appearance that I dislike",
        "When I look at my nude body in the mirror",
        "When I am trying on new clothes at the store",
        "After I have eaten a full meal",
        "When I see attractive people on television or in magazines",
        "When I get on the scales to weigh myself",
        "When anticipating or having sexual relations",
        "When I’m already in a bad mood about something else",
        "When the topic of conversation pertains to physical appearance",
        "When someone comments unfavourably on my appearance",
        "When I see myself in a photograph or on video",
        "When I think about what I wish I looked like",
        "When I think about how I may look in the future",
        "When I exercise",
    };
    for (int i = 0; i < bodRows.size(); ++i)
        QTest::addRow("body image %d", i + 2) << "bod" << i + 2 << bodRows.at(i);
    QTest::newRow("alexithymia 9") << "alex" << 9
                                   << "I like to let people know where I stand on things";
    QTest::newRow("alexithymia 12") << "alex" << 12 << "I am able to describe my feelings easily";
    QTest::newRow("alexithymia 14")
        << "alex" << 14 << "When I am upset, I don’t know if I am sad, frightened, or angry";
}

void TestDialogBodAlex::statementWording()
{
    QFETCH(QString, which);
    QFETCH(int, row);
    QFETCH(QString, text);
    const Questionnaire q = makeQuestionnaire(which);
    auto *box = q.dialog->findChild<QGroupBox *>(QStringLiteral("groupBox_%1").arg(row));
    QVERIFY(box);
    QCOMPARE(rowLabel(box, "q0")->text(), text);
}

// With a larger font (or a wider system font) the long situations need two lines:
// the row must grow to show them whole.
void TestDialogBodAlex::longStatementsWrapUncut()
{
    const Questionnaire q = makeQuestionnaire("bod");
    QDialog *d = q.dialog.get();
    for (int k = 1; k <= q.rows; ++k) {
        QLabel *statement = rowLabel(d->findChild<QGroupBox *>(QStringLiteral("groupBox_%1").arg(k)), "q0");
        QFont font = statement->font();
        font.setPointSize(18);
        statement->setFont(font);
    }
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d));
    int wrapped = 0;
    for (int k = 1; k <= q.rows; ++k) {
        QLabel *statement = rowLabel(d->findChild<QGroupBox *>(QStringLiteral("groupBox_%1").arg(k)), "q0");
        const int needed = statement->heightForWidth(statement->width());
        QVERIFY2(statement->height() >= needed,
                 qPrintable(QStringLiteral("row %1: %2 of %3 pixels").arg(k)
                                .arg(statement->height()).arg(needed)));
        wrapped += needed > statement->fontMetrics().lineSpacing() * 3 / 2;
    }
    QVERIFY(wrapped > 0);
}

QTEST_MAIN(TestDialogBodAlex)
#include "tst_dialog_bod_alex.moc"
