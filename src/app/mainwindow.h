#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "loadedcase.h"
#include "simulationrecord.h"

#include <QMainWindow>
#include <QVector>

#include <memory>

class CaseBookAccess;
class CaseStore;
struct CaseRecord;
class QDialog;
class QLabel;
class QLineEdit;

namespace Ui {
class MainWindow;
}

// The predictor form: eight fields, seven questionnaire launchers, "Simulation" and "Close".
// The fields are the only store of predictor values.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

private slots:
    void on_btnSimulation_clicked();
    void on_btnClose_clicked();
    void on_pushButton_RES_clicked();
    void on_pushButton_EM_clicked();
    void on_pushButton_EXT_clicked();
    void on_pushButton_PS_clicked();
    void on_pushButton_MD_clicked();
    void on_pushButton_BOD_clicked();
    void on_pushButton_ALEX_clicked();

private:
    std::array<QLineEdit *, PredictorCount> predictorFields() const;
    // The button after the BMI field that opens the weight-and-height dialog.
    void addBmiButton();
    void enterBmiFromWeightAndHeight();
    void useBuiltInPicturesWhereMissing();
    // After a launcher ran: an accepted questionnaire becomes the field's source.
    void noteSource(const QDialog &questionnaire, Predictor field, const QString &source);

    // The case book, opened when first asked for; a loaded case fills the form.
    void openCaseBook();
    void loadCase(const CaseRecord &record, const QString &location);
    // The loaded case as the book now holds it (its code changed, or it was deleted), once
    // the case book closes on the book it came from.
    void refreshLoadedCase(CaseStore &store);
    // How the form now differs from the loaded case; empty when it holds it as stored.
    QStringList changesFromLoadedCase() const;
    void showLoadedCase();

    Ui::MainWindow *ui;
    // Per field, the questionnaire and scale that last wrote it; empty once typed over.
    PredictorSources m_sources;
    // Per field written by a questionnaire, its answers item by item, kept with a saved case.
    std::array<QVector<int>, PredictorCount> m_answers;
    std::unique_ptr<CaseBookAccess> m_caseBook;
    // The height behind the BMI field while that came from the weight-and-height dialog.
    std::optional<double> m_heightMetres;
    // The case "Load into form" last put into the fields, shown beside the bottom buttons.
    LoadedCase m_loaded;
    QString m_loadedFrom; // the case book's location
    QLabel *m_loadedLabel = nullptr;
};

#endif // MAINWINDOW_H
