#include "dialog.h"
#include "answerclicks.h"

#include <QtTest>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QSet>

namespace {

const int rowCount = 13;

QGroupBox *rowBox(const Dialog &d, int row)
{
    return d.findChild<QGroupBox *>(QStringLiteral("groupBox_%1").arg(row + 2));
}

QLabel *childLabel(const QWidget &w, const QString &name)
{
    return w.findChild<QLabel *>(name);
}

QStringList shownItemTexts(const Dialog &d)
{
    QStringList texts;
    for (int row = 0; row < rowCount; ++row)
        if (rowBox(d, row)->isVisibleTo(&d))
            texts << childLabel(d, QStringLiteral("q%1").arg(row))->text();
    return texts;
}

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
    QCOMPARE(shownItemTexts(d).size(), 10);
    QCOMPARE(shownItemTexts(d).first(),
             QStringLiteral("If you have put on weight, do you eat less than you usually do?"));
    QCOMPARE(d.score(), 0);

    const QStringList headerNames = {"label", "label_3", "label_2", "label_5",
                                     "label_7", "label_6", "label_4"};
    const QStringList headerTexts = {"№", "Questions", "Never", "Seldom",
                                     "Sometimes", "Often", "Very often"};
    for (int i = 0; i < headerNames.size(); ++i)
        QCOMPARE(childLabel(d, headerNames.at(i))->text(), headerTexts.at(i));

    for (int row = 0; row < rowCount; ++row) {
        QCOMPARE(childLabel(d, QStringLiteral("ql%1").arg(row))->text(), QString::number(row + 1));
        for (int option = 0; option < 5; ++option) {
            QCheckBox *box = answerBox(&d, row, option);
            QVERIFY(box);
            QVERIFY(box->text().isEmpty());
            QVERIFY(box->autoExclusive());
            QVERIFY(!box->isChecked());
            QCOMPARE(box->parentWidget(), rowBox(d, row));
        }
    }

    auto *buttons = d.findChild<QDialogButtonBox *>("buttonBox");
    QCOMPARE(buttons->standardButtons(), QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QVERIFY(buttons->isEnabled());

    const QMetaObject *mo = &Dialog::staticMetaObject;
    const QByteArrayList slotNames = {"on_checkBox_11_clicked()", "on_buttonBox_accepted()",
                                      "on_buttonBox_rejected()"};
    QCOMPARE(mo->methodCount() - mo->methodOffset(), int(slotNames.size()));
    for (int i = 0; i < slotNames.size(); ++i) {
        const QMetaMethod m = mo->method(mo->methodOffset() + i);
        QCOMPARE(m.methodSignature(), slotNames.at(i));
        QCOMPARE(m.access(), i == 0 ? QMetaMethod::Public : QMetaMethod::Private);
    }
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
    for (int row = 0; row < rowCount; ++row) {
        QCOMPARE(rowBox(d, row)->isVisible(), row < shown);
        QCOMPARE(childLabel(d, QStringLiteral("ql%1").arg(row))->text(), QString::number(row + 1));
    }
    const QStringList texts = shownItemTexts(d);
    QCOMPARE(texts.size(), shown);
    QCOMPARE(texts.at(quotedRow), quotedText);
    QCOMPARE(QSet<QString>(texts.begin(), texts.end()).size(), shown);
    for (const QString &text : texts) {
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
        all << shownItemTexts(d);
    }
    QCOMPARE(all.size(), 33);
    QCOMPARE(QSet<QString>(all.begin(), all.end()).size(), 33);
}

void TestDialog::unknownScaleKeepsRows()
{
    Dialog d;
    d.setScale(1, QString());
    const QStringList before = shownItemTexts(d);
    for (int scale : {-1, 3}) {
        d.setScale(scale, QStringLiteral("other"));
        QCOMPARE(d.windowTitle(), QStringLiteral("other"));
        QCOMPARE(shownItemTexts(d), before);
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

    clickAnswer(&d, 0, 1);
    expected[0] = 1;
    QCOMPARE(tickedOptions(&d, rowCount), expected);
    QCOMPARE(d.score(), 2);

    clickAnswer(&d, 0, 3);
    expected[0] = 3;
    QCOMPARE(tickedOptions(&d, rowCount), expected);
    QCOMPARE(d.score(), 4);

    clickAnswer(&d, 0, 3); // the ticked box again
    QCOMPARE(tickedOptions(&d, rowCount), expected);
    QCOMPARE(d.score(), 4);

    clickAnswer(&d, 1, 0);
    clickAnswer(&d, 12, 4);
    expected[1] = 0;
    expected[12] = 4;
    QCOMPARE(tickedOptions(&d, rowCount), expected);
    QCOMPARE(d.score(), 4 + 1 + 5);

    clickAnswer(&d, 12, 2);
    expected[12] = 2;
    QCOMPARE(tickedOptions(&d, rowCount), expected);
    QCOMPARE(d.score(), 4 + 1 + 3);
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
    Dialog d;
    d.setScale(scale, QString());
    d.show();
    answerRows(&d, answers);
    QCOMPARE(d.score(), expected);
}

void TestDialog::boxesLineUpUnderHeaders()
{
    Dialog d;
    d.setScale(1, QString());
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    auto *contents = d.findChild<QWidget *>("scrollAreaWidgetContents");
    auto centreX = [contents](const QWidget *w) {
        return w->mapTo(contents, w->rect().center()).x();
    };
    auto leftX = [contents](const QWidget *w) { return w->mapTo(contents, QPoint(0, 0)).x(); };

    const QStringList optionHeaders = {"label_2", "label_5", "label_7", "label_6", "label_4"};
    for (int row = 0; row < rowCount; ++row) {
        QCOMPARE(leftX(childLabel(d, QStringLiteral("q%1").arg(row))),
                 leftX(childLabel(d, "label_3")));
        QVERIFY(qAbs(centreX(childLabel(d, QStringLiteral("ql%1").arg(row)))
                     - centreX(childLabel(d, "label"))) <= 4);
        for (int option = 0; option < 5; ++option) {
            const int header = centreX(childLabel(d, optionHeaders.at(option)));
            const int box = centreX(answerBox(&d, row, option));
            QVERIFY2(qAbs(header - box) <= 3,
                     qPrintable(QStringLiteral("row %1 option %2: box at %3, header at %4")
                                    .arg(row).arg(option).arg(box).arg(header)));
        }
    }
}

QTEST_MAIN(TestDialog)
#include "tst_dialog.moc"
