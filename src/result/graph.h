#ifndef GRAPH_H
#define GRAPH_H

#include "resultreport.h"
#include "simulationrecord.h"

#include <QDialog>

class CaseCodeNotifier;
class QAction;
class QLabel;
class QPushButton;
class QStandardItemModel;
class QTableWidget;

namespace Ui {
class graph;
}

// The result dialog: the predicted BMI course of months 1 to 6 as a red line in a chart,
// with axis titles, a caption and an Ok button; beside Ok, buttons that copy the values
// and print or save a one-page report of the simulation.
//
// Other libraries extend it only through addActionButton(), addExtra() and the case code,
// never by looking up its child widgets.
class graph : public QDialog
{
    Q_OBJECT

public:
    explicit graph(QWidget *parent = nullptr);
    ~graph() override;

    // The eight predictor values the course was computed from, and where each came from.
    // Call before exec(); the report needs them.
    void setPredictors(const PredictorValues &values, const PredictorSources &sources,
                       const QDateTime &time = QDateTime::currentDateTime());

    // The case the simulation belongs to (saved as, or loaded from); the report names it.
    void setCaseCode(const QString &code);
    QString caseCode() const;
    // Emits changed() whenever setCaseCode() gives another code.
    CaseCodeNotifier *caseCodeNotifier() const;
    // The simulation comes from the case code loaded into the form, with values changed
    // since (one line each); the report names the case and the changes.
    void setChangedFromCase(const QString &code, const QStringList &changes);
    // The baseline date of that case; the report shows it.
    void setCaseBaseline(const QDate &baseline);
    // The height the BMI was worked out from, when the weight-and-height dialog was used.
    void setHeightMetres(std::optional<double> metres);

    // The clinic's calibration in use: the chart draws its range around the course, as a
    // band behind the red line, and the report names it.
    void setCalibration(const Calibration &calibration);

    // What the dialog shows and reports: the course, and the inputs once given.
    const SimulationRecord &record() const;

    // The report of what the dialog shows; valid while the dialog lives.
    ResultReport report() const;
    // Writes the report to fileName; on failure tells the user which file and why, and
    // returns false.
    bool saveReport(const QString &fileName);
    // The name "Save PDF…" and printing to a file propose: <case code or telma>-<date>.pdf
    // in the user's documents folder.
    QString defaultReportFileName() const;

    // A button beside Copy, Print… and Save PDF… that stands for action: it shows the
    // action's text and tool tip, is enabled and visible as the action is, carries its object
    // name, and triggers it when pressed; the action's shortcut works in the whole dialog.
    // Ok stays the default. The button goes when the action is deleted; the caller owns the
    // action (the dialog is a fitting parent).
    QPushButton *addActionButton(QAction *action);
    // Shows widget between the chart and the buttons, below those added before; the dialog
    // takes it over.
    void addExtra(QWidget *widget);

public slots:
    // month[i] is the predicted BMI (kg/m2) at the end of month i + 1. The array parameter
    // is kept as written so that the slot's signature stays prepareview(double[6]).
    void prepareview(double month[6]);

private:
    void addActionButtons();
    void updateActions();
    void updateCautions();
    // The course as numbers under the chart: BMI, and kilograms where the height is known.
    void updateCourseTable();
    // Adds the clinic's range to the chart's model, when there are both.
    void showClinicRange();
    void copyValues();
    void printReport();
    void saveReportAs();

    Ui::graph *ui;
    QStandardItemModel *model = nullptr;
    SimulationRecord m_record;
    QPushButton *m_copy = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_savePdf = nullptr;
    QLabel *m_rangeSource = nullptr;
    QTableWidget *m_courseTable = nullptr;
    CaseCodeNotifier *m_caseCodeNotifier = nullptr;
};

#endif // GRAPH_H
