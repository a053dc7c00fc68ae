#include "questionnaireanswers.h"
#include "answergrid.h"
#include "questionnaireform.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>

namespace {

// Marks a form that shows stored answers and takes no new ones.
const char readOnlyProperty[] = "telmaReadOnlyAnswers";

RowKeys rowKeysOf(const QWidget *form)
{
    return static_cast<RowKeys>(form->property(rowKeysProperty).toInt());
}

QCheckBox *box(const QWidget *form, int row, int option)
{
    return form->findChild<QCheckBox *>(AnswerGrid::boxName(row, option, rowKeysOf(form)));
}

// Swallows whatever would change a box: clicks and keys.
class ReadOnlyFilter : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
            return true;
        default:
            return false;
        }
    }
};

} // namespace

namespace QuestionnaireAnswers {

QVector<int> read(const QWidget *form)
{
    // The rows of the scale the form shows are the visible ones, from the top; a row's
    // group box is hidden when its scale has fewer items.
    QVector<int> answers;
    for (int row = 0; box(form, row, 0) && !box(form, row, 0)->parentWidget()->isHidden();
         ++row) {
        int ticked = -1;
        for (int option = 0; QCheckBox *b = box(form, row, option); ++option) {
            if (b->isChecked()) {
                ticked = option;
                break;
            }
        }
        answers << ticked;
    }
    return answers;
}

void showReadOnly(QWidget *form, const QVector<int> &answers)
{
    form->setProperty(readOnlyProperty, true);
    auto *filter = new ReadOnlyFilter(form);
    for (int row = 0; box(form, row, 0); ++row) {
        for (int option = 0; QCheckBox *b = box(form, row, option); ++option) {
            b->setChecked(row < answers.size() && answers.at(row) == option);
            b->installEventFilter(filter);
            b->setFocusPolicy(Qt::NoFocus);
        }
    }
    if (auto *buttons = form->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"))) {
        buttons->setStandardButtons(QDialogButtonBox::Close);
        buttons->setEnabled(true);
        buttons->button(QDialogButtonBox::Close)->setEnabled(true);
    }
}

bool isReadOnly(const QWidget *form)
{
    return form->property(readOnlyProperty).toBool();
}

} // namespace QuestionnaireAnswers
