#include "bmidialog.h"

#include "bmientrytr.h"
#include "unsavedinput.h"

#include "predictorcheck.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// Wider than any adult in a clinic, narrower than any typing slip of a digit.
const PredictorRange weightRange{20, 400, nullptr};
const PredictorRange heightRange{100, 250, nullptr};

QString shortest(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

double bmiOf(double weightKg, double heightCm)
{
    const double metres = heightCm / 100.0;
    return weightKg / (metres * metres);
}

BmiDialog::BmiDialog(QWidget *parent)
    : QDialog(parent)
    , m_weight(new QLineEdit(this))
    , m_height(new QLineEdit(this))
    , m_result(new QLabel(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("bmiDialog"));
    m_unsaved = new UnsavedInput(this);
    setWindowTitle(BmiEntryTr::tr("Body Mass Index from weight and height"));
    m_weight->setObjectName(QStringLiteral("bmiWeightEdit"));
    m_height->setObjectName(QStringLiteral("bmiHeightEdit"));
    m_result->setObjectName(QStringLiteral("bmiResultLabel"));
    m_buttons->setObjectName(QStringLiteral("buttonBox"));
    m_result->setWordWrap(true);

    auto *form = new QFormLayout;
    form->addRow(BmiEntryTr::tr("&Weight (kg, %1 to %2):")
                     .arg(shortest(weightRange.lower), shortest(weightRange.upper)),
                 m_weight);
    form->addRow(BmiEntryTr::tr("&Height (cm, %1 to %2):")
                     .arg(shortest(heightRange.lower), shortest(heightRange.upper)),
                 m_height);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_result);
    layout->addWidget(m_buttons);

    connect(m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_weight, &QLineEdit::textChanged, this, &BmiDialog::update);
    connect(m_height, &QLineEdit::textChanged, this, &BmiDialog::update);
    update();
}

void BmiDialog::setHeightMetres(double metres)
{
    m_height->setText(shortest(metres * 100));
}

double BmiDialog::weightKg() const
{
    return weight(nullptr).value_or(0);
}

double BmiDialog::heightCm() const
{
    return height(nullptr).value_or(0);
}

double BmiDialog::bmi() const
{
    return bmiOf(weightKg(), heightCm());
}

QString BmiDialog::sourceText() const
{
    return BmiEntryTr::tr("weight %1 kg, height %2 cm").arg(shortest(weightKg()), shortest(heightCm()));
}

std::optional<double> BmiDialog::weight(QString *reason) const
{
    double value = 0;
    if (readPredictor(m_weight->text(), weightRange, &value))
        return value;
    if (reason)
        *reason = BmiEntryTr::tr("Weight: %1").arg(refusalReason(m_weight->text(), weightRange));
    return std::nullopt;
}

std::optional<double> BmiDialog::height(QString *reason) const
{
    double value = 0;
    if (readPredictor(m_height->text(), heightRange, &value))
        return value;
    if (reason)
        *reason = BmiEntryTr::tr("Height: %1").arg(refusalReason(m_height->text(), heightRange));
    return std::nullopt;
}

// Ok stays closed until the BMI it would write is one the simulation accepts.
void BmiDialog::update()
{
    QString reason;
    const std::optional<double> kg = weight(&reason);
    const std::optional<double> cm = kg ? height(&reason) : std::nullopt;
    bool acceptable = false;
    if (kg && cm) {
        const PredictorRange &bmiRange = predictorRange(Predictor::InitialBmi);
        const QString value = formatPredictor(bmiOf(*kg, *cm));
        double written = 0;
        acceptable = readPredictor(value, bmiRange, &written);
        reason = acceptable ? BmiEntryTr::tr("BMI %1 kg/m²").arg(value)
                            : BmiEntryTr::tr("BMI %1 kg/m² is outside %2 to %3, the range the model "
                                             "accepts.")
                                  .arg(value, shortest(bmiRange.lower),
                                       shortest(bmiRange.upper));
    }
    m_result->setText(reason);
    m_buttons->button(QDialogButtonBox::Ok)->setEnabled(acceptable);
}

void BmiDialog::reject()
{
    if (m_unsaved->mayDiscard())
        QDialog::reject();
}
