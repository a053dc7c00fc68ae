#ifndef DATABASEDIALOG_H
#define DATABASEDIALOG_H

#include "databaselocation.h"

#include <QDialog>

#include <functional>

class UnsavedInput;
class QLabel;
class QLineEdit;
class QRadioButton;
class QSpinBox;
class QWidget;

// "Database…": whether the case book is the file on this computer or a database on the
// clinic's PostgreSQL server, kept with QSettings when the user presses OK. "Test connection"
// tries the choice as it stands in the dialog and says plainly what happened.
class DatabaseDialog : public QDialog
{
    Q_OBJECT

public:
    // Tries a location and returns what to tell the user; the case book supplies one that
    // also looks at the case book found there.
    using Tester = std::function<QString(const DatabaseLocation &location)>;

    DatabaseDialog(const QString &localFile, QWidget *parent = nullptr);

    void setTester(Tester tester) { m_tester = std::move(tester); }
    // The location the dialog shows now (not yet saved).
    DatabaseLocation chosenLocation() const;

    // Opens a connection to the server, asks who we are, closes it again.
    static QString testServer(const QString &connectionString);

    void accept() override;
    // Asks before what was typed is thrown away.
    void reject() override;

private:
    void testConnection();
    void updateEnabled();

    QString m_localFile;
    Tester m_tester;
    QRadioButton *m_thisComputer;
    QRadioButton *m_clinicServer;
    QWidget *m_serverFields;
    QLineEdit *m_host;
    QSpinBox *m_port;
    QLineEdit *m_database;
    QLineEdit *m_user;
    QLineEdit *m_service;
    QLabel *m_testResult;
    UnsavedInput *m_unsaved;
};

#endif // DATABASEDIALOG_H
