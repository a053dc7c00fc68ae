#include "unsavedinput.h"

#include "unsavedinputtr.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>

UnsavedInput::UnsavedInput(QWidget *dialog)
    : QObject(dialog)
    , m_dialog(dialog)
{
    dialog->installEventFilter(this);
}

bool UnsavedInput::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_dialog && event->type() == QEvent::Show && !m_shown) {
        m_shown = true;
        remember();
    }
    return QObject::eventFilter(watched, event);
}

// Every field of the dialog that takes input, as text, in the order of its children.
QStringList UnsavedInput::state() const
{
    QStringList values;
    for (const QWidget *child : m_dialog->findChildren<QWidget *>()) {
        // A popup (a field's calendar) and another window are not the dialog's fields.
        if (child->window() != m_dialog)
            continue;
        if (const auto *edit = qobject_cast<const QLineEdit *>(child))
            values << edit->text();
        else if (const auto *text = qobject_cast<const QPlainTextEdit *>(child))
            values << text->toPlainText();
        else if (const auto *spin = qobject_cast<const QAbstractSpinBox *>(child))
            values << spin->text();
        else if (const auto *combo = qobject_cast<const QComboBox *>(child))
            values << combo->currentText();
        else if (const auto *button = qobject_cast<const QAbstractButton *>(child);
                 button && button->isCheckable())
            values << QString::number(button->isChecked());
    }
    return values;
}

void UnsavedInput::remember()
{
    m_remembered = state();
}

bool UnsavedInput::changed() const
{
    return state() != m_remembered;
}

bool UnsavedInput::mayDiscard() const
{
    // A dialog never shown was never typed into.
    if (!m_shown || !changed())
        return true;
    QMessageBox question(m_dialog);
    question.setObjectName(QStringLiteral("discardChangesQuestion"));
    question.setIcon(QMessageBox::Question);
    question.setWindowTitle(UnsavedInputTr::tr("Unsaved changes"));
    question.setText(UnsavedInputTr::tr("Discard the changes?"));
    question.setInformativeText(UnsavedInputTr::tr("What was typed in “%1” is lost if it closes now.")
                                    .arg(m_dialog->windowTitle()));
    QPushButton *goBack = question.addButton(UnsavedInputTr::tr("Go back"), QMessageBox::RejectRole);
    QPushButton *discard = question.addButton(UnsavedInputTr::tr("Discard"), QMessageBox::DestructiveRole);
    question.setDefaultButton(goBack);
    question.setEscapeButton(goBack);
    question.exec();
    return question.clickedButton() == discard;
}
