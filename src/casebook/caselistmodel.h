#ifndef CASELISTMODEL_H
#define CASELISTMODEL_H

#include "caserecord.h"
#include "clinicrange.h"
#include "visitstore.h"

#include <QHash>

#include <QAbstractTableModel>

class CaseStore;

// The case list: code, baseline date, initial BMI and predicted BMI at month 6 of the cases
// whose code contains the filter, read from the store a page at a time as the view scrolls,
// so that a case book of any size opens at once. A filter that few codes match is searched
// in bounded steps, one per turn of the event loop, so that typing never waits for the
// whole book to be read. With a calibration in use, the last visit's course is shown
// too: a mark that reads without colour and the word.
class CaseListModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { CodeColumn, BaselineColumn, InitialBmiColumn, Month6Column, LastVisitColumn,
                  LastDifferenceColumn, LastDifferenceKgColumn, LastCourseColumn, ColumnCount };

    explicit CaseListModel(CaseStore &store, QObject *parent = nullptr);

    // Starts the list again from its first page.
    void setFilter(const QString &filter);
    void reload();
    const CaseSummary &summary(int row) const { return m_rows.at(row); }
    // The range the last visits are judged by; none hides the course column.
    void setCalibration(const std::optional<Calibration> &calibration);
    // "▲ less loss than expected", "● as expected", "▼ more loss than expected".
    static QString markedCourse(ClinicRange::Course course);
    // Reads the case's last visit again, after its visits changed; a visit may have given
    // the case its height.
    void refreshLastVisit(qint64 caseId, std::optional<double> heightMetres);
    // The store's message when the last read failed, otherwise empty.
    QString errorText() const { return m_error; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    bool canFetchMore(const QModelIndex &parent) const override;
    void fetchMore(const QModelIndex &parent) override;

    static constexpr int PageSize = 100;
    // Codes looked at per step of a search: a few milliseconds' work.
    static constexpr int ScanStep = 2000;

    // True until the search for the filter has read every code.
    bool searching() const { return !m_finished; }

private:
    QVector<CaseSummary> readStep();
    void continueSearch();
    void continueLaterIfShort();

    CaseStore &m_store;
    QString m_filter;
    QVector<CaseSummary> m_rows;
    // The latest visit of every listed case that has one, read with its cases.
    QHash<qint64, VisitStore::LastVisit> m_lastVisits;
    QString m_scannedTo;
    bool m_finished = true;
    int m_target = PageSize; // rows wanted before the search pauses
    int m_generation = 0;    // a search step queued for an older filter does nothing
    QString m_error;
    ClinicRange m_range;
};

#endif // CASELISTMODEL_H
