#ifndef UNSAVEDINPUT_H
#define UNSAVEDINPUT_H

#include <QObject>
#include <QStringList>

class QWidget;

// Watches a dialog's fields: what they hold when the dialog is first shown counts as
// unchanged, so that what the program filled in beforehand is not taken for typing. The
// dialog's reject() asks mayDiscard() before Escape, Cancel or the window's close button
// throw away what was typed; a dialog left as it was closes at once.
class UnsavedInput : public QObject
{
    Q_OBJECT

public:
    explicit UnsavedInput(QWidget *dialog);

    // The fields as they are now count as unchanged.
    void remember();
    bool changed() const;
    // True when the dialog may close: nothing was typed, or the user chose "Discard".
    // "Go back", the default, and Escape keep the dialog and what it holds.
    bool mayDiscard() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QStringList state() const;

    QWidget *m_dialog;
    QStringList m_remembered;
    bool m_shown = false;
};

#endif // UNSAVEDINPUT_H
