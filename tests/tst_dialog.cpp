#include "dialog.h"
#include "formchecks.h"
#include "modaldriver.h"

#include <QtTest>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QSet>

#include <memory>

namespace {

const int rowCount = 13;

const char *const titles[] = {
    "Calculating the score on “Restrained eating” scale...",
    "Calculating the score on “Emotional eating” scale...",
    "Calculating the score on “External eating” scale...",
};

struct Question {
    bool asked = false;
    QString text;
    QString defaultButton;
    QString escapeButton;
};

// Presses OK in the shown form d and answers the question that may follow as how says:
// "go back", "accept anyway", or the key "escape" or "return". A question that comes
// where none is expected is noted and turned away after two seconds.
Question pressOk(Dialog &d, const QString &how)
{
    // Shared, because a question that never comes leaves the watch running after we return.
    const auto q = std::make_shared<Question>();
    QObject guard;
    if (how.isEmpty()) {
        QTimer::singleShot(2000, &guard, [q] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                q->asked = true;
                modal->close();
            }
        });
    } else {
        onNextModal([q, how](QWidget *modal) {
            auto *box = qobject_cast<QMessageBox *>(modal);
            q->asked = box != nullptr;
            if (box) {
                q->text = box->text();
                q->defaultButton = box->defaultButton() ? box->defaultButton()->text() : QString();
                q->escapeButton = box->escapeButton() ? box->escapeButton()->text() : QString();
                if (how == "escape" || how == "return") {
                    QTest::keyClick(box, how == "escape" ? Qt::Key_Escape : Qt::Key_Return);
                } else {
                    for (QAbstractButton *button : box->buttons())
                        if (button->text().compare(how, Qt::CaseInsensitive) == 0)
                            button->click();
                }
            }
            if (modal->isVisible())
                modal->close();
        });
    }
    clickStandardButton(&d, QDialogButtonBox::Ok);
    return *q;
}

} // namespace

class TestDialog : public QObject
{
    Q_OBJECT

private slots:
    void formAsBuilt();
    void scaleShowsItsRows_data();
    void scaleShowsItsRows();
    void scalesHaveDistinctItems();
    void unknownScaleKeepsRows();
    void rowBehavesAsRadioGroup();
    void score_data();
    void score();
    void boxesLineUpUnderHeaders();
    void okAsksAboutUnansweredItems_data();
    void okAsksAboutUnansweredItems();
};

void TestDialog::formAsBuilt()
{
    Dialog d;
    QCOMPARE(d.objectName(), QStringLiteral("Dialog"));
    QCOMPARE(d.size(), QSize(953, 639));
    QCOMPARE(d.minimumSize(), QSize(920, 600));
    QCOMPARE(d.font().pointSize(), 12);
    // Right after construction: restrained eating, without a title.
    QVERIFY(d.windowTitle().isEmpty());
    QCOMPARE(shownItemTexts(d, rowCount).size(), 10);
    QCOMPARE(shownItemTexts(d, rowCount).first(),
             QStringLiteral("If you have put on weight, do you eat less than you usually do?"));
    QCOMPARE(d.score(), 0);

    compareHeaders(d, {"№", "Questions", "Never", "Seldom", "Sometimes", "Often", "Very often"});
    if (QTest::currentTestFailed())
        return;
    checkRowsAsBuilt(d, rowCount);
    if (QTest::currentTestFailed())
        return;

    auto *buttons = d.findChild<QDialogButtonBox *>("buttonBox");
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY(buttons->isEnabled());

    compareSlots(Dialog::staticMetaObject, {"on_checkBox_11_clicked()"},
                 {"on_buttonBox_accepted()", "on_buttonBox_rejected()"});
}

void TestDialog::scaleShowsItsRows_data()
{
    QTest::addColumn<QList<int>>("scales"); // setScale calls in order
    QTest::addColumn<int>("shown");
    QTest::addColumn<int>("quotedRow");
    QTest::addColumn<QString>("quotedText");
    QTest::newRow("restrained") << QList<int>{0} << 10 << 0
                                << "If you have put on weight, do you eat less than you usually do?";
    QTest::newRow("emotional") << QList<int>{1} << 13 << 12
                               << "Do you have a desire to eat when you are bored or restless?";
    QTest::newRow("external") << QList<int>{2} << 10 << 7 << "Can you resist eating delicious foods?";
    QTest::newRow("emotional, then external") << QList<int>{1, 2} << 10 << 7
                                              << "Can you resist eating delicious foods?";
    QTest::newRow("external, then emotional") << QList<int>{2, 1} << 13 << 0
                                              << "Do you have the desire to eat when you are irritated?";
}

void TestDialog::scaleShowsItsRows()
{
    QFETCH(QList<int>, scales);
    QFETCH(int, shown);
    QFETCH(int, quotedRow);
    QFETCH(QString, quotedText);
    Dialog d;
    for (int scale : scales)
        d.setScale(scale, QString::fromUtf8(titles[scale]));
    d.show();

    QCOMPARE(d.windowTitle(), QString::fromUtf8(titles[scales.last()]));
    checkShownRows(d, rowCount, shown, quotedRow, quotedText);
    if (QTest::currentTestFailed())
        return;
    for (const QString &text : shownItemTexts(d, rowCount)) {
        QVERIFY(text.endsWith('?'));
        QVERIFY2(!text.startsWith("Question"), qPrintable(text)); // no placeholder left
    }
}

void TestDialog::scalesHaveDistinctItems()
{
    Dialog d;
    QStringList all;
    for (int scale = 0; scale < 3; ++scale) {
        d.setScale(scale, QString());
        all << shownItemTexts(d, rowCount);
    }
    QCOMPARE(all.size(), 33);
    QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 33);
}

void TestDialog::unknownScaleKeepsRows()
{
    Dialog d;
    d.setScale(1, QString());
    const QStringList before = shownItemTexts(d, rowCount);
    for (int scale : {-1, 3}) {
        d.setScale(scale, QStringLiteral("other"));
        QCOMPARE(d.windowTitle(), QStringLiteral("other"));
        QCOMPARE(shownItemTexts(d, rowCount), before);
    }
}

// Auto-exclusive check boxes sharing a group box: a tick moves, it cannot be withdrawn,
// and rows do not influence each other.
void TestDialog::rowBehavesAsRadioGroup()
{
    Dialog d;
    d.setScale(1, QString());
    d.show();
    QList<int> expected(rowCount, -1);

    // After each click every row's tick and the score are compared.
    clickAndCompare(d, 0, 1, expected, 2);
    if (QTest::currentTestFailed())
        return;
    clickAndCompare(d, 0, 3, expected, 4);
    if (QTest::currentTestFailed())
        return;
    clickAndCompare(d, 0, 3, expected, 4); // the ticked box again
    if (QTest::currentTestFailed())
        return;
    clickAnswer(&d, 1, 0);
    expected[1] = 0;
    clickAndCompare(d, 12, 4, expected, 4 + 1 + 5);
    if (QTest::currentTestFailed())
        return;
    clickAndCompare(d, 12, 2, expected, 4 + 1 + 3);
}

void TestDialog::score_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QList<int>>("answers"); // option per row, -1 unanswered
    QTest::addColumn<int>("expected");

    QTest::newRow("restrained, all very often") << 0 << sameAnswer(10, 4) << 50;
    QTest::newRow("restrained, all never") << 0 << sameAnswer(10, 0) << 10;
    QList<int> sum64 = sameAnswer(13, 4);
    sum64[6] = 3;
    QTest::newRow("emotional, sum 64") << 1 << sum64 << 64;
    QList<int> rising;
    for (int row = 0; row < 13; ++row)
        rising << row % 5;
    QTest::newRow("emotional, each option in turn") << 1 << rising << 15 + 15 + 1 + 2 + 3;
    QList<int> item8(10, -1);
    item8[7] = 0;
    QTest::newRow("external item 8 never") << 2 << item8 << 1;
    item8[7] = 4;
    QTest::newRow("external item 8 very often") << 2 << item8 << 5;
    QTest::newRow("external, three often") << 2 << QList<int>{3, -1, 3, -1, -1, -1, -1, -1, -1, 3} << 12;
    QTest::newRow("external, nothing ticked") << 2 << QList<int>() << 0;
}

void TestDialog::score()
{
    QFETCH(int, scale);
    QFETCH(QList<int>, answers);
    QFETCH(int, expected);
    QCOMPARE(scoreAfter<Dialog>(scale, answers), expected);
}

void TestDialog::boxesLineUpUnderHeaders()
{
    Dialog d;
    d.setScale(1, QString());
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto leftX = [&d](const QWidget *w) { return xInRows(d, w, QPoint(0, 0)); };
    for (int row = 0; row < rowCount; ++row)
        QCOMPARE(leftX(childLabel(d, QStringLiteral("q%1").arg(row))),
                 leftX(childLabel(d, "label_3")));
    checkBoxesUnderHeaders(d, rowCount, 4);
}

void TestDialog::okAsksAboutUnansweredItems_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QList<int>>("answers"); // option per row, -1 unanswered
    QTest::addColumn<QString>("how");         // the answer to the question; empty: none asked
    QTest::addColumn<QString>("question");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<int>("score");

    const QString tooLow = "\nUnanswered items count 0, so the value written will be too low.";
    QTest::newRow("restrained, complete: nothing asked")
        << 0 << sameAnswer(10, 2) << "" << "" << true << 30;
    QTest::newRow("emotional, complete: nothing asked")
        << 1 << sameAnswer(13, 0) << "" << "" << true << 13;
    const QList<int> fiveOften = {3, -1, 3, -1, 3, -1, 3, -1, 3, -1};
    const QString fiveMissing = "5 of 10 items are unanswered: items 2, 4, 6, 8 and 10." + tooLow;
    QTest::newRow("five of ten, go back")
        << 0 << fiveOften << "go back" << fiveMissing << false << 20;
    QTest::newRow("five of ten, Escape goes back")
        << 0 << fiveOften << "escape" << fiveMissing << false << 20;
    QTest::newRow("five of ten, Return goes back")
        << 0 << fiveOften << "return" << fiveMissing << false << 20;
    QTest::newRow("five of ten, accept anyway")
        << 0 << fiveOften << "accept anyway" << fiveMissing << true << 20;
    QList<int> lastMissing = sameAnswer(13, 4);
    lastMissing[12] = -1;
    QTest::newRow("emotional, item 13 missing")
        << 1 << lastMissing << "go back" << "1 of 13 items is unanswered: item 13." + tooLow
        << false << 60;
    // An empty form offers no "Accept anyway": 0.00 would be written as if it were a score.
    QTest::newRow("external, nothing ticked")
        << 2 << QList<int>() << "accept anyway"
        << "None of the 10 items is answered.\nAnswer the items, or cancel the form." << false
        << 0;
}

void TestDialog::okAsksAboutUnansweredItems()
{
    QFETCH(int, scale);
    QFETCH(QList<int>, answers);
    QFETCH(QString, how);
    QFETCH(QString, question);
    QFETCH(bool, accepted);
    QFETCH(int, score);
    Dialog d;
    d.setScale(scale, QString());
    d.show();
    answerRows(&d, answers);
    const QList<int> ticked = tickedOptions(&d, rowCount);

    const Question q = pressOk(d, how);
    QCOMPARE(q.asked, !how.isEmpty());
    QCOMPARE(q.text, question);
    if (q.asked) {
        QCOMPARE(q.defaultButton, QStringLiteral("Go back"));
        QCOMPARE(q.escapeButton, QStringLiteral("Go back"));
    }
    QCOMPARE(d.isVisible(), !accepted);
    QCOMPARE(d.result(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
    QCOMPARE(tickedOptions(&d, rowCount), ticked);
    QCOMPARE(d.score(), score);
    if (accepted)
        return;

    // Back in the form: once every shown item is answered, OK accepts without a word.
    for (int row = 0; row < d.itemCount(); ++row)
        if (ticked.at(row) < 0)
            clickAnswer(&d, row, 0);
    QVERIFY(d.unansweredItems().isEmpty());
    QCOMPARE(pressOk(d, QString()).asked, false);
    QCOMPARE(d.result(), int(QDialog::Accepted));
}

QTEST_MAIN(TestDialog)
#include "tst_dialog.moc"
