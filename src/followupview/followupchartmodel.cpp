#include "followupchartmodel.h"

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

void FollowUpChartModel::setFollowUp(const FollowUpCase &followUp)
{
    beginResetModel();
    m_rows.clear();
    const int steps = CourseMonths * StepsPerMonth;
    m_rows.reserve(steps + 1 + followUp.visits.size());
    // Whole months are reached by division, so that they are exactly 1 … 6 and show the
    // values of the result dialog.
    for (int step = 0; step <= steps; ++step) {
        const double month = double(step) / StepsPerMonth;
        m_rows.append({month, predictBmiAt(followUp.predictors, month), PredictedColumn});
    }
    for (const Visit &visit : followUp.visits)
        m_rows.append({visitMonth(followUp.baseline, visit.date), visit.bmi, ObservedColumn});
    // The chart joins the points of a series in row order.
    std::stable_sort(m_rows.begin(), m_rows.end(),
                     [](const Row &a, const Row &b) { return a.month < b.month; });
    endResetModel();
}

void FollowUpChartModel::clear()
{
    beginResetModel();
    m_rows.clear();
    endResetModel();
}

int FollowUpChartModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int FollowUpChartModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FollowUpChartModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const Row &row = m_rows.at(index.row());
    if (role == Qt::DisplayRole || role == Qt::EditRole) {
        if (index.column() == MonthColumn)
            return row.month;
        return index.column() == row.column ? QVariant(row.value) : QVariant();
    }
    // The chart takes a series' colour from its first row.
    if (role == Qt::DecorationRole && index.row() == 0) {
        if (index.column() == PredictedColumn)
            return predictedColour();
        if (index.column() == ObservedColumn)
            return observedColour();
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
        return tr("Month");
    case PredictedColumn:
        return tr("Predicted");
    case ObservedColumn:
        return tr("Observed");
    }
    return QVariant();
}
