#ifndef FOLLOWUPTABLEMODEL_H
#define FOLLOWUPTABLEMODEL_H

#include "clinicrange.h"
#include "followupcase.h"
#include "visitcomparison.h"

#include <QAbstractTableModel>

// The visits of a case, one row each in date order, with the predicted value at each
// visit's month and the differences, as text in the form the table and the report show;
// where the case's height is known, the weight (as weighed, else from the BMI) and the
// difference in kilograms too.
// With a calibration in use, each visit also has the clinic's range at its month and the
// word for where it lies; without one those two columns are not there.
class FollowUpTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { DateColumn, MonthColumn, ObservedColumn, WeightColumn, PredictedColumn,
                  DifferenceColumn, DifferenceKgColumn, PercentColumn, RangeColumn, CourseColumn,
                  ColumnCount };

    explicit FollowUpTableModel(QObject *parent = nullptr);

    void setFollowUp(const FollowUpCase &followUp);
    const FollowUpCase &followUp() const { return m_case; }
    const Visit &visitAt(int row) const { return m_case.visits.at(row); }
    const VisitComparison &comparisonAt(int row) const { return m_comparisons.at(row); }
    // The clinic's range at the visit's month, if there is one.
    const std::optional<ClinicRange::Range> &rangeAt(int row) const { return m_ranges.at(row); }
    bool hasRange() const { return m_hasRange; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QString text(int row, int column) const;

    FollowUpCase m_case;
    QList<VisitComparison> m_comparisons;
    QList<std::optional<ClinicRange::Range>> m_ranges;
    bool m_hasRange = false;
};

#endif // FOLLOWUPTABLEMODEL_H
