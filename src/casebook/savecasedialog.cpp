#include "savecasedialog.h"

#include "casebooktr.h"
#include "unsavedinput.h"
#include "casefields.h"
#include "casestore.h"
#include "datefield.h"
#include "predictorcheck.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QVBoxLayout>

SaveCaseDialog::SaveCaseDialog(CaseStore &store, const CaseRecord &draft, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_case(draft)
    , m_code(new QLineEdit(draft.code, this))
    , m_date(new DateField(CaseBookTr::tr("The baseline date"), this))
    , m_height(new QLineEdit(this))
{
    setObjectName(QStringLiteral("saveCaseDialog"));
    m_unsaved = new UnsavedInput(this);
    setWindowTitle(CaseBookTr::tr("Save to case"));
    setMinimumWidth(440);

    m_code->setObjectName(QStringLiteral("caseCodeEdit"));
    m_code->setPlaceholderText(CaseBookTr::tr("e.g. AB-017"));
    auto *codeNote = new QLabel(CaseBookTr::tr("A code of your choosing, 1 to %1 characters. Never the "
                                               "person's name: the program does not ask for it.")
                                    .arg(CaseFields::MaxCodeLength),
                                this);
    codeNote->setWordWrap(true);

    m_date->setObjectName(QStringLiteral("baselineDateEdit"));
    const QDate today = QDate::currentDate();
    m_date->setRange(QDate(1900, 1, 1), today, CaseBookTr::tr("The baseline date cannot be after today."));
    const QDate proposed = draft.baselineDate.isValid() ? draft.baselineDate : today;
    m_date->setDate(qMin(proposed, today));

    m_height->setObjectName(QStringLiteral("heightEdit"));
    // In centimetres, as the weight-and-height dialog asks for it; kept in metres.
    m_height->setPlaceholderText(CaseBookTr::tr("optional, %1 to %2")
                                     .arg(CaseFields::MinHeightMetres * 100)
                                     .arg(CaseFields::MaxHeightMetres * 100));
    if (draft.heightMetres)
        // Ten digits drop the float noise of × 100 ("172.35", not "172.35000000000002"),
        // so that saving it unchanged keeps the height it came with.
        m_height->setText(QString::number(*draft.heightMetres * 100, 'g', 10));

    auto *form = new QFormLayout;
    form->addRow(CaseBookTr::tr("Case &code:"), m_code);
    form->addRow(QString(), codeNote);
    form->addRow(CaseBookTr::tr("&Baseline date:"), m_date);
    form->addRow(CaseBookTr::tr("&Height (cm):"), m_height);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    connect(buttons, &QDialogButtonBox::accepted, this, &SaveCaseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    m_code->setFocus();
}

void SaveCaseDialog::warn(const QString &message, QWidget *field)
{
    QMessageBox::warning(this, windowTitle(), message);
    if (field) {
        field->setFocus();
        if (auto *edit = qobject_cast<QLineEdit *>(field))
            edit->selectAll();
    }
}

void SaveCaseDialog::accept()
{
    CaseRecord record = m_case;
    record.code = m_code->text();
    const TypedDate baseline = m_date->read();
    if (!baseline.ok()) {
        warn(baseline.refusal, m_date);
        return;
    }
    record.baselineDate = baseline.date;
    record.heightMetres.reset();
    const QString height = m_height->text().trimmed();
    if (!height.isEmpty()) {
        // Read like the predictor fields: a period for decimals, no thousands separators.
        const PredictorRange range{CaseFields::MinHeightMetres * 100,
                                   CaseFields::MaxHeightMetres * 100, ""};
        double centimetres = 0;
        if (!readPredictor(height, range, &centimetres)) {
            warn(CaseBookTr::tr("The height must be a number of centimetres from %1 to %2, such as 172, or "
                                "left empty.")
                         .arg(range.lower)
                         .arg(range.upper)
                     + QLatin1Char(' ') + refusalReason(height, range),
                 m_height);
            return;
        }
        const double metres = centimetres / 100;
        record.heightMetres = metres;
    }
    if (!m_store.addCase(&record)) {
        const CaseStoreError &error = m_store.lastError();
        const bool aboutCode = error.kind == CaseStoreError::DuplicateCode
                               || (error.kind == CaseStoreError::InvalidInput
                                   && error.message.contains(CaseBookTr::tr("code")));
        warn(error.message, aboutCode ? m_code : nullptr);
        return;
    }
    m_case = record;
    QDialog::accept();
}

void SaveCaseDialog::reject()
{
    if (m_unsaved->mayDiscard())
        QDialog::reject();
}
