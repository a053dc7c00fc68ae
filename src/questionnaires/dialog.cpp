#include "dialog.h"
#include "ui_dialog.h"

#include "discardanswersquestion.h"
#include "incompleteformquestion.h"

namespace {

// The published English items, grouped by scale in questionnaire order.
const char *const restrainedItems[] = {
    QT_TRANSLATE_NOOP("Dialog", "If you have put on weight, do you eat less than you usually do?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you try to eat less at mealtimes than you would like to eat?"),
    QT_TRANSLATE_NOOP("Dialog", "How often do you refuse food or drink offered because you are "
                                "concerned about your weight?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you watch exactly what you eat?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you deliberately eat foods that are slimming?"),
    QT_TRANSLATE_NOOP("Dialog", "When you have eaten too much, do you eat less than usual the "
                                "following days?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you deliberately eat less in order not to become heavier?"),
    QT_TRANSLATE_NOOP("Dialog", "How often do you try not to eat between meals because you are "
                                "watching your weight?"),
    QT_TRANSLATE_NOOP("Dialog", "How often in the evening do you try not to eat because you are "
                                "watching your weight?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you take into account your weight with what you eat?"),
};

const char *const emotionalItems[] = {
    QT_TRANSLATE_NOOP("Dialog", "Do you have the desire to eat when you are irritated?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you have nothing to do?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are depressed or "
                                "discouraged?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are feeling lonely?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when somebody lets you down?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are cross?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are approaching something "
                                "unpleasant to happen?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you get the desire to eat when you are anxious, worried or "
                                "tense?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when things are going against you "
                                "or when things have gone wrong?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are frightened?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are disappointed?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are emotionally upset?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you have a desire to eat when you are bored or restless?"),
};

const char *const externalItems[] = {
    QT_TRANSLATE_NOOP("Dialog", "If food tastes good to you, do you eat more than usual?"),
    QT_TRANSLATE_NOOP("Dialog", "If food smells and looks good, do you eat more than usual?"),
    QT_TRANSLATE_NOOP("Dialog", "If you see or smell something delicious, do you have a desire "
                                "to eat it?"),
    QT_TRANSLATE_NOOP("Dialog", "If you have something delicious to eat, do you eat it straight "
                                "away?"),
    QT_TRANSLATE_NOOP("Dialog", "If you walk past the baker do you have the desire to buy "
                                "something delicious?"),
    QT_TRANSLATE_NOOP("Dialog", "If you walk past a snackbar or a café, do you have the desire "
                                "to buy something delicious?"),
    QT_TRANSLATE_NOOP("Dialog", "If you see others eating, do you also have the desire to eat?"),
    QT_TRANSLATE_NOOP("Dialog", "Can you resist eating delicious foods?"),
    QT_TRANSLATE_NOOP("Dialog", "Do you eat more than usual, when you see others eating?"),
    QT_TRANSLATE_NOOP("Dialog", "When preparing a meal are you inclined to eat something?"),
};
static_assert(std::size(restrainedItems) == 10 && std::size(emotionalItems) == 13
              && std::size(externalItems) == 10);

// Every answer weighs its position, 1 "Never" to 5 "Very often", in all three scales.
const QuestionnaireTable table = {
    "Dialog", 13, 5, RowKeys::LettersAfterNine, 1, {}, AnswerGate::None,
    {scaleOf(restrainedItems), scaleOf(emotionalItems), scaleOf(externalItems)},
};

} // namespace

Dialog::Dialog(QWidget *parent)
    : QDialog(parent)
    , m_form(this, table, &Dialog::on_checkBox_11_clicked)
{
    // The grid starts on restrained eating; only the form's placeholder title must go.
    setWindowTitle(QString());
}

Dialog::~Dialog() = default;

// An unknown scale has no items to show: the rows stay as they are.
void Dialog::setScale(int scale, const QString &title)
{
    setWindowTitle(title);
    m_form.answers->showScale(scale);
}

int Dialog::score() const
{
    return m_form.answers->score();
}

int Dialog::itemCount() const
{
    return m_form.answers->shownItemCount();
}

QList<int> Dialog::unansweredItems() const
{
    QList<int> items;
    for (int row : m_form.answers->unansweredRows())
        items << row + 1;
    return items;
}

void Dialog::accept()
{
    const QList<int> unanswered = unansweredItems();
    if (unanswered.isEmpty() || IncompleteFormQuestion::acceptAnyway(this, unanswered, itemCount()))
        QDialog::accept();
}

// Every answer box reaches this slot; the questionnaire has no gate, so nothing is to be done.
void Dialog::on_checkBox_11_clicked()
{
}

void Dialog::on_buttonBox_accepted()
{
}

void Dialog::on_buttonBox_rejected()
{
}

void Dialog::reject()
{
    if (DiscardAnswersQuestion::mayClose(this, *m_form.answers))
        QDialog::reject();
}
