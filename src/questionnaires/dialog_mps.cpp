#include "dialog_mps.h"
#include "ui_dialog_mps.h"

#include "answergrid.h"

// The published English items: nine on concern over mistakes, then four on doubts about
// actions, scored together.
const char *const Dialog_mps::concernAndDoubtsItems[] = {
    QT_TRANSLATE_NOOP("Dialog_mps", "If I fail at work/school, I am a failure as a person"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I should be upset if I make a mistake"),
    QT_TRANSLATE_NOOP("Dialog_mps", "If someone does a task at work/school better than I, then I "
                                    "feel like I failed the whole task"),
    QT_TRANSLATE_NOOP("Dialog_mps", "If I fail partly, it is as bad as being a complete failure"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I hate being less than the best at things"),
    QT_TRANSLATE_NOOP("Dialog_mps", "People will probably think less of me if I make a mistake"),
    QT_TRANSLATE_NOOP("Dialog_mps", "If I do not do as well as other people, it means I am an "
                                    "inferior human being"),
    QT_TRANSLATE_NOOP("Dialog_mps", "If I do not do well all the time, people will not respect me"),
    QT_TRANSLATE_NOOP("Dialog_mps", "The fewer mistakes I make, the more people will like me"),
    QT_TRANSLATE_NOOP("Dialog_mps", "Even when I do something very carefully, I often feel that "
                                    "it is not quite right"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I usually have doubts about the simple everyday things I do"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I tend to get behind in my work because I repeat things "
                                    "over and over"),
    QT_TRANSLATE_NOOP("Dialog_mps", "It takes me a long time to do something “right”"),
};

const char *const Dialog_mps::personalStandardsItems[] = {
    QT_TRANSLATE_NOOP("Dialog_mps", "If I do not set the highest standards for myself, I am "
                                    "likely to end up a second-rate person"),
    QT_TRANSLATE_NOOP("Dialog_mps", "It is important to me that I be thoroughly competent in "
                                    "everything I do"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I set higher goals than most people"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I am very good at focusing my efforts on attaining a goal"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I have extremely high goals"),
    QT_TRANSLATE_NOOP("Dialog_mps", "Other people seem to accept lower standards from themselves "
                                    "than I do"),
    QT_TRANSLATE_NOOP("Dialog_mps", "I expect higher performance in my daily tasks than most "
                                    "people"),
};

int Dialog_mps::itemCount(int scale)
{
    return scale == PersonalStandards ? int(std::size(personalStandardsItems))
                                      : int(std::size(concernAndDoubtsItems));
}

Dialog_mps::Dialog_mps(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::Dialog_mps)
{
    static_assert(std::size(concernAndDoubtsItems) == RowCount
                  && std::size(personalStandardsItems) == 7);
    ui->setupUi(this);

    const char *const *sources[ScaleCount] = {concernAndDoubtsItems, personalStandardsItems};
    for (int scale = 0; scale < ScaleCount; ++scale)
        for (int row = 0; row < itemCount(scale); ++row)
            m_items[scale][row] = tr(sources[scale][row]);

    m_answers = std::make_unique<AnswerGrid>(this, AnswerGrid::rowKeys(RowCount, true), OptionCount);
    m_answers->connectClicks(this, &Dialog_mps::on_checkBox_11_clicked);
    m_answers->nameBoxes({ui->label_2->text(), ui->label_5->text(), ui->label_7->text(),
                         ui->label_6->text(), ui->label_4->text()});

    m_scale = ConcernOverMistakesAndDoubts;
    setScale(m_scale, QString());
}

Dialog_mps::~Dialog_mps()
{
    delete ui;
}

void Dialog_mps::setScale(int scale, const QString &title)
{
    // An unknown scale would leave the gate without a set of rows to check: ignore it.
    if (scale >= 0 && scale < ScaleCount)
        m_scale = scale;
    setWindowTitle(title);

    const int shown = itemCount(m_scale);
    for (int row = 0; row < RowCount; ++row) {
        if (row < shown)
            findChild<QLabel *>(QStringLiteral("q%1").arg(row))->setText(m_items[m_scale][row]);
        // The row's group box is the parent of its answer boxes.
        m_answers->box(row, 0)->parentWidget()->setVisible(row < shown);
    }
    on_checkBox_11_clicked();
}

int Dialog_mps::score() const
{
    return m_answers->score([](int, int option) { return option + 1; });
}

bool Dialog_mps::isComplete() const
{
    return m_answers->rowsAnswered(itemCount(m_scale));
}

void Dialog_mps::on_buttonBox_accepted()
{
}

void Dialog_mps::on_buttonBox_rejected()
{
}

// The answer gate: OK alone once complete, Close alone before.
void Dialog_mps::on_checkBox_11_clicked()
{
    const QDialogButtonBox::StandardButtons wanted =
        isComplete() ? QDialogButtonBox::Ok : QDialogButtonBox::Close;
    // Rebuilding the buttons on every click would needlessly drop keyboard focus.
    if (ui->buttonBox->standardButtons() != wanted)
        ui->buttonBox->setStandardButtons(wanted);
}
