#include "casebookdialog.h"

#include "casebooktr.h"
#include "casebookaccess.h"
#include "calibrationdialog.h"
#include "databaselocation.h"
#include "casecsv.h"
#include "caselistmodel.h"
#include "casestore.h"
#include "fhirbundlewriter.h"
#include "fhircasebook.h"
#include "fhirimport.h"
#include "flowlayout.h"
#include "followuppane.h"
#include "questionnaireview.h"
#include "textcheck.h"

#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QTableView>
#include <QVBoxLayout>

CaseBookDialog::CaseBookDialog(CaseStore &store, QWidget *parent)
    : QDialog(parent)
    , m_store(store)
    , m_model(new CaseListModel(store, this))
    , m_filter(new QLineEdit(this))
    , m_list(new QTableView(this))
    , m_followUp(new FollowUpPane(&store, this))
{
    setObjectName(QStringLiteral("caseBook"));
    setWindowTitle(CaseBookTr::tr("Cases"));
    setWindowIcon(QIcon(QStringLiteral(":/globe.jpg")));
    setModal(true);

    m_filter->setObjectName(QStringLiteral("caseFilterEdit"));
    m_filter->setPlaceholderText(CaseBookTr::tr("Type part of a case code"));
    m_filter->setClearButtonEnabled(true);
    auto *findLabel = new QLabel(CaseBookTr::tr("&Find:"), this);
    findLabel->setBuddy(m_filter);
    connect(m_filter, &QLineEdit::textChanged, m_model, &CaseListModel::setFilter);

    m_list->setObjectName(QStringLiteral("caseList"));
    m_list->setModel(m_model);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setTabKeyNavigation(false);
    m_list->verticalHeader()->hide();
    // One line a case, however narrow the list is made.
    m_list->setWordWrap(false);
    // Every column as wide as its words, the code first: "AB-101" and "ab-101" must both be
    // read whole. What does not fit scrolls sideways; the last column takes what is left.
    m_list->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->horizontalHeader()->setStretchLastSection(true);
    m_list->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CaseBookDialog::keepCodeColumnInView);
    connect(m_model, &QAbstractItemModel::rowsInserted, this, &CaseBookDialog::keepCodeColumnInView);

    m_list->setAccessibleName(CaseBookTr::tr("Cases"));
    // Double-click or Return on a case loads it, as "Load into form" does.
    connect(m_list, &QTableView::activated, this, &CaseBookDialog::loadCurrent);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CaseBookDialog::updateButtons);
    connect(m_model, &QAbstractItemModel::modelReset, this, &CaseBookDialog::updateButtons);
    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &CaseBookDialog::showSelectedFollowUp);
    connect(m_model, &QAbstractItemModel::modelReset, this,
            &CaseBookDialog::showSelectedFollowUp);
    connect(m_followUp, &FollowUpPane::visitsChanged, m_model, [this](qint64 caseId) {
        m_model->refreshLastVisit(caseId, m_followUp->heightMetres());
    });

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    // The actions go on to a second row where the screen is too narrow for one.
    auto *actionRow = new FlowLayout;
    struct Action {
        QPushButton **button;
        const char *name;
        const char *text;
        void (CaseBookDialog::*run)();
    };
    QPushButton *exportButton = nullptr;
    QPushButton *exportFhirButton = nullptr;
    QPushButton *importFhirButton = nullptr;
    QPushButton *backupButton = nullptr;
    QPushButton *databaseButton = nullptr;
    QPushButton *calibrationButton = nullptr;
    const Action actions[] = {
        {&m_load, "loadCaseButton", QT_TRANSLATE_NOOP("CaseBook", "Load into form"), &CaseBookDialog::loadCurrent},
        {&m_answers, "caseAnswersButton", QT_TRANSLATE_NOOP("CaseBook", "Answers…"), &CaseBookDialog::chooseAnswers},
        {&m_changeCode, "changeCodeButton", QT_TRANSLATE_NOOP("CaseBook", "Change code…"), &CaseBookDialog::changeCode},
        {&m_delete, "deleteCaseButton", QT_TRANSLATE_NOOP("CaseBook", "Delete…"), &CaseBookDialog::deleteCurrent},
        {&exportButton, "exportCasesButton", QT_TRANSLATE_NOOP("CaseBook", "Export…"), &CaseBookDialog::exportCases},
        {&exportFhirButton, "exportFhirButton", QT_TRANSLATE_NOOP("CaseBook", "Export FHIR…"), &CaseBookDialog::exportFhir},
        {&importFhirButton, "importFhirButton", QT_TRANSLATE_NOOP("CaseBook", "Import FHIR…"), &CaseBookDialog::importFhir},
        {&backupButton, "backupCasesButton", QT_TRANSLATE_NOOP("CaseBook", "Back up…"), &CaseBookDialog::backUp},
        {&databaseButton, "databaseButton", QT_TRANSLATE_NOOP("CaseBook", "Database…"), &CaseBookDialog::chooseDatabase},
        {&calibrationButton, "calibrationButton", QT_TRANSLATE_NOOP("CaseBook", "Calibration…"),
         &CaseBookDialog::showCalibration},
    };
    for (const Action &action : actions) {
        *action.button = new QPushButton(CaseBookTr::tr(action.text), this);
        actionRow->addWidget(*action.button);
        (*action.button)->setObjectName(QLatin1String(action.name));
        (*action.button)->setAutoDefault(false);
        connect(*action.button, &QPushButton::clicked, this, action.run);
    }
    m_answers->setToolTip(CaseBookTr::tr("The questionnaire answers of the selected case"));
    exportButton->setToolTip(CaseBookTr::tr("Cases as CSV: the selected ones, or all when none is selected"));
    exportFhirButton->setToolTip(CaseBookTr::tr("Cases and visits as a FHIR R4 file for a record system: the "
                                                "selected ones, or all when none is selected"));
    importFhirButton->setToolTip(CaseBookTr::tr("Weights, heights and BMI measured elsewhere, from a FHIR R4 "
                                                "file, as visits"));
    backupButton->setToolTip(CaseBookTr::tr("A copy of the whole case book"));
    databaseButton->setToolTip(CaseBookTr::tr("The case book on this computer or on the clinic server"));
    calibrationButton->setToolTip(CaseBookTr::tr("The clinic range drawn around every predicted course"));
    showCalibrationInList();
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const DatabaseLocation location = DatabaseLocation::fromText(store.location());
    auto *where = new QLabel(CaseBookTr::tr("Case book: %1")
                                 .arg(location.isServer() ? location.description()
                                                          : QDir::toNativeSeparators(store.location())),
                             this);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where->setWordWrap(true);

    auto *find = new QHBoxLayout;
    find->addWidget(findLabel);
    find->addWidget(m_filter);
    // The list on the left, the selected case's follow-up on the right.
    auto *cases = new QWidget(this);
    auto *casesLayout = new QVBoxLayout(cases);
    casesLayout->setContentsMargins(0, 0, 0, 0);
    casesLayout->addLayout(find);
    casesLayout->addWidget(m_list);
    casesLayout->addWidget(where);
    m_split = new QSplitter(Qt::Horizontal, this);
    m_split->setObjectName(QStringLiteral("caseBookSplitter"));
    m_split->setChildrenCollapsible(false);
    m_split->addWidget(cases);
    m_split->addWidget(m_followUp);
    m_split->setStretchFactor(0, 4);
    m_split->setStretchFactor(1, 5);
    actionRow->addStretch();
    actionRow->addWidget(buttons);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_split, 1);
    layout->addLayout(actionRow);
    restoreSize();

    if (!m_model->errorText().isEmpty())
        warn(m_model->errorText());
    updateButtons();
    m_filter->setFocus();
}

static const QString sizeKey = QStringLiteral("caseBook/size");
static const QString splitterKey = QStringLiteral("caseBook/splitter");

void CaseBookDialog::restoreSize()
{
    // As the user left it, or wide enough for the list and the follow-up side by side; never
    // larger than the screen it opens on, which may be smaller than the one it was left on.
    keepCodeColumnInView();
    QSettings settings;
    QSize size = settings.value(sizeKey).toSize();
    if (!size.isValid())
        size = QSize(1400, 640);
    const QScreen *screen = parentWidget() ? parentWidget()->screen() : this->screen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        // Room for the window's frame, which is not part of the size.
        size = size.boundedTo(available.size() - QSize(16, 40));
    }
    resize(size.expandedTo(minimumSizeHint()));
    if (!m_split->restoreState(settings.value(splitterKey).toByteArray()))
        m_split->setSizes({size.width() * 4 / 9, size.width() * 5 / 9});
}

void CaseBookDialog::done(int result)
{
    QSettings settings;
    settings.setValue(sizeKey, size());
    settings.setValue(splitterKey, m_split->saveState());
    QDialog::done(result);
}

void CaseBookDialog::keepCodeColumnInView()
{
    // The list never becomes narrower than its codes, whatever the splitter asks.
    const QAbstractItemView *view = m_list; // where the size hint is public
    const int code = qMax(view->sizeHintForColumn(CaseListModel::CodeColumn),
                          m_list->horizontalHeader()->sectionSizeHint(CaseListModel::CodeColumn));
    const int frame = 2 * m_list->frameWidth() + m_list->verticalScrollBar()->sizeHint().width();
    const QScreen *screen = this->screen();
    const int most = screen ? screen->availableGeometry().width() / 2 : code + frame;
    m_list->setMinimumWidth(qMin(code + frame, most));
}

void CaseBookDialog::updateButtons()
{
    const bool one = m_list->selectionModel()->selectedRows().size() == 1;
    m_load->setEnabled(one);
    m_answers->setEnabled(one);
    m_changeCode->setEnabled(one);
    m_delete->setEnabled(one);
    // With one case selected, Return in the filter field loads it.
    m_load->setDefault(one);
}

void CaseBookDialog::showSelectedFollowUp()
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    const qint64 id = rows.size() == 1 ? m_model->summary(rows.first().row()).id : 0;
    if (id != m_followUp->caseId() && !m_followUp->showCase(id))
        warn(m_store.lastError().message);
}

void CaseBookDialog::warn(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}

bool CaseBookDialog::readCurrent(CaseRecord *record)
{
    const QModelIndexList rows = m_list->selectionModel()->selectedRows();
    const QModelIndex current = rows.size() == 1 ? rows.first() : m_list->currentIndex();
    if (!current.isValid())
        return false;
    if (!m_store.readCase(m_model->summary(current.row()).id, record)) {
        warn(m_store.lastError().message);
        m_model->reload();
        return false;
    }
    return true;
}

void CaseBookDialog::loadCurrent()
{
    if (readCurrent(&m_chosen))
        accept();
}

void CaseBookDialog::chooseAnswers()
{
    CaseRecord record;
    if (!readCurrent(&record))
        return;
    QMenu menu(this);
    for (int p = 0; p < PredictorCount; ++p) {
        if (record.answers[p].isEmpty())
            continue;
        QAction *action = menu.addAction(record.sources[p].isEmpty()
                                             ? QuestionnaireView::title(p)
                                             : record.sources[p]);
        connect(action, &QAction::triggered, this, [this, p] { showAnswers(p); });
    }
    if (menu.isEmpty()) {
        QMessageBox::information(this, windowTitle(),
                                 CaseBookTr::tr("Every value of the case “%1” was typed in; it holds no "
                                                "questionnaire answers.")
                                     .arg(record.code));
        return;
    }
    menu.exec(m_answers->mapToGlobal(QPoint(0, m_answers->height())));
}

void CaseBookDialog::showAnswers(int predictor)
{
    CaseRecord record;
    if (readCurrent(&record) && predictor >= 0 && predictor < PredictorCount)
        QuestionnaireView::show(predictor, record.answers[predictor], this);
}

void CaseBookDialog::deleteCurrent()
{
    CaseRecord record;
    if (!readCurrent(&record))
        return;
    QMessageBox ask(QMessageBox::Question, windowTitle(),
                    CaseBookTr::tr("Delete the case “%1” and all its data?").arg(record.code),
                    QMessageBox::NoButton, this);
    ask.setInformativeText(CaseBookTr::tr("This cannot be undone. The audit trail keeps only that the case "
                                          "was deleted, by whom and when."));
    QPushButton *remove = ask.addButton(CaseBookTr::tr("Delete"), QMessageBox::DestructiveRole);
    ask.setDefaultButton(ask.addButton(QMessageBox::Cancel));
    ask.exec();
    if (ask.clickedButton() != remove)
        return;
    if (!m_store.removeCase(record.id))
        warn(m_store.lastError().message);
    m_model->reload();
}

void CaseBookDialog::changeCode()
{
    CaseRecord record;
    if (!readCurrent(&record))
        return;
    QString typed = record.code;
    // Asked again with what was typed until the book takes it or the user gives up.
    for (;;) {
        bool ok = false;
        typed = QInputDialog::getText(this, CaseBookTr::tr("Change code"),
                                      CaseBookTr::tr("The new code of the case “%1”:").arg(record.code),
                                      QLineEdit::Normal, typed, &ok);
        if (!ok || typed == record.code)
            return;
        CaseRecord changed = record;
        changed.code = typed;
        if (m_store.updateCase(&changed))
            break;
        warn(m_store.lastError().message);
        const CaseStoreError::Kind kind = m_store.lastError().kind;
        if (kind != CaseStoreError::InvalidInput && kind != CaseStoreError::DuplicateCode)
            return;
    }
    m_model->reload();
}

void CaseBookDialog::exportCases()
{
    const bool all = m_list->selectionModel()->selectedRows().isEmpty();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed = QDir(folder).filePath(
        QStringLiteral("telma-cases-%1.csv").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString fileName = QFileDialog::getSaveFileName(
        this, all ? CaseBookTr::tr("Export all cases") : CaseBookTr::tr("Export the selected cases"), proposed,
        CaseBookTr::tr("CSV files (*.csv)"));
    if (!fileName.isEmpty())
        exportCasesTo(fileName);
}

void CaseBookDialog::exportCasesTo(const QString &fileName)
{
    QVector<qint64> ids;
    for (const QModelIndex &row : m_list->selectionModel()->selectedRows())
        ids << m_model->summary(row.row()).id;
    QVector<CaseRecord> records;
    if (!m_store.readCases(ids, &records)) {
        warn(m_store.lastError().message);
        return;
    }
    QString error;
    if (!CaseCsv::save(fileName, records, &error)) {
        warn(error);
        return;
    }
    // Written all the same; but an import would refuse these codes, so they are named now.
    QStringList stranded;
    for (const CaseRecord &record : std::as_const(records)) {
        const QString refusal = CaseCsv::codeCellRefusal(record.code);
        if (!refusal.isEmpty())
            stranded << CaseBookTr::tr("“%1” %2.").arg(TextCheck::visible(record.code), refusal);
    }
    if (!stranded.isEmpty())
        warn(CaseBookTr::tr("The file is written, but an import cannot read these codes back, which hold a "
                            "character no longer taken. Give the cases other codes before they are imported "
                            "elsewhere.\n\n%1")
                 .arg(stranded.join(QLatin1Char('\n'))));
}

// The case code system a clinic set, or empty after saying why it cannot be used.
static QString fhirCaseCodeSystem(QWidget *parent, const QString &title)
{
    const QString system = FhirTerms::caseCodeSystem();
    if (const QString problem = FhirTerms::caseCodeSystemProblem(system); !problem.isEmpty()) {
        QMessageBox::warning(parent, title,
                             CaseBookTr::tr(
                                                         "TELMA_FHIR_CASE_CODE_SYSTEM must name the "
                                                         "system of the case codes: %1.")
                                 .arg(problem));
        return QString();
    }
    return system;
}

void CaseBookDialog::exportFhir()
{
    const bool selected = !m_list->selectionModel()->selectedRows().isEmpty();
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed = QDir(folder).filePath(
        QStringLiteral("telma-cases-%1.fhir.json").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString fileName = QFileDialog::getSaveFileName(
        this, selected ? CaseBookTr::tr("Export the selected cases as FHIR") : CaseBookTr::tr("Export all cases as FHIR"),
        proposed, CaseBookTr::tr("FHIR JSON files (*.json)"));
    if (!fileName.isEmpty())
        exportFhirTo(fileName);
}

void CaseBookDialog::exportFhirTo(const QString &fileName)
{
    const QString system = fhirCaseCodeSystem(this, windowTitle());
    if (system.isEmpty())
        return;
    QVector<qint64> ids;
    for (const QModelIndex &row : m_list->selectionModel()->selectedRows())
        ids << m_model->summary(row.row()).id;
    FhirCaseBook book(m_store);
    QVector<FhirCase> cases;
    if (!book.read(ids, &cases)) {
        warn(book.error());
        return;
    }
    QString error;
    if (!FhirBundleWriter(system).save(fileName, cases, &error))
        warn(error);
}

void CaseBookDialog::importFhir()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString fileName = QFileDialog::getOpenFileName(this, CaseBookTr::tr("Import visits from FHIR"), folder,
                                                          CaseBookTr::tr("FHIR JSON files (*.json);;All files (*)"));
    if (!fileName.isEmpty())
        importFhirFrom(fileName);
}

void CaseBookDialog::importFhirFrom(const QString &fileName)
{
    const QString system = fhirCaseCodeSystem(this, windowTitle());
    if (system.isEmpty())
        return;
    FhirCaseBook book(m_store);
    FhirImport import(book, system);
    const FhirImport::Outcome outcome = import.runFile(fileName);
    if (outcome == FhirImport::Failed) {
        warn(import.error());
        return;
    }
    const auto lines = [](const QVector<FhirImport::Note> &notes) {
        QStringList text;
        for (const FhirImport::Note &note : notes)
            text << CaseBookTr::tr("entry %1: %2").arg(note.entry).arg(note.text);
        return text.join(QLatin1Char('\n'));
    };
    const QString name = QFileInfo(fileName).fileName();
    QMessageBox box(this);
    box.setObjectName(QStringLiteral("fhirImportResult"));
    box.setWindowTitle(windowTitle());
    if (outcome == FhirImport::Refused) {
        box.setIcon(QMessageBox::Warning);
        const int count = int(import.refusals().size());
        box.setText(count == 1 ? CaseBookTr::tr("Nothing was imported: 1 observation in %1 cannot be used.").arg(name)
                               : CaseBookTr::tr("Nothing was imported: %1 observations in %2 cannot be used.")
                                     .arg(count).arg(name));
        // The first few in the box itself, all of them under "Show Details…".
        box.setInformativeText(lines(import.refusals().mid(0, 3)));
        box.setDetailedText(lines(import.refusals()));
    } else {
        box.setIcon(QMessageBox::Information);
        box.setText(CaseBookTr::tr("%1 imported.").arg(name));
        box.setInformativeText(import.summary());
        if (!import.notes().isEmpty())
            box.setDetailedText(lines(import.notes()));
        m_model->reload();
    }
    box.exec();
}

void CaseBookDialog::backUp()
{
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString proposed = QDir(folder).filePath(
        QStringLiteral("telma-cases-%1.sqlite").arg(QDate::currentDate().toString(Qt::ISODate)));
    const QString fileName = QFileDialog::getSaveFileName(this, CaseBookTr::tr("Back up the case book"),
                                                          proposed, CaseBookTr::tr("Case books (*.sqlite)"));
    if (fileName.isEmpty())
        return;
    if (QDir::cleanPath(QFileInfo(fileName).absoluteFilePath())
        == QDir::cleanPath(QFileInfo(m_store.location()).absoluteFilePath())) {
        warn(CaseBookTr::tr("A backup cannot replace the case book itself; please choose another file."));
        return;
    }
    if (!m_store.backup(fileName))
        warn(m_store.lastError().message);
}

void CaseBookDialog::chooseDatabase()
{
    // Another database means another list: the case book closes and the caller opens the
    // newly chosen one.
    if (CaseBookAccess::chooseDatabase(this)) {
        m_databaseChanged = true;
        reject();
    }
}

void CaseBookDialog::showCalibration()
{
    CalibrationDialog dialog(m_store, this);
    dialog.exec();
    if (!dialog.changed())
        return;
    if (!m_followUp->reloadCalibration())
        warn(m_store.lastError().message);
    showCalibrationInList();
}

void CaseBookDialog::showCalibrationInList()
{
    // A new column is not part of the selected rows: they are selected again, whole.
    const QModelIndexList selected = m_list->selectionModel()->selectedRows();
    m_model->setCalibration(m_followUp->calibration());
    QItemSelection rows;
    for (const QModelIndex &index : selected)
        rows.select(index, index);
    m_list->selectionModel()->select(rows, QItemSelectionModel::ClearAndSelect
                                               | QItemSelectionModel::Rows);
    // The course column comes and goes with the calibration; it fits its words when there.
    for (int column : {CaseListModel::LastVisitColumn, CaseListModel::LastDifferenceColumn,
                       CaseListModel::LastDifferenceKgColumn, CaseListModel::LastCourseColumn})
        if (column < m_model->columnCount())
            m_list->horizontalHeader()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
}
