#include "dialog.h"
#include "formchecks.h"

#include <QtTest>
#include <QDialogButtonBox>
#include <QSet>

namespace {

const int rowCount = 13;

const char *const titles[] = {
    "Calculating the score on “Restrained eating” scale...",
    "Calculating the score on “Emotional eating” scale...",
    "Calculating the score on “External eating” scale...",
};

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

QTEST_MAIN(TestDialog)
#include "tst_dialog.moc"
