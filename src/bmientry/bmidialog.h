#ifndef BMIDIALOG_H
#define BMIDIALOG_H

#include <QDialog>

#include <optional>

class UnsavedInput;
class QDialogButtonBox;
class QLabel;
class QLineEdit;

// Works out the initial BMI from weight in kilograms and height in centimetres, the units
// clinicians measure in. Ok opens only for a weight and height in their ranges whose BMI the
// model accepts; until then a line under the fields says what is wrong.
class BmiDialog : public QDialog
{
    Q_OBJECT

public:
    explicit BmiDialog(QWidget *parent = nullptr);

    // Starts the height field from a height measured before, in metres.
    void setHeightMetres(double metres);

    // Valid once the dialog was accepted.
    double weightKg() const;
    double heightCm() const;
    double bmi() const;
    // "weight 95 kg, height 170 cm": where the BMI came from, for the report.
    QString sourceText() const;

    // Asks before what was typed is thrown away.
    void reject() override;

private:
    void update();
    std::optional<double> weight(QString *reason) const;
    std::optional<double> height(QString *reason) const;

    QLineEdit *m_weight;
    QLineEdit *m_height;
    QLabel *m_result;
    QDialogButtonBox *m_buttons;
    UnsavedInput *m_unsaved;
};

// kg / m²; the caller checks the ranges.
double bmiOf(double weightKg, double heightCm);

#endif // BMIDIALOG_H
