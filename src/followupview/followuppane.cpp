#include "followuppane.h"

#include "calibrationstore.h"
#include "casestore.h"
#include "chartxy.h"
#include "coursecaution.h"
#include "flowlayout.h"
#include "followupchart.h"
#include "followupchartmodel.h"
#include "followupreport.h"
#include "followuptablemodel.h"
#include "followupviewtr.h"
#include "handoutaction.h"
#include "handoutreport.h"
#include "observationdialog.h"
#include "reportwriter.h"
#include "visitstore.h"

#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace {

FollowUpCase followUpOf(const CaseRecord &record, const QList<Visit> &visits)
{
    FollowUpCase followUp;
    followUp.code = record.code;
    followUp.baseline = record.baselineDate;
    followUp.heightM = record.heightMetres;
    followUp.predictors = record.predictors;
    followUp.sources = record.sources;
    followUp.modelVersion = record.modelVersion;
    followUp.visits = visits;
    return followUp;
}

} // namespace

FollowUpPane::FollowUpPane(CaseStore *store, QWidget *parent)
    : QWidget(parent)
    , m_store(store)
    , m_table(new FollowUpTableModel(this))
    , m_chartData(new FollowUpChartModel(this))
    , m_chart(new ChartXY(this))
    , m_view(new QTableView(this))
    , m_caution(new QLabel(this))
    , m_calibrationHint(new QLabel(this))
{
    setObjectName(QStringLiteral("followUpPane"));
    m_chart->setObjectName(QStringLiteral("caseChart"));
    m_chart->setMinimumSize(360, 220);
    m_view->setObjectName(QStringLiteral("observationTable"));
    m_view->setModel(m_table);
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_view->verticalHeader()->hide();
    m_view->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_caution->setObjectName(QStringLiteral("followUpCautionLabel"));
    m_caution->setWordWrap(true);
    m_caution->hide();
    m_calibrationHint->setObjectName(QStringLiteral("calibrationHintLabel"));
    m_calibrationHint->setText(
        FollowUpViewTr::tr("No clinic range: no calibration is in use; make one from this case book's visits "
                           "under “Calibration…”."));
    m_calibrationHint->setWordWrap(true);
    showFollowUpChart(m_chart, m_chartData);
    // The axis captions sit in the chart's free border, as in the result dialog.
    auto *captions = new QGridLayout(m_chart);
    captions->setContentsMargins(4, 2, 4, 2);
    captions->addWidget(new QLabel(FollowUpViewTr::tr("BMI (kg/m²)"), m_chart), 0, 0, Qt::AlignLeft | Qt::AlignTop);
    captions->setRowStretch(1, 1);
    captions->addWidget(new QLabel(FollowUpViewTr::tr("Month"), m_chart), 2, 0, Qt::AlignRight | Qt::AlignBottom);

    struct Action {
        QPushButton *FollowUpPane::*button;
        const char *name;
        const char *text;
        void (FollowUpPane::*run)();
    };
    static const Action actions[] = {
        {&FollowUpPane::m_add, "addObservationButton", QT_TRANSLATE_NOOP("FollowUpView", "Add visit…"),
         &FollowUpPane::addVisit},
        {&FollowUpPane::m_correct, "correctObservationButton", QT_TRANSLATE_NOOP("FollowUpView", "Correct…"),
         &FollowUpPane::correctVisit},
        {&FollowUpPane::m_delete, "deleteObservationButton", QT_TRANSLATE_NOOP("FollowUpView", "Delete visit…"),
         &FollowUpPane::deleteVisit},
        {&FollowUpPane::m_print, "printFollowUpButton", QT_TRANSLATE_NOOP("FollowUpView", "Print…"),
         &FollowUpPane::printReport},
        {&FollowUpPane::m_savePdf, "saveFollowUpPdfButton", QT_TRANSLATE_NOOP("FollowUpView", "Save PDF…"),
         &FollowUpPane::saveReportAs},
        {&FollowUpPane::m_handout, "followUpHandoutButton", QT_TRANSLATE_NOOP("FollowUpView", "Handout…"),
         &FollowUpPane::saveHandoutAs},
    };
    // A second row where the pane is too narrow for one.
    auto *buttons = new FlowLayout;
    for (const Action &action : actions) {
        auto *button = new QPushButton(FollowUpViewTr::tr(action.text), this);
        button->setObjectName(QLatin1String(action.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action.run);
        this->*action.button = button;
        buttons->addWidget(button);
        if (action.run == &FollowUpPane::deleteVisit)
            buttons->addStretch();
    }
    connect(m_view, &QTableView::doubleClicked, this, &FollowUpPane::correctVisit);
    connect(m_view->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FollowUpPane::updateActions);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_chart, 3);
    layout->addWidget(m_caution);
    layout->addWidget(m_calibrationHint);
    layout->addWidget(m_view, 2);
    layout->addLayout(buttons);
    reloadCalibration();
}

std::optional<double> FollowUpPane::heightMetres() const
{
    return m_table->followUp().heightM;
}

bool FollowUpPane::reloadCalibration()
{
    const bool ok = CalibrationStore(*m_store).inUse(&m_calibration);
    m_calibrationHint->setVisible(!m_calibration);
    showCase(m_caseId);
    return ok;
}

bool FollowUpPane::showCase(qint64 caseId)
{
    m_caseId = 0;
    FollowUpCase followUp;
    bool ok = true;
    if (caseId != 0) {
        CaseRecord record;
        QList<Visit> visits;
        ok = m_store->readCase(caseId, &record) && VisitStore(*m_store).visits(caseId, &visits);
        if (ok) {
            m_caseId = caseId;
            followUp = followUpOf(record, visits);
            followUp.calibration = m_calibration;
        }
    }
    m_table->setFollowUp(followUp);
    // Without a case the chart shows nothing rather than a course of zeros.
    if (m_caseId)
        m_chartData->setFollowUp(followUp);
    else
        m_chartData->clear();
    m_chart->updateChart();
    // The cautions of the result dialog, so that a course it warned about is never
    // followed up without the same words.
    const QString cautions = m_caseId
        ? courseCautionsText(courseCautions(predictBmiCourse(followUp.predictors),
                                            followUp.predictors[int(Predictor::InitialBmi)]))
        : QString();
    m_caution->setText(cautions);
    m_caution->setVisible(!cautions.isEmpty());
    updateActions();
    return ok;
}

void FollowUpPane::updateActions()
{
    const bool shown = m_caseId != 0;
    const bool selected = shown && m_view->selectionModel()->hasSelection();
    m_add->setEnabled(shown);
    m_correct->setEnabled(selected);
    m_delete->setEnabled(selected);
    m_print->setEnabled(shown);
    m_savePdf->setEnabled(shown);
    m_handout->setEnabled(shown);
}

void FollowUpPane::warn(const QString &text)
{
    QMessageBox::warning(this, FollowUpViewTr::tr("Follow-up"), text);
}

// The clinic server was away or busy: nothing was stored, and the same entry may be tried
// again as it is.
static bool worthRetrying(CaseStoreError::Kind kind)
{
    return kind == CaseStoreError::ConnectionLost || kind == CaseStoreError::ServerUnavailable
           || kind == CaseStoreError::Busy;
}

void FollowUpPane::addVisit()
{
    if (!m_caseId)
        return;
    const FollowUpCase &followUp = m_table->followUp();
    ObservationDialog dialog(followUp.baseline, followUp.heightM, this);
    while (dialog.exec() == QDialog::Accepted
           && !storeVisit(dialog.result().visit, dialog.result().newHeightM)
           && worthRetrying(m_store->lastError().kind)) {
        // The clinic server went away: the dialog comes back with what was typed.
    }
}

bool FollowUpPane::storeVisit(Visit visit, std::optional<double> newHeightM)
{
    VisitStore visits(*m_store);
    const qint64 caseId = m_caseId;
    std::optional<Visit> earlier;
    if (!visits.visitOn(caseId, visit.date, &earlier)) {
        warn(m_store->lastError().message);
        return false;
    }
    bool stored = false;
    if (visit.id != 0) {
        // A correction that moves onto another visit's date is refused by the store.
        stored = visits.updateVisit(caseId, visit, newHeightM);
    } else if (earlier) {
        QMessageBox ask(QMessageBox::Question, FollowUpViewTr::tr("Follow-up"),
                        FollowUpViewTr::tr("There is already a visit on %1 (BMI %2). Replace it with this one?")
                            .arg(visit.date.toString(Qt::ISODate),
                                 QString::number(earlier->bmi, 'f', 2)),
                        QMessageBox::Yes | QMessageBox::No, this);
        ask.setDefaultButton(QMessageBox::No);
        ask.button(QMessageBox::Yes)->setText(FollowUpViewTr::tr("Replace"));
        ask.button(QMessageBox::No)->setText(FollowUpViewTr::tr("Keep the earlier visit"));
        if (ask.exec() == QMessageBox::Yes)
            stored = visits.addVisit(caseId, &visit, VisitStore::ReplaceSameDate, newHeightM);
        else
            stored = visits.keepEarlierVisit(caseId, visit);
    } else {
        stored = visits.addVisit(caseId, &visit, VisitStore::RefuseSameDate, newHeightM);
    }
    if (!stored)
        warn(m_store->lastError().message);
    showCase(caseId);
    emit visitsChanged(caseId);
    return stored;
}

void FollowUpPane::correctVisit()
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    if (!m_caseId || rows.isEmpty())
        return;
    const FollowUpCase &followUp = m_table->followUp();
    ObservationDialog dialog(followUp.baseline, followUp.heightM, this);
    dialog.setVisit(m_table->visitAt(rows.first().row()));
    while (dialog.exec() == QDialog::Accepted
           && !storeVisit(dialog.result().visit, dialog.result().newHeightM)
           && worthRetrying(m_store->lastError().kind)) {
        // As when adding: the correction is kept for another try.
    }
}

void FollowUpPane::deleteVisit()
{
    const QModelIndexList rows = m_view->selectionModel()->selectedRows();
    if (!m_caseId || rows.isEmpty())
        return;
    const Visit visit = m_table->visitAt(rows.first().row());
    QMessageBox ask(QMessageBox::Question, FollowUpViewTr::tr("Follow-up"),
                    FollowUpViewTr::tr("Delete the visit of %1 (BMI %2) from case “%3”?")
                        .arg(visit.date.toString(Qt::ISODate),
                             QString::number(visit.bmi, 'f', 2), m_table->followUp().code),
                    QMessageBox::Yes | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::Cancel);
    ask.button(QMessageBox::Yes)->setText(FollowUpViewTr::tr("Delete"));
    if (ask.exec() != QMessageBox::Yes)
        return;
    const qint64 caseId = m_caseId;
    if (!VisitStore(*m_store).removeVisit(caseId, visit.id))
        warn(m_store->lastError().message);
    showCase(caseId);
    emit visitsChanged(caseId);
}

bool FollowUpPane::saveReport(const QString &fileName)
{
    QString reason;
    if (FollowUpReport(*m_table, *m_chart).savePdf(fileName, &reason))
        return true;
    warn(FollowUpViewTr::tr("The follow-up report could not be saved as “%1”: %2.")
             .arg(QDir::toNativeSeparators(fileName), reason));
    return false;
}

QString FollowUpPane::defaultReportFileName() const
{
    return ReportWriter::defaultFileName(m_table->followUp().code, QDate::currentDate(),
                                         QStringLiteral("follow-up"));
}

void FollowUpPane::printReport()
{
    if (!m_caseId)
        return;
    QPrinter printer(QPrinter::HighResolution);
    ReportWriter::preparePrinter(printer, defaultReportFileName());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!ReportWriter::print(FollowUpReport(*m_table, *m_chart).document(), printer))
        warn(FollowUpViewTr::tr("The follow-up report could not be printed."));
}

void FollowUpPane::saveHandoutAs()
{
    if (!m_caseId)
        return;
    const HandoutReport handout(m_table->followUp());
    saveHandout(this, handout);
}

void FollowUpPane::saveReportAs()
{
    if (!m_caseId)
        return;
    QFileDialog dialog(this, FollowUpViewTr::tr("Save PDF"), defaultReportFileName(), FollowUpViewTr::tr("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        saveReport(dialog.selectedFiles().constFirst());
}
