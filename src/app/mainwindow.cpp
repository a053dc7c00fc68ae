#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "bmicourse.h"
#include "bmidialog.h"
#include "casebookaccess.h"
#include "casebookdialog.h"
#include "dialog.h"
#include "dialog_alex.h"
#include "dialog_bod.h"
#include "dialog_mps.h"
#include "graph.h"
#include "handoutaction.h"
#include "predictorcheck.h"
#include "questionnaireanswers.h"
#include "questionnairelauncher.h"
#include "savecasebutton.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/globe.jpg")));
    const auto fields = predictorFields();
    for (int i = 0; i < PredictorCount; ++i) {
        // From the keyboard, Return in a field is the quick way to "Simulation".
        connect(fields[i], &QLineEdit::returnPressed, ui->btnSimulation, &QAbstractButton::click);
        // A hand edit makes the value the user's own, whoever wrote it before.
        connect(fields[i], &QLineEdit::textEdited, this, [this, i] {
            m_sources[i].clear();
            m_answers[i].clear();
        });
    }

    // "Cases…" at the left end of the bottom row, as wide as "Close"; connected here, not
    // by name, so that the window's slots stay as they are.
    m_caseBook = std::make_unique<CaseBookAccess>();
    auto *cases = new QCommandLinkButton(tr("Cases…"), ui->groupBox_3);
    cases->setObjectName(QStringLiteral("casesButton"));
    cases->setToolTip(tr("Saved cases: find one, load it into the form, export or back up"));
    cases->setMinimumWidth(ui->btnClose->minimumWidth());
    cases->setMaximumWidth(ui->btnClose->maximumWidth());
    ui->horizontalLayout->insertWidget(0, cases);
    connect(cases, &QAbstractButton::clicked, this, &MainWindow::openCaseBook);
    // Which case the fields hold, once one is loaded; every change of a value shows.
    m_loadedLabel = new QLabel(ui->groupBox_3);
    m_loadedLabel->setObjectName(QStringLiteral("loadedCaseLabel"));
    m_loadedLabel->setTextFormat(Qt::PlainText);
    ui->horizontalLayout->insertWidget(1, m_loadedLabel);
    for (QLineEdit *field : predictorFields())
        connect(field, &QLineEdit::textChanged, this, &MainWindow::showLoadedCase);

    addBmiButton();
    useBuiltInPicturesWhereMissing();
    // The command buttons draw no focus of their own: a frame in the highlight colour shows
    // where Tab has arrived, and Space presses it.
    for (QCommandLinkButton *button : findChildren<QCommandLinkButton *>())
        button->setStyleSheet(QStringLiteral(
            "QCommandLinkButton:focus { border: 2px solid palette(highlight); border-radius: 4px; }"));
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::on_btnSimulation_clicked()
{
    QMessageBox warning;
    QFont font = warning.font();
    font.setPointSize(14);
    warning.setFont(font);
    warning.setIcon(QMessageBox::Warning);

    QStringList texts;
    for (const QLineEdit *field : predictorFields())
        texts << field->text();
    PredictorValues values{};
    const int failing = firstInvalidPredictor(texts, &values);
    if (failing >= 0) {
        const PredictorRange &range = predictorRange(static_cast<Predictor>(failing));
        warning.setText(QCoreApplication::translate("MainWindow", range.message));
        warning.setInformativeText(refusalReason(texts.at(failing), range));
        warning.exec();
        // Straight back to the field, its text selected, ready to be typed over.
        QLineEdit *field = predictorFields()[failing];
        field->setFocus(Qt::OtherFocusReason);
        field->selectAll();
        return;
    }

    BmiCourse course = predictBmiCourse(values);
    graph result;
    result.prepareview(course.data());
    result.setPredictors(values, m_sources);
    result.setHeightMetres(m_heightMetres);
    if (const std::optional<Calibration> calibration = m_caseBook->calibrationInUse())
        result.setCalibration(*calibration);
    m_loaded.describe(result, changesFromLoadedCase());
    // Once saved, the form holds that case: a changed copy is no longer the old case "changed".
    addSaveCaseButton(result, *m_caseBook, m_answers, [this](const CaseRecord &saved) {
        m_loaded = LoadedCase(saved);
        if (CaseStore *store = m_caseBook->store(this))
            m_loadedFrom = store->location();
        showLoadedCase();
    });
    addHandoutButton(result);
    result.exec();
}

void MainWindow::on_btnClose_clicked()
{
    close();
}

void MainWindow::on_pushButton_RES_clicked()
{
    Dialog dialog;
    dialog.setScale(Dialog::RestrainedEating,
                    tr("Calculating the score on “Restrained eating” scale..."));
    // The field takes the mean over the scale's items.
    runQuestionnaire(dialog, ui->lineEdit, dialog.itemCount());
    noteSource(dialog, Predictor::RestrainedEating, tr("DEBQ, “Restrained eating” scale"));
}

void MainWindow::on_pushButton_EM_clicked()
{
    Dialog dialog;
    dialog.setScale(Dialog::EmotionalEating,
                    tr("Calculating the score on “Emotional eating” scale..."));
    runQuestionnaire(dialog, ui->lineEdit_2, dialog.itemCount());
    noteSource(dialog, Predictor::EmotionalEating, tr("DEBQ, “Emotional eating” scale"));
}

void MainWindow::on_pushButton_EXT_clicked()
{
    Dialog dialog;
    dialog.setScale(Dialog::ExternalEating,
                    tr("Calculating the score on “External eating” scale..."));
    runQuestionnaire(dialog, ui->lineEdit_3, dialog.itemCount());
    noteSource(dialog, Predictor::ExternalEating, tr("DEBQ, “External eating” scale"));
}

void MainWindow::on_pushButton_PS_clicked()
{
    Dialog_mps dialog;
    dialog.setScale(Dialog_mps::PersonalStandards,
                    tr("Calculating the score on “Personal standards” scale..."));
    runQuestionnaire(dialog, ui->lineEdit_4);
    noteSource(dialog, Predictor::PersonalStandards, tr("MPS-FROST, “Personal standards” scale"));
}

void MainWindow::on_pushButton_MD_clicked()
{
    Dialog_mps dialog;
    dialog.setScale(Dialog_mps::ConcernOverMistakesAndDoubts,
                    tr("Calculating the score on “Concern over mistakes, doubts about "
                       "actions” scale..."));
    runQuestionnaire(dialog, ui->lineEdit_5);
    noteSource(dialog, Predictor::ConcernOverMistakes,
               tr("MPS-FROST, “Concern over mistakes, doubts about actions” scale"));
}

void MainWindow::on_pushButton_BOD_clicked()
{
    Dialog_bod dialog;
    runQuestionnaire(dialog, ui->lineEdit_6);
    noteSource(dialog, Predictor::BodyImageDissatisfaction, tr("Body image questionnaire"));
}

void MainWindow::on_pushButton_ALEX_clicked()
{
    Dialog_alex dialog;
    runQuestionnaire(dialog, ui->lineEdit_7);
    noteSource(dialog, Predictor::Alexithymia, tr("TAS-26"));
}

std::array<QLineEdit *, PredictorCount> MainWindow::predictorFields() const
{
    return {ui->lineEdit,   ui->lineEdit_2, ui->lineEdit_3, ui->lineEdit_4,
            ui->lineEdit_5, ui->lineEdit_6, ui->lineEdit_7, ui->lineEdit_8};
}

void MainWindow::addBmiButton()
{
    QLineEdit *field = ui->lineEdit_8;
    auto *button = new QPushButton(field->parentWidget());
    button->setObjectName(QStringLiteral("pushButton_BMI"));
    // Sized and behaving like the questionnaire buttons above it, with a picture of its own:
    // it opens no questionnaire.
    const QPushButton *model = ui->pushButton_ALEX;
    button->setIcon(QIcon(QStringLiteral(":/buttons/scales.png")));
    button->setMinimumSize(model->minimumSize());
    button->setMaximumSize(model->maximumSize());
    button->setFocusPolicy(model->focusPolicy());
    button->setToolTip(tr("Body Mass Index from weight (kg) and height (cm)"));
    button->setAccessibleName(tr("Weight and height"));
    button->setAccessibleDescription(button->toolTip());
    // The field was widened to line up without a button; with one, it matches the others.
    field->setMinimumWidth(ui->lineEdit_7->minimumWidth());
    ui->horizontalLayout_9->addWidget(button);
    connect(button, &QPushButton::clicked, this, &MainWindow::enterBmiFromWeightAndHeight);
    // A typed BMI no longer rests on the height measured for it.
    connect(field, &QLineEdit::textEdited, this, [this] { m_heightMetres.reset(); });
}

// The form finds its button pictures by paths relative to the working folder; started
// anywhere else, the buttons would be blank grey boxes. Copies built into the program fill in.
void MainWindow::useBuiltInPicturesWhereMissing()
{
    const auto missing = [](const QAbstractButton *button) {
        return button->icon().pixmap(QSize(16, 16)).isNull();
    };
    const QIcon next(QStringLiteral(":/buttons/nextunfinished.png"));
    for (QPushButton *button : findChildren<QPushButton *>())
        if (button->objectName().startsWith(QLatin1String("pushButton_")) && missing(button))
            button->setIcon(next);
    if (missing(ui->btnClose))
        ui->btnClose->setIcon(QIcon(QStringLiteral(":/buttons/button-close.png")));
}

void MainWindow::enterBmiFromWeightAndHeight()
{
    BmiDialog dialog(this);
    if (m_heightMetres)
        dialog.setHeightMetres(*m_heightMetres);
    if (dialog.exec() != QDialog::Accepted)
        return;
    ui->lineEdit_8->setText(formatPredictor(dialog.bmi()));
    m_sources[static_cast<int>(Predictor::InitialBmi)] = dialog.sourceText();
    m_heightMetres = dialog.heightCm() / 100.0;
    showLoadedCase();
}

void MainWindow::noteSource(const QDialog &questionnaire, Predictor field,
                            const QString &source)
{
    if (questionnaire.result() == QDialog::Accepted) {
        m_sources[static_cast<int>(field)] = source;
        m_answers[static_cast<int>(field)] = QuestionnaireAnswers::read(&questionnaire);
    }
}

void MainWindow::openCaseBook()
{
    // Again after "Database…" chose another case book.
    for (bool again = true; again;) {
        CaseStore *store = m_caseBook->store(this);
        if (!store)
            return;
        CaseBookDialog caseBook(*store, this);
        const bool chosen = caseBook.exec() == QDialog::Accepted;
        again = caseBook.databaseChanged();
        if (chosen)
            loadCase(caseBook.chosenCase(), store->location());
        else if (!again)
            refreshLoadedCase(*store);
    }
}

void MainWindow::refreshLoadedCase(CaseStore &store)
{
    if (m_loaded.isEmpty() || store.location() != m_loadedFrom)
        return;
    CaseRecord now;
    if (store.readCase(m_loaded.record().id, &now))
        m_loaded = LoadedCase(now);
    else if (store.lastError().kind == CaseStoreError::NotFound)
        m_loaded = LoadedCase();
    showLoadedCase();
}

void MainWindow::loadCase(const CaseRecord &record, const QString &location)
{
    m_loaded = LoadedCase(record);
    m_loadedFrom = location;
    const auto fields = predictorFields();
    for (int i = 0; i < PredictorCount; ++i) {
        // Every digit kept, so that "Simulation" gives the saved course again.
        fields[i]->setText(QString::number(record.predictors[i], 'g', QLocale::FloatingPointShortest));
        m_sources[i] = record.sources[i];
        m_answers[i] = record.answers[i];
    }
    // The loaded BMI rests on the case's own height, not on one measured for another person.
    m_heightMetres = record.heightMetres;
    showLoadedCase();
}

QStringList MainWindow::changesFromLoadedCase() const
{
    QStringList texts;
    for (const QLineEdit *field : predictorFields())
        texts << field->text();
    return m_loaded.changes(texts, m_heightMetres);
}

void MainWindow::showLoadedCase()
{
    const QStringList changes = changesFromLoadedCase();
    m_loadedLabel->setText(m_loaded.label(!changes.isEmpty()));
    m_loadedLabel->setToolTip(changes.join(QLatin1Char('\n')));
}
