#ifndef SAVECASEDIALOG_H
#define SAVECASEDIALOG_H

#include "caserecord.h"

#include <QDialog>

class CaseStore;
class DateField;
class UnsavedInput;
class QLineEdit;

// "Save to case": the case code, the baseline date and the height, then Ok saves the
// simulation as a new case in one transaction. A refused save keeps the dialog open with
// what was typed.
class SaveCaseDialog : public QDialog
{
    Q_OBJECT

public:
    // draft holds the simulation's values; its code, date and height are the proposals.
    SaveCaseDialog(CaseStore &store, const CaseRecord &draft, QWidget *parent = nullptr);

    // The case as saved, once the dialog was accepted.
    const CaseRecord &savedCase() const { return m_case; }

    void accept() override;
    // Asks before what was typed is thrown away.
    void reject() override;

private:
    void warn(const QString &message, QWidget *field);

    CaseStore &m_store;
    CaseRecord m_case;
    QLineEdit *m_code;
    DateField *m_date;
    QLineEdit *m_height;
    UnsavedInput *m_unsaved;
};

#endif // SAVECASEDIALOG_H
