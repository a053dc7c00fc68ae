#include "answergrid.h"

#include <QtTest>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char *const firstItems[] = {"one", "two", "three", "four", "five", "six",
                                   "seven", "eight", "nine", "ten", "eleven"};
const char *const secondItems[] = {"alpha", "beta"};

// A form as the questionnaires build it: the header labels nested in a grid, named out of
// order, then one group box per row holding its answer boxes.
class SmallForm : public QWidget
{
public:
    explicit SmallForm(const QuestionnaireTable &table)
    {
        auto *column = new QVBoxLayout(this);
        auto *header = new QGridLayout;
        column->addLayout(header);
        const QStringList headerNames = {"label", "label_3", "label_9", "label_2", "label_5", "label_4"};
        for (int i = 0; i < table.optionCount + 2; ++i) {
            auto *label = new QLabel(QStringLiteral("h%1").arg(i), this);
            label->setObjectName(headerNames.at(i));
            header->addWidget(label, 0, i);
        }
        for (int r = 0; r < table.rowCount; ++r) {
            auto *row = new QWidget(this);
            auto *line = new QHBoxLayout(row);
            auto *text = new QLabel(row);
            text->setObjectName(QStringLiteral("q%1").arg(r));
            line->addWidget(text);
            for (int o = 0; o < table.optionCount; ++o) {
                auto *box = new QCheckBox(row);
                box->setObjectName(AnswerGrid::boxName(r, o, table.rowKeys));
                box->setAutoExclusive(true);
                line->addWidget(box);
            }
            column->addWidget(row);
        }
    }
    void answered() { ++clicks; }
    int clicks = 0;
};

// Eleven rows of three answers, so that rows 10 and 11 take letters; two scales.
QuestionnaireTable twoScales()
{
    return {"Test", 11, 3, RowKeys::LettersAfterNine, 1, {}, AnswerGate::None,
            {{firstItems, 11}, {secondItems, 2}}};
}

} // namespace

class TestAnswerGrid : public QObject
{
    Q_OBJECT

private slots:
    void namesFollowTheRowKeys();
    void scalesRelabelHideAndBoundCompleteness();
};

void TestAnswerGrid::namesFollowTheRowKeys()
{
    QCOMPARE(AnswerGrid::rowKeys(11, RowKeys::LettersAfterNine).mid(8),
             (QStringList{"9", "A", "B"}));
    QCOMPARE(AnswerGrid::rowKeys(11).mid(8), (QStringList{"9", "10", "11"}));
    QCOMPARE(AnswerGrid::boxName(9, 0, RowKeys::LettersAfterNine), QStringLiteral("checkBox_A1"));
    QCOMPARE(AnswerGrid::boxName(19, 3, RowKeys::Digits), QStringLiteral("checkBox_204"));

    // Headers in layout order, whatever their names; boxes named after the answers.
    const QuestionnaireTable table = twoScales();
    SmallForm form(table);
    const AnswerGrid grid(&form, table, &SmallForm::answered);
    QStringList headers;
    for (QLabel *label : AnswerGrid::headerLabels(&form))
        headers << label->text();
    QCOMPARE(headers, (QStringList{"h0", "h1", "h2", "h3", "h4"}));
    QCOMPARE(grid.box(10, 2)->accessibleName(), QStringLiteral("Item 11: h4"));

    // Every box but the first reaches the slot.
    grid.box(0, 0)->click();
    grid.box(0, 1)->click();
    grid.box(10, 2)->click();
    QCOMPARE(form.clicks, 2);
}

void TestAnswerGrid::scalesRelabelHideAndBoundCompleteness()
{
    const QuestionnaireTable table = twoScales();
    SmallForm form(table);
    form.show();
    AnswerGrid grid(&form, table, &SmallForm::answered);
    QCOMPARE(grid.shownScale(), 0);
    QCOMPARE(grid.shownItemCount(), 11);
    QCOMPARE(form.findChild<QLabel *>("q10")->text(), QStringLiteral("eleven"));
    QCOMPARE(grid.unansweredRows().size(), 11);

    QVERIFY(grid.showScale(1));
    QCOMPARE(grid.shownItemCount(), 2);
    QCOMPARE(form.findChild<QLabel *>("q1")->text(), QStringLiteral("beta"));
    QVERIFY(grid.box(1, 0)->parentWidget()->isVisible());
    QVERIFY(!grid.box(2, 0)->parentWidget()->isVisible());
    QCOMPARE(grid.unansweredRows(), (QList<int>{0, 1}));
    grid.box(1, 1)->click();
    QCOMPARE(grid.unansweredRows(), (QList<int>{0}));
    QVERIFY(!grid.isComplete());
    grid.box(0, 0)->click();
    QVERIFY(grid.isComplete()); // the hidden rows do not count

    // A scale the table lacks changes nothing.
    QVERIFY(!grid.showScale(2));
    QVERIFY(!grid.showScale(-1));
    QCOMPARE(grid.shownScale(), 1);
    QCOMPARE(form.findChild<QLabel *>("q0")->text(), QStringLiteral("alpha"));
    QVERIFY(!grid.box(2, 0)->parentWidget()->isVisible());
}

QTEST_MAIN(TestAnswerGrid)
#include "tst_answergrid.moc"
