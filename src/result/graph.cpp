#include "graph.h"
#include "ui_graph.h"

#include "bodyweight.h"
#include "casecodenotifier.h"
#include "chartxysetting.h"
#include "clinicrange.h"
#include "coursecaution.h"
#include "reportwriter.h"
#include "resultreport.h"

#include <QAction>
#include <QBoxLayout>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableWidget>

#include <algorithm>

namespace {

constexpr int Months = 6;
// The chart's columns beyond month and course, with a calibration in use.
enum RangeColumn { RangeLow = 2, RangeHigh, RangeCentre, RangeColumns };

// The values of the last prepareview call, shared by every dialog.
double shownMonths[Months];

} // namespace

graph::graph(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::graph)
    , m_caseCodeNotifier(new CaseCodeNotifier(this))
{
    ui->setupUi(this);
    addActionButtons();
    updateActions();
}

graph::~graph()
{
    delete ui;
}

void graph::prepareview(double month[6])
{
    std::copy(month, month + Months, shownMonths);
    std::copy(month, month + Months, m_record.course.begin());
    m_record.hasCourse = true;
    updateCautions();
    updateActions();
    updateCourseTable();

    // Filled before the chart sees it, so that filling triggers no chart updates.
    model = new QStandardItemModel(Months, 2, this);
    model->setHeaderData(0, Qt::Horizontal, tr("Month"));
    model->setHeaderData(1, Qt::Horizontal, tr("BMI (kg/m²)"));
    for (int row = 0; row < model->rowCount(); ++row) {
        model->setData(model->index(row, 0), row + 1, Qt::EditRole);
        model->setData(model->index(row, 1), month[row], Qt::EditRole);
        model->setData(model->index(row, 1), QColor(255, 0, 0, 255), Qt::DecorationRole);
    }

    ChartXY *chart = ui->chart;
    ChartXYSetting *setting = chart->setting();
    chart->setModel(model);
    setting->border()->setRight(64);
    setting->border()->setBackground(QColor(255, 255, 255, 255));
    setting->grid()->tickX().setCount(4);
    setting->grid()->tickX().setSubCount(5);
    setting->grid()->tickY().setCount(8);
    setting->grid()->tickY().setSubCount(5);
    setting->grid()->setBackground(QColor(192, 192, 192, 255));
    setting->grid()->setForeground(QColor(0, 0, 0, 255));
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    showClinicRange();
    chart->updateChart();
}

void graph::setCalibration(const Calibration &calibration)
{
    m_record.calibration = calibration;
    showClinicRange();
    ui->chart->updateChart();
}

void graph::showClinicRange()
{
    const ClinicRange range = m_record.calibration ? ClinicRange(*m_record.calibration) : ClinicRange();
    if (!model || range.isEmpty() || model->columnCount() > RangeLow)
        return;
    model->setColumnCount(RangeColumns);
    model->setHeaderData(RangeLow, Qt::Horizontal, tr("Clinic range (95 %)"));
    model->setHeaderData(RangeHigh, Qt::Horizontal, tr("Clinic range, upper edge"));
    model->setHeaderData(RangeCentre, Qt::Horizontal, tr("Clinic average"));
    for (int row = 0; row < Months; ++row) {
        const auto at = range.rangeAround(m_record.course[row], row + 1);
        if (!at)
            continue;
        model->setData(model->index(row, RangeLow), at->low, Qt::EditRole);
        model->setData(model->index(row, RangeHigh), at->high, Qt::EditRole);
        model->setData(model->index(row, RangeCentre), at->centre, Qt::EditRole);
    }
    const QColor clinic(0, 130, 80);
    for (int column = RangeLow; column < RangeColumns; ++column)
        model->setData(model->index(0, column), clinic, Qt::DecorationRole);

    // The red line stays exactly as it is drawn without a range; only the legend leaves it
    // out, as the axis title already names it.
    ChartXYSetting *setting = ui->chart->setting();
    setting->seriesStyle(1).setInLegend(false);
    ChartXYSeriesStyle &low = setting->seriesStyle(RangeLow);
    low.setLineVisible(false);
    low.setBandTo(RangeHigh);
    low.setBandOpacity(0.22);
    ChartXYSeriesStyle &high = setting->seriesStyle(RangeHigh);
    high.setLineVisible(false);
    high.setInLegend(false);
    ChartXYSeriesStyle &centre = setting->seriesStyle(RangeCentre);
    centre.setLineWidth(1);
    centre.setLineStyle(Qt::DashLine);
    setting->legend()->setVisible(true);
    setting->legend()->setCorner(Qt::TopRightCorner);

    if (!m_rangeSource) {
        m_rangeSource = new QLabel(this);
        m_rangeSource->setObjectName(QStringLiteral("clinicRangeLabel"));
        m_rangeSource->setWordWrap(true);
        addExtra(m_rangeSource);
    }
    m_rangeSource->setText(m_record.calibration->sourceLine());
}

void graph::setPredictors(const PredictorValues &values, const PredictorSources &sources,
                          const QDateTime &time)
{
    m_record.predictors = values;
    m_record.sources = sources;
    m_record.time = time;
    m_record.hasPredictors = true;
    updateCautions();
    updateActions();
    updateCourseTable();
}

void graph::setHeightMetres(std::optional<double> metres)
{
    m_record.heightMetres = metres;
    updateCourseTable();
}

void graph::updateCourseTable()
{
    if (!m_record.hasCourse)
        return;
    enum Row { BmiRow, WeightRow, ChangeRow, Rows };
    if (!m_courseTable) {
        m_courseTable = new QTableWidget(Rows, Months, this);
        m_courseTable->setObjectName(QStringLiteral("courseTable"));
        m_courseTable->setAccessibleName(tr("Predicted course"));
        m_courseTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
        m_courseTable->setSelectionMode(QAbstractItemView::NoSelection);
        m_courseTable->setFocusPolicy(Qt::NoFocus);
        m_courseTable->setVerticalHeaderLabels(
            {tr("BMI (kg/m²)"), tr("Weight (kg)"), tr("Change (kg)")});
        QStringList months;
        for (int m = 1; m <= Months; ++m)
            months << tr("Month %1").arg(m);
        m_courseTable->setHorizontalHeaderLabels(months);
        m_courseTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
        m_courseTable->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
        m_courseTable->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_courseTable->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        m_courseTable->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        for (int row = 0; row < Rows; ++row)
            for (int m = 0; m < Months; ++m) {
                auto *item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                m_courseTable->setItem(row, m, item);
            }
        int height = m_courseTable->horizontalHeader()->sizeHint().height()
                     + 2 * m_courseTable->frameWidth();
        for (int row = 0; row < Rows; ++row)
            height += m_courseTable->verticalHeader()->sectionSizeHint(row);
        m_courseTable->setFixedHeight(height);
        // Under the chart, which keeps the room it had: the dialog grows instead.
        auto *column = static_cast<QBoxLayout *>(layout());
        column->insertWidget(column->indexOf(ui->chart) + 1, m_courseTable);
        resize(width(), height + this->height() + column->spacing());
    }
    const double initial = m_record.predictors[int(Predictor::InitialBmi)];
    const std::optional<double> height = m_record.heightMetres;
    const QString why = tr("No height is known for this simulation, so the course cannot be "
                           "given in kilograms; use the weight-and-height button for the BMI.");
    for (int m = 0; m < Months; ++m) {
        const double bmi = m_record.course[m];
        const std::optional<double> weight = weightFromBmi(bmi, height);
        const bool hasChange = weight && m_record.hasPredictors;
        const double change = weightFromBmi(bmi - initial, height).value_or(0);
        m_courseTable->item(BmiRow, m)->setText(QString::number(bmi, 'f', 2));
        m_courseTable->item(WeightRow, m)->setText(weight ? QString::number(*weight, 'f', 1)
                                                          : QString());
        const QString kg = QString::number(change, 'f', 1);
        m_courseTable->item(ChangeRow, m)->setText(
            !hasChange ? QString() : change >= 0.05 ? QLatin1Char('+') + kg : kg);
        for (int row : {int(WeightRow), int(ChangeRow)})
            m_courseTable->item(row, m)->setToolTip(height ? QString() : why);
    }
}

const SimulationRecord &graph::record() const
{
    return m_record;
}

ResultReport graph::report() const
{
    return ResultReport(m_record, *ui->chart);
}

bool graph::saveReport(const QString &fileName)
{
    QString reason;
    if (report().savePdf(fileName, &reason))
        return true;
    QMessageBox::warning(this, windowTitle(),
                         tr("The report could not be saved as “%1”: %2.")
                             .arg(QDir::toNativeSeparators(fileName), reason));
    return false;
}

void graph::setCaseCode(const QString &code)
{
    if (code == m_record.caseCode)
        return;
    m_record.caseCode = code;
    emit m_caseCodeNotifier->changed(code);
}

QString graph::caseCode() const
{
    return m_record.caseCode;
}

CaseCodeNotifier *graph::caseCodeNotifier() const
{
    return m_caseCodeNotifier;
}

QPushButton *graph::addActionButton(QAction *action)
{
    addAction(action);
    auto *button = ui->buttonBox->addButton(action->text(), QDialogButtonBox::ActionRole);
    button->setObjectName(action->objectName());
    button->setAutoDefault(false);
    const auto follow = [button, action] {
        button->setText(action->text());
        // An action without a tool tip of its own offers its text as one; the button
        // already shows that.
        const QString tip = action->toolTip();
        button->setToolTip(tip == QString(action->text()).remove(QLatin1Char('&')) ? QString() : tip);
        button->setEnabled(action->isEnabled());
        button->setHidden(!action->isVisible());
    };
    follow();
    connect(action, &QAction::changed, button, follow);
    connect(button, &QPushButton::clicked, action, &QAction::trigger);
    connect(action, &QObject::destroyed, button, &QObject::deleteLater);
    ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
    return button;
}

void graph::addExtra(QWidget *widget)
{
    auto *column = static_cast<QBoxLayout *>(layout());
    column->insertWidget(column->indexOf(ui->buttonBox), widget);
}

void graph::setChangedFromCase(const QString &code, const QStringList &changes)
{
    m_record.changedFromCase = code;
    m_record.changes = changes;
}

void graph::setCaseBaseline(const QDate &baseline)
{
    m_record.caseBaseline = baseline;
}

QString graph::defaultReportFileName() const
{
    const QDate date = m_record.time.isValid() ? m_record.time.date() : QDate::currentDate();
    return ReportWriter::defaultFileName(m_record.caseCode, date, QString());
}

// Custom buttons cannot be described in the form, so they join the box here. Ok stays the
// default: the others never take it over, even when they have focus.
void graph::addActionButtons()
{
    struct Action {
        QPushButton *graph::*button;
        const char *name;
        const char *text;
        void (graph::*run)();
    };
    static const Action actions[] = {
        {&graph::m_copy, "copyButton", QT_TR_NOOP("Copy"), &graph::copyValues},
        {&graph::m_print, "printButton", QT_TR_NOOP("Print…"), &graph::printReport},
        {&graph::m_savePdf, "savePdfButton", QT_TR_NOOP("Save PDF…"), &graph::saveReportAs},
    };
    for (const Action &action : actions) {
        QPushButton *button = ui->buttonBox->addButton(tr(action.text),
                                                       QDialogButtonBox::ActionRole);
        button->setObjectName(QLatin1String(action.name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, action.run);
        this->*action.button = button;
    }
    ui->buttonBox->button(QDialogButtonBox::Ok)->setDefault(true);
}

// Nothing can be copied before there is a course, and no report is made without the
// inputs it has to show.
void graph::updateActions()
{
    m_copy->setEnabled(m_record.hasCourse);
    m_print->setEnabled(m_record.hasCourse && m_record.hasPredictors);
    m_savePdf->setEnabled(m_record.hasCourse && m_record.hasPredictors);
}

// Until the inputs are given, the checks against the initial BMI wait.
void graph::updateCautions()
{
    const QString text = m_record.hasCourse ? courseCautionsText(recordCautions(m_record))
                                            : QString();
    ui->cautionLabel->setText(text);
    ui->cautionLabel->setVisible(!text.isEmpty());
}

void graph::copyValues()
{
    ui->chart->copyToClipboard();
}

void graph::printReport()
{
    QPrinter printer(QPrinter::HighResolution);
    ReportWriter::preparePrinter(printer, defaultReportFileName());
    QPrintDialog dialog(&printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!ReportWriter::print(report().document(), printer))
        QMessageBox::warning(this, windowTitle(), tr("The report could not be printed."));
}

void graph::saveReportAs()
{
    QFileDialog dialog(this, tr("Save PDF"), defaultReportFileName(),
                       tr("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
        saveReport(dialog.selectedFiles().constFirst());
}
