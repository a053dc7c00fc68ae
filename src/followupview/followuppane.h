#ifndef FOLLOWUPPANE_H
#define FOLLOWUPPANE_H

#include "calibration.h"

#include <QWidget>

#include <optional>

class CaseStore;
class ChartXY;
class FollowUpChartModel;
class FollowUpTableModel;
class QLabel;
class QPushButton;
class QTableView;
struct Visit;

// The follow-up of one case beside the case list: the predicted course with the observed
// visits in a chart, the visits with their differences in a table, and the buttons that
// add, correct and delete visits, print or save the follow-up report, and save the handout.
class FollowUpPane : public QWidget
{
    Q_OBJECT

public:
    explicit FollowUpPane(CaseStore *store, QWidget *parent = nullptr);

    // Shows the case with this id, or nothing for 0. False, with the pane empty, when the
    // case cannot be read (the store's error says why).
    bool showCase(qint64 caseId);
    qint64 caseId() const { return m_caseId; }
    // The height of the case shown, as last read.
    std::optional<double> heightMetres() const;

    // Reads which calibration is in use again and shows the case with its range; false,
    // with no range shown, when it cannot be read (the store's error says why).
    bool reloadCalibration();
    const std::optional<Calibration> &calibration() const { return m_calibration; }

    // Writes the follow-up report to fileName; on failure tells the user which file and
    // why, and returns false.
    bool saveReport(const QString &fileName);
    // The name "Save PDF…" and printing to a file propose: <code>-<date>-follow-up.pdf in
    // the documents folder.
    QString defaultReportFileName() const;

signals:
    // A visit of the case was added, corrected or deleted.
    void visitsChanged(qint64 caseId);

private:
    void addVisit();
    void correctVisit();
    void deleteVisit();
    void printReport();
    void saveReportAs();
    // The handout for the person, in plain words.
    void saveHandoutAs();
    void updateActions();
    void warn(const QString &text);
    // Stores a checked visit, asking first when its date already has another one.
    bool storeVisit(Visit visit, std::optional<double> newHeightM);

    CaseStore *m_store;
    qint64 m_caseId = 0;
    FollowUpTableModel *m_table;
    FollowUpChartModel *m_chartData;
    ChartXY *m_chart;
    QTableView *m_view;
    QLabel *m_caution;
    QLabel *m_calibrationHint;
    std::optional<Calibration> m_calibration;
    QPushButton *m_add;
    QPushButton *m_correct;
    QPushButton *m_delete;
    QPushButton *m_print;
    QPushButton *m_savePdf;
    QPushButton *m_handout;
};

#endif // FOLLOWUPPANE_H
