#include "followupchartmodel.h"

#include "followupviewtr.h"

#include <algorithm>

FollowUpChartModel::FollowUpChartModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

QColor FollowUpChartModel::predictedColour()
{
    return QColor(255, 0, 0);
}

QColor FollowUpChartModel::observedColour()
{
    return QColor(0, 70, 190);
}

QColor FollowUpChartModel::clinicColour()
{
    return QColor(0, 130, 80);
}

void FollowUpChartModel::setFollowUp(const FollowUpCase &followUp)
{
    beginResetModel();
    m_rows.clear();
    const int steps = CourseMonths * StepsPerMonth;
    m_rows.reserve(steps + 1 + followUp.visits.size());
    // Whole months are reached by division, so that they are exactly 1 … 6 and show the
    // values of the result dialog.
    const ClinicRange range = followUp.calibration ? ClinicRange(*followUp.calibration) : ClinicRange();
    m_hasRange = !range.isEmpty();
    for (int step = 0; step <= steps; ++step) {
        const double month = double(step) / StepsPerMonth;
        const double predicted = predictBmiAt(followUp.predictors, month);
        m_rows.append({month, predicted, PredictedColumn, range.rangeAround(predicted, month)});
    }
    for (const Visit &visit : followUp.visits)
        m_rows.append({visitMonth(followUp.baseline, visit.date), visit.bmi, ObservedColumn, {}});
    // The chart joins the points of a series in row order.
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const Row &a, const Row &b) { return a.month < b.month; });
    endResetModel();
}

void FollowUpChartModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_hasRange = false;
    endResetModel();
}

int FollowUpChartModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FollowUpChartModel::columnCount(const QModelIndex &parent) const
{
    // Without a range the chart is as it always was.
    return parent.isValid() ? 0 : (m_hasRange ? ColumnCount : RangeLowColumn);
}

QVariant FollowUpChartModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row &row = m_rows.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        switch (index.column()) {
        case MonthColumn:
            return row.month;
        case RangeLowColumn:
            return row.range ? QVariant(row.range->low) : QVariant();
        case RangeHighColumn:
            return row.range ? QVariant(row.range->high) : QVariant();
        case ClinicAverageColumn:
            return row.range ? QVariant(row.range->centre) : QVariant();
        default:
            return index.column() == row.column ? QVariant(row.value) : QVariant();
        }
    }
    // The chart takes a series' colour from its first row.
    if (role == Qt::DecorationRole && index.row() == 0) {
        if (index.column() == PredictedColumn)
            return predictedColour();
        if (index.column() == ObservedColumn)
            return observedColour();
        if (index.column() >= RangeLowColumn)
            return clinicColour();
    }
    return QVariant();
}

QVariant FollowUpChartModel::headerData(int section, Qt::Orientation orientation,
                                        int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case MonthColumn:
        return FollowUpViewTr::tr("Month");
    case PredictedColumn:
        return FollowUpViewTr::tr("Predicted");
    case ObservedColumn:
        return FollowUpViewTr::tr("Observed");
    case RangeLowColumn:
        return FollowUpViewTr::tr("Clinic range (95 %)");
    case RangeHighColumn:
        return FollowUpViewTr::tr("Clinic range, upper edge");
    case ClinicAverageColumn:
        return FollowUpViewTr::tr("Clinic average");
    }
    return QVariant();
}
