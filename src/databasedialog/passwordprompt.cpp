#include "passwordprompt.h"

#include "databasedialogtr.h"
#include "passwordkeeper.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QPointer>

void installPasswordPrompt(QWidget *window)
{
    QPointer<QWidget> parent(window);
    PasswordKeeper::instance().setAsker([parent](const QString &connection) -> std::optional<QString> {
        bool ok = false;
        const QString password = QInputDialog::getText(
            parent, DatabaseDialogTr::tr("Clinic server password"),
            DatabaseDialogTr::tr("%1\n\nPassword (kept until the program closes, never saved):").arg(connection),
            QLineEdit::Password, QString(), &ok);
        if (!ok)
            return std::nullopt;
        return password;
    });
}
