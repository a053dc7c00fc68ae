#include "observationdialog.h"

#include "followupviewtr.h"
#include "unsavedinput.h"
#include "datefield.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

ObservationDialog::ObservationDialog(const QDate &baseline, std::optional<double> caseHeightM,
                                     QWidget *parent)
    : QDialog(parent)
    , m_baseline(baseline)
    , m_caseHeight(caseHeightM)
    , m_date(new DateField(FollowUpViewTr::tr("The visit date"), this))
    , m_bmi(new QLineEdit(this))
    , m_weight(new QLineEdit(this))
    , m_height(new QLineEdit(this))
    , m_heightLabel(new QLabel(FollowUpViewTr::tr("Height (cm):"), this))
    , m_note(new QLineEdit(this))
    , m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this))
{
    setObjectName(QStringLiteral("observationDialog"));
    m_unsaved = new UnsavedInput(this);
    setWindowTitle(FollowUpViewTr::tr("Add visit"));
    m_date->setObjectName(QStringLiteral("observationDateEdit"));
    m_bmi->setObjectName(QStringLiteral("observationBmiEdit"));
    m_weight->setObjectName(QStringLiteral("observationWeightEdit"));
    m_height->setObjectName(QStringLiteral("observationHeightEdit"));
    m_note->setObjectName(QStringLiteral("observationNoteEdit"));

    const QDate today = QDate::currentDate();
    m_date->setRange(baseline.addDays(1), today,
                     FollowUpViewTr::tr("A visit comes after the baseline date (%1) and not after today.")
                         .arg(TypedDate::text(baseline)));
    m_date->setDate(today);
    m_bmi->setPlaceholderText(FollowUpViewTr::tr("10 to 100"));
    m_weight->setPlaceholderText(FollowUpViewTr::tr("optional, 20 to 400"));
    m_height->setPlaceholderText(FollowUpViewTr::tr("100 to 250"));
    m_note->setMaxLength(VisitLimits::NoteLength);

    auto *form = new QFormLayout;
    form->addRow(FollowUpViewTr::tr("Date:"), m_date);
    form->addRow(FollowUpViewTr::tr("Observed BMI (kg/m²):"), m_bmi);
    form->addRow(FollowUpViewTr::tr("or weight (kg):"), m_weight);
    form->addRow(m_heightLabel, m_height);
    form->addRow(FollowUpViewTr::tr("Note:"), m_note);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    if (!caseHeightM) {
        auto *hint = new QLabel(FollowUpViewTr::tr("The case has no height yet: give it once to enter the "
                                                   "weight instead of the BMI; it is kept with the case."),
                                this);
        hint->setWordWrap(true);
        layout->addWidget(hint);
    }
    layout->addWidget(m_buttons);
    m_heightLabel->setVisible(!caseHeightM);
    m_height->setVisible(!caseHeightM);

    m_buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(m_buttons, &QDialogButtonBox::accepted, this, &ObservationDialog::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &ObservationDialog::reject);
    connect(m_weight, &QLineEdit::textChanged, this, &ObservationDialog::showBmiFromWeight);
    connect(m_height, &QLineEdit::textChanged, this, &ObservationDialog::showBmiFromWeight);
}

void ObservationDialog::setVisit(const Visit &visit)
{
    setWindowTitle(FollowUpViewTr::tr("Correct visit"));
    m_visitId = visit.id;
    m_date->setDate(visit.date);
    m_weight->setText(visit.weightKg ? QString::number(*visit.weightKg, 'g', 15) : QString());
    if (!visit.weightKg)
        m_bmi->setText(QString::number(visit.bmi, 'g', 15));
    m_note->setText(visit.note);
}

// With a weight, the BMI field shows what will be stored and cannot be typed into, so
// that the two never disagree.
void ObservationDialog::showBmiFromWeight()
{
    const bool byWeight = !m_weight->text().trimmed().isEmpty();
    m_bmi->setReadOnly(byWeight);
    if (!byWeight)
        return;
    double weight = 0;
    double height = m_caseHeight.value_or(0);
    const bool known =
        readVisitNumber(m_weight->text(), VisitLimits::WeightLowest, VisitLimits::WeightHighest,
                        &weight)
        && (m_caseHeight
            || readVisitNumber(m_height->text(), VisitLimits::HeightLowestCm,
                               VisitLimits::HeightHighestCm, &height));
    if (!m_caseHeight)
        height /= 100; // typed in centimetres
    m_bmi->setText(known ? QString::number(bmiFromWeight(weight, height), 'f', 2) : QString());
}

QWidget *ObservationDialog::fieldOf(VisitCheck::Field field) const
{
    switch (field) {
    case VisitCheck::Date:
        return m_date;
    case VisitCheck::Bmi:
        return m_bmi;
    case VisitCheck::Weight:
        return m_weight;
    case VisitCheck::Height:
        return m_height;
    case VisitCheck::Note:
        return m_note;
    case VisitCheck::None:
        break;
    }
    return nullptr;
}

void ObservationDialog::accept()
{
    const TypedDate date = m_date->read();
    if (!date.ok()) {
        QMessageBox::warning(this, windowTitle(), date.refusal);
        m_date->setFocus();
        m_date->selectAll();
        return;
    }
    VisitCheck check = checkVisit({date.date, m_bmi->text(), m_weight->text(),
                                   m_height->text(), m_note->text()},
                                  m_baseline, m_caseHeight, QDate::currentDate());
    if (!check.ok()) {
        QMessageBox::warning(this, windowTitle(), check.message);
        if (QWidget *field = fieldOf(check.failed)) {
            field->setFocus();
            if (auto *edit = qobject_cast<QLineEdit *>(field))
                edit->selectAll();
        }
        return;
    }
    check.visit.id = m_visitId;
    m_result = check;
    QDialog::accept();
}

void ObservationDialog::reject()
{
    if (m_unsaved->mayDiscard())
        QDialog::reject();
}
