#include "dialog_mps.h"
#include "formchecks.h"

#include <QtTest>
#include <QDialogButtonBox>

namespace {

const int rowCount = 13;
const QDialogButtonBox::StandardButtons closeOnly = QDialogButtonBox::Close;
const QDialogButtonBox::StandardButtons okOnly = QDialogButtonBox::Ok;

QDialogButtonBox::StandardButtons buttons(const Dialog_mps &d)
{
    return d.findChild<QDialogButtonBox *>("buttonBox")->standardButtons();
}

int shownRows(int scale)
{
    return scale == 1 ? 7 : 13;
}

} // namespace

class TestDialogMps : public QObject
{
    Q_OBJECT

private slots:
    void formAsBuilt();
    void scaleShowsItsRows_data();
    void scaleShowsItsRows();
    void unknownScaleKeepsRows();
    void gateOpensOnLastShownRow_data();
    void gateOpensOnLastShownRow();
    void everyBoxReachesTheGate();
    void rowBehavesAsRadioGroup();
    void score_data();
    void score();
    void buttonsEndTheDialog();
    void boxesLineUpUnderHeaders();
};

void TestDialogMps::formAsBuilt()
{
    Dialog_mps d;
    QCOMPARE(d.objectName(), QStringLiteral("Dialog_mps"));
    QCOMPARE(d.size(), QSize(994, 700));
    QCOMPARE(d.font().pointSize(), 11);
    QVERIFY(d.windowTitle().isEmpty());
    QCOMPARE(shownItemTexts(d, rowCount).size(), 13);
    QCOMPARE(buttons(d), closeOnly);
    QVERIFY(!d.isComplete());

    compareHeaders(d, {"№", "Questions", "Strongly disagree", "Disagree", "Neutral", "Agree",
                       "Strongly agree"});
    if (QTest::currentTestFailed())
        return;
    checkRowsAsBuilt(d, rowCount);
    if (QTest::currentTestFailed())
        return;

    compareSlots(Dialog_mps::staticMetaObject, {},
                 {"on_buttonBox_accepted()", "on_buttonBox_rejected()",
                  "on_checkBox_11_clicked()"});
}

void TestDialogMps::scaleShowsItsRows_data()
{
    QTest::addColumn<QList<int>>("scales"); // setScale calls in order
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("quotedRow");
    QTest::addColumn<QString>("quotedText");
    const QString md = "Calculating the score on “Concern over mistakes, doubts about actions” scale...";
    const QString ps = "Calculating the score on “Personal standards” scale...";
    QTest::newRow("concern and doubts") << QList<int>{0} << md << 0
                                        << "If I fail at work/school, I am a failure as a person";
    QTest::newRow("personal standards") << QList<int>{1} << ps << 4 << "I have extremely high goals";
    QTest::newRow("personal standards, then concern")
        << QList<int>{1, 0} << md << 12 << "It takes me a long time to do something “right”";
}

void TestDialogMps::scaleShowsItsRows()
{
    QFETCH(QList<int>, scales);
    QFETCH(QString, title);
    QFETCH(int, quotedRow);
    QFETCH(QString, quotedText);
    Dialog_mps d;
    for (int scale : scales)
        d.setScale(scale, title);
    d.show();

    const int shown = shownRows(scales.last());
    QCOMPARE(d.windowTitle(), title);
    checkShownRows(d, rowCount, shown, quotedRow, quotedText);
    if (QTest::currentTestFailed())
        return;
    for (const QString &text : shownItemTexts(d, rowCount))
        QVERIFY2(text.size() > 20, qPrintable(text)); // no row-number placeholder left
    QCOMPARE(buttons(d), closeOnly);
}

void TestDialogMps::unknownScaleKeepsRows()
{
    Dialog_mps d;
    d.setScale(1, QString());
    d.show();
    for (int scale : {-1, 2}) {
        d.setScale(scale, QStringLiteral("other"));
        QCOMPARE(d.windowTitle(), QStringLiteral("other"));
        QCOMPARE(shownItemTexts(d, rowCount).size(), 7);
    }
    answerRows(&d, sameAnswer(7, 2));
    QVERIFY(d.isComplete());
    QCOMPARE(buttons(d), okOnly);
}

void TestDialogMps::gateOpensOnLastShownRow_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("reverse"); // answer the rows from the bottom up
    QTest::newRow("concern and doubts") << 0 << false;
    QTest::newRow("concern and doubts, bottom up") << 0 << true;
    QTest::newRow("personal standards") << 1 << false;
    QTest::newRow("personal standards, bottom up") << 1 << true;
}

void TestDialogMps::gateOpensOnLastShownRow()
{
    QFETCH(int, scale);
    QFETCH(bool, reverse);
    Dialog_mps d;
    d.setScale(scale, QString());
    d.show();
    const int shown = shownRows(scale);

    for (int i = 0; i < shown; ++i) {
        QCOMPARE(buttons(d), closeOnly);
        QVERIFY(!d.isComplete());
        clickAnswer(&d, reverse ? shown - 1 - i : i, i % 5);
    }
    QCOMPARE(buttons(d), okOnly);
    QVERIFY(d.isComplete());
    // The hidden rows stay unanswered and do not hold the gate shut.
    for (int row = shown; row < rowCount; ++row)
        QCOMPARE(tickedOptions(&d, rowCount).at(row), -1);

    // Changing an answer, or clicking a ticked box again, keeps the form complete.
    clickAnswer(&d, 0, 4);
    QCOMPARE(buttons(d), okOnly);
    clickAnswer(&d, 0, 4);
    QCOMPARE(buttons(d), okOnly);
    QCOMPARE(tickedOptions(&d, 1).first(), 4);
}

// Each box must re-apply the gate itself: fill every other row silently, then click it.
void TestDialogMps::everyBoxReachesTheGate()
{
    for (int row = 0; row < rowCount; ++row) {
        for (int option = 0; option < 5; ++option) {
            Dialog_mps d;
            d.show();
            for (int other = 0; other < rowCount; ++other)
                if (other != row)
                    answerBox(&d, other, 0)->setChecked(true);
            QCOMPARE(buttons(d), closeOnly);
            clickAnswer(&d, row, option);
            QVERIFY2(buttons(d) == okOnly,
                     qPrintable(QStringLiteral("row %1 option %2").arg(row).arg(option)));
        }
    }
}

void TestDialogMps::rowBehavesAsRadioGroup()
{
    Dialog_mps d;
    d.show();
    clickAnswer(&d, 3, 1);
    clickAnswer(&d, 3, 3);
    QList<int> expected(rowCount, -1);
    expected[3] = 3;
    clickAndCompare(d, 4, 0, expected, 4 + 1);
}

void TestDialogMps::score_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<QList<int>>("answers");
    QTest::addColumn<int>("expected");
    QTest::newRow("personal standards, all strongly agree") << 1 << sameAnswer(7, 4) << 35;
    QTest::newRow("personal standards, all strongly disagree") << 1 << sameAnswer(7, 0) << 7;
    QTest::newRow("concern and doubts, all neutral") << 0 << sameAnswer(13, 2) << 39;
    QTest::newRow("concern and doubts, all strongly agree") << 0 << sameAnswer(13, 4) << 65;
    QTest::newRow("concern and doubts, incomplete")
        << 0 << QList<int>{0, 1, 2, 3, 4, -1, -1, -1, -1, -1, -1, -1, 1} << 17;
}

void TestDialogMps::score()
{
    QFETCH(int, scale);
    QFETCH(QList<int>, answers);
    QFETCH(int, expected);
    QCOMPARE(scoreAfter<Dialog_mps>(scale, answers), expected);
}

void TestDialogMps::buttonsEndTheDialog()
{
    {
        Dialog_mps d;
        d.setScale(1, QString());
        d.show();
        clickStandardButton(&d, QDialogButtonBox::Close);
        QCOMPARE(d.result(), int(QDialog::Rejected));
        QVERIFY(!d.isVisible());
    }
    {
        Dialog_mps d;
        d.setScale(1, QString());
        d.show();
        answerRows(&d, sameAnswer(7, 1));
        clickStandardButton(&d, QDialogButtonBox::Ok);
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QCOMPARE(d.score(), 14);
    }
}

void TestDialogMps::boxesLineUpUnderHeaders()
{
    Dialog_mps d;
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    checkBoxesUnderHeaders(d, rowCount, 3);
}

QTEST_MAIN(TestDialogMps)
#include "tst_dialog_mps.moc"
