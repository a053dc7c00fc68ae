#include "dialog_mps.h"
#include "ui_dialog_mps.h"

#include "discardanswersquestion.h"

namespace {

// The published English items: nine on concern over mistakes, then four on doubts about
// actions, scored together.
const char *const concernAndDoubtsItems[] = {
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

const char *const personalStandardsItems[] = {
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

static_assert(std::size(concernAndDoubtsItems) == 13 && std::size(personalStandardsItems) == 7);

// "Strongly disagree" 1 to "Strongly agree" 5 for every item; none is reverse-keyed.
const QuestionnaireTable table = {
    "Dialog_mps", 13, 5, RowKeys::LettersAfterNine, 1, {}, AnswerGate::CloseUntilComplete,
    {scaleOf(concernAndDoubtsItems), scaleOf(personalStandardsItems)},
};

} // namespace

Dialog_mps::Dialog_mps(QWidget *parent)
    : QDialog(parent)
    , m_form(this, table, &Dialog_mps::on_checkBox_11_clicked)
{
    setScale(ConcernOverMistakesAndDoubts, QString());
}

Dialog_mps::~Dialog_mps() = default;

// An unknown scale would leave the gate without a set of rows to check: the rows and the
// gate stay as they are.
void Dialog_mps::setScale(int scale, const QString &title)
{
    m_form.answers->showScale(scale);
    setWindowTitle(title);
    on_checkBox_11_clicked();
}

int Dialog_mps::score() const
{
    return m_form.answers->score();
}

bool Dialog_mps::isComplete() const
{
    return m_form.answers->isComplete();
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
    m_form.answers->applyGate(m_form.ui->buttonBox);
}

void Dialog_mps::reject()
{
    if (DiscardAnswersQuestion::mayClose(this, *m_form.answers))
        QDialog::reject();
}
