#ifndef OBSERVATIONDIALOG_H
#define OBSERVATIONDIALOG_H

#include "visitcheck.h"

#include <QDialog>

#include <optional>

class DateField;
class UnsavedInput;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Asks for one visit: its date, the observed BMI or the weight, and a note; the height too
// when the BMI is to come from a weight and the case has no height yet. Ok (or Return in
// any field) checks everything; a refused value is named with its range and the dialog
// stays open with that field selected.
class ObservationDialog : public QDialog
{
    Q_OBJECT

public:
    ObservationDialog(const QDate &baseline, std::optional<double> caseHeightM,
                      QWidget *parent = nullptr);

    // Starts from a stored visit, to correct it.
    void setVisit(const Visit &visit);
    // The checked visit, once accepted (its id is that of the visit corrected, or 0).
    const VisitCheck &result() const { return m_result; }

    void accept() override;
    // Asks before what was typed is thrown away.
    void reject() override;

private:
    void showBmiFromWeight();
    QWidget *fieldOf(VisitCheck::Field field) const;

    QDate m_baseline;
    std::optional<double> m_caseHeight;
    qint64 m_visitId = 0;
    VisitCheck m_result;
    DateField *m_date;
    QLineEdit *m_bmi;
    QLineEdit *m_weight;
    QLineEdit *m_height;
    QLabel *m_heightLabel;
    QLineEdit *m_note;
    QDialogButtonBox *m_buttons;
    UnsavedInput *m_unsaved;
};

#endif // OBSERVATIONDIALOG_H
