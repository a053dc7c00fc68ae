#ifndef CASEBOOKDIALOG_H
#define CASEBOOKDIALOG_H

#include "caserecord.h"

#include <QDialog>

class CaseListModel;
class CaseStore;
class FollowUpPane;
class QLineEdit;
class QPushButton;
class QSplitter;
class QTableView;

// "Cases": find a case by typing part of its code, load it into the form, see its
// questionnaire answers, delete it, export cases as CSV or FHIR, import visits measured
// elsewhere from FHIR, or back up the whole case book.
class CaseBookDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CaseBookDialog(CaseStore &store, QWidget *parent = nullptr);

    // The case to load into the form, once the dialog was accepted.
    const CaseRecord &chosenCase() const { return m_chosen; }
    // The user chose another database under "Database…"; the case book closed for it.
    bool databaseChanged() const { return m_databaseChanged; }

    // Shows the stored answers of one questionnaire of the current case, read-only.
    void showAnswers(int predictor);
    // What "Export…", "Export FHIR…" and "Import FHIR…" do once the file is chosen; problems
    // are shown.
    void exportCasesTo(const QString &fileName);
    void exportFhirTo(const QString &fileName);
    void importFhirFrom(const QString &fileName);

    // Keeps the size and the split between list and follow-up for the next time.
    void done(int result) override;

private:
    void loadCurrent();
    void chooseAnswers();
    // A code mistyped, or kept from before today's rule: the case keeps all else.
    void changeCode();
    void deleteCurrent();
    void exportCases();
    void exportFhir();
    void importFhir();
    void backUp();
    void chooseDatabase();
    void showCalibration();
    void showCalibrationInList();
    void updateButtons();
    void restoreSize();
    void keepCodeColumnInView();
    // Shows the follow-up of the one selected case beside the list.
    void showSelectedFollowUp();
    // The current case read whole from the store; false after telling the user why not.
    bool readCurrent(CaseRecord *record);
    void warn(const QString &message);

    CaseStore &m_store;
    CaseListModel *m_model;
    QLineEdit *m_filter;
    QTableView *m_list;
    QPushButton *m_load;
    QPushButton *m_answers;
    QPushButton *m_changeCode;
    QPushButton *m_delete;
    FollowUpPane *m_followUp;
    QSplitter *m_split;
    CaseRecord m_chosen;
    bool m_databaseChanged = false;
};

#endif // CASEBOOKDIALOG_H
