#include "calibrationdialog.h"

#include "calibrationbuilder.h"
#include "calibrationstore.h"
#include "calibrationtable.h"
#include "calibrationviewtr.h"
#include "casebookcalibration.h"
#include "casestore.h"
#include "clinicrange.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString describe(const Calibration &c)
{
    return CalibrationViewTr::tr("In use: the calibration of %1 made by %2 from %3, %4 people, "
                                 "model TELMA %5.")
        .arg(QLocale().toString(c.madeAt.toLocalTime(), QLocale::ShortFormat), c.madeBy,
             c.sourceText())
        .arg(c.people)
        .arg(c.modelVersion);
}

} // namespace

CalibrationDialog::CalibrationDialog(CaseStore &store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_summary(new QLabel(this))
    , m_table(new CalibrationTable(this))
{
    setObjectName(QStringLiteral("calibrationDialog"));
    setWindowTitle(CalibrationViewTr::tr("Calibration"));
    m_summary->setObjectName(QStringLiteral("calibrationSummaryLabel"));
    m_summary->setWordWrap(true);
    m_table->setObjectName(QStringLiteral("calibrationTable"));
    auto *about = new QLabel(
        CalibrationViewTr::tr("The clinic range around a predicted course shows where 95 % of this clinic's earlier "
                              "people were relative to their own prediction, month by month. It is no promise for "
                              "one person, and only as good as the visits entered."),
        this);
    about->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    auto *make = buttons->addButton(CalibrationViewTr::tr("Calibrate from this case book…"), QDialogButtonBox::ActionRole);
    make->setObjectName(QStringLiteral("calibrateFromBookButton"));
    m_drop = buttons->addButton(CalibrationViewTr::tr("Use none"), QDialogButtonBox::ActionRole);
    m_drop->setObjectName(QStringLiteral("dropCalibrationButton"));
    for (QPushButton *button : {make, m_drop})
        button->setAutoDefault(false);
    connect(make, &QPushButton::clicked, this, &CalibrationDialog::calibrateFromBook);
    connect(m_drop, &QPushButton::clicked, this, &CalibrationDialog::dropCalibration);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(about);
    layout->addWidget(m_summary);
    layout->addWidget(m_table);
    layout->addWidget(buttons);
    refresh();
}

void CalibrationDialog::refresh()
{
    if (!CalibrationStore(m_store).inUse(&m_inUse)) {
        m_summary->setText(m_store.lastError().message);
    } else if (m_inUse) {
        m_summary->setText(describe(*m_inUse));
    } else {
        m_summary->setText(CalibrationViewTr::tr("No calibration is in use: the case book shows no clinic range."));
    }
    m_table->showCalibration(m_inUse ? &*m_inUse : nullptr);
    m_table->setVisible(m_inUse.has_value());
    m_drop->setEnabled(m_inUse.has_value());
}

void CalibrationDialog::warn(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}

void CalibrationDialog::calibrateFromBook()
{
    Calibration made;
    QStringList refusals;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        const bool ok = CaseBookCalibration::make(m_store, QStringLiteral(TELMA_VERSION), &made, &refusals);
        QApplication::restoreOverrideCursor();
        if (!ok) {
            warn(m_store.lastError().message);
            return;
        }
    }
    if (ClinicRange(made).isEmpty()) {
        warn(CalibrationViewTr::tr("No month has %1 or more people with a visit within half a month of it, so there "
                                   "is no range to use. Nothing was changed.")
                 .arg(CalibrationBuilder::MinimumPeople));
        return;
    }
    if (!confirmUse(made, int(refusals.size())))
        return;
    if (!CalibrationStore(m_store).add(&made, true)) {
        warn(m_store.lastError().message);
        return;
    }
    m_changed = true;
    refresh();
}

bool CalibrationDialog::confirmUse(const Calibration &calibration, int refused)
{
    QDialog ask(this);
    ask.setObjectName(QStringLiteral("newCalibrationDialog"));
    ask.setWindowTitle(CalibrationViewTr::tr("New calibration"));
    QString text = CalibrationViewTr::tr("The calibration from this case book's visits, %1 people:").arg(calibration.people);
    if (refused > 0)
        text += QLatin1Char(' ')
            + CalibrationViewTr::tr("%n case(s) with a value outside the model's range left out.", nullptr, refused);
    auto *label = new QLabel(text, &ask);
    label->setWordWrap(true);
    auto *table = new CalibrationTable(&ask);
    table->showCalibration(&calibration);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &ask);
    QPushButton *use = buttons->addButton(CalibrationViewTr::tr("Put in use"), QDialogButtonBox::AcceptRole);
    use->setObjectName(QStringLiteral("useCalibrationButton"));
    connect(buttons, &QDialogButtonBox::accepted, &ask, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &ask, &QDialog::reject);
    auto *layout = new QVBoxLayout(&ask);
    layout->addWidget(label);
    layout->addWidget(table);
    if (m_inUse)
        layout->addWidget(new QLabel(CalibrationViewTr::tr("It replaces the calibration in use."), &ask));
    layout->addWidget(buttons);
    return ask.exec() == QDialog::Accepted;
}

void CalibrationDialog::dropCalibration()
{
    if (!m_inUse)
        return;
    QMessageBox ask(QMessageBox::Question, windowTitle(),
                    CalibrationViewTr::tr("Use no calibration? The case book then shows no clinic range; the "
                                          "calibration is kept in the case book's records."),
                    QMessageBox::Yes | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.button(QMessageBox::Yes)->setText(CalibrationViewTr::tr("Use none"));
    if (ask.exec() != QMessageBox::Yes)
        return;
    if (!CalibrationStore(m_store).useNone()) {
        warn(m_store.lastError().message);
        return;
    }
    m_changed = true;
    refresh();
}
