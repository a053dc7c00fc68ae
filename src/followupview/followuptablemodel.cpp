#include "followuptablemodel.h"

#include "bodyweight.h"
#include "followupviewtr.h"

#include <algorithm>

namespace {

const char *const columnTitles[FollowUpTableModel::ColumnCount] = {
    QT_TRANSLATE_NOOP("FollowUpView", "Date"),
    QT_TRANSLATE_NOOP("FollowUpView", "Month"),
    QT_TRANSLATE_NOOP("FollowUpView", "Observed BMI (kg/m²)"),
    QT_TRANSLATE_NOOP("FollowUpView", "Weight (kg)"),
    QT_TRANSLATE_NOOP("FollowUpView", "Predicted BMI (kg/m²)"),
    QT_TRANSLATE_NOOP("FollowUpView", "Difference (kg/m²)"),
    QT_TRANSLATE_NOOP("FollowUpView", "Difference (kg)"),
    QT_TRANSLATE_NOOP("FollowUpView", "Difference (%)"),
    QT_TRANSLATE_NOOP("FollowUpView", "Clinic range (kg/m²)"),
    QT_TRANSLATE_NOOP("FollowUpView", "Course"),
};

QString optionalNumber(const std::optional<double> &value, int decimals, bool sign)
{
    if (!value)
        return QString();
    return sign ? signedNumber(*value, decimals) : QString::number(*value, 'f', decimals);
}

} // namespace

FollowUpTableModel::FollowUpTableModel(QObject *parent)
    : QAbstractTableModel(parent)
{
}

void FollowUpTableModel::setFollowUp(const FollowUpCase &followUp)
{
    beginResetModel();
    m_case = followUp;
    std::stable_sort(m_case.visits.begin(), m_case.visits.end(),
                     [](const Visit &a, const Visit &b) { return a.date < b.date; });
    m_comparisons.clear();
    m_comparisons.reserve(m_case.visits.size());
    m_ranges.clear();
    const ClinicRange range = m_case.calibration ? ClinicRange(*m_case.calibration) : ClinicRange();
    m_hasRange = !range.isEmpty();
    for (const Visit &visit : std::as_const(m_case.visits)) {
        const VisitComparison c = compareVisit(m_case.predictors, m_case.baseline, visit);
        m_comparisons.append(c);
        m_ranges.append(c.predicted ? range.rangeAround(*c.predicted, c.month) : std::nullopt);
    }
    endResetModel();
}

int FollowUpTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_case.visits.size());
}

int FollowUpTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (m_hasRange ? ColumnCount : RangeColumn);
}

QVariant FollowUpTableModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    switch (role) {
    case Qt::DisplayRole:
        return text(index.row(), index.column());
    case Qt::TextAlignmentRole:
        return index.column() == DateColumn || index.column() == CourseColumn
            ? QVariant()
            : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::ToolTipRole: {
        const Visit &visit = m_case.visits.at(index.row());
        QStringList lines;
        if (visit.weightKg)
            lines << FollowUpViewTr::tr("Weight %1 kg").arg(QString::number(*visit.weightKg, 'g', 6));
        if (!visit.note.isEmpty())
            lines << visit.note;
        const bool kilograms =
            index.column() == DifferenceKgColumn || (index.column() == WeightColumn && !visit.weightKg);
        if (kilograms && !m_case.heightM)
            lines << missingHeightReason();
        if (index.column() >= PredictedColumn && !m_comparisons.at(index.row()).predicted)
            lines << FollowUpViewTr::tr("The prediction covers months 0 to 6 only.");
        else if (index.column() >= RangeColumn && !m_ranges.at(index.row()))
            lines << FollowUpViewTr::tr("The clinic's calibration has no range for this month.");
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n')));
    }
    default:
        return QVariant();
    }
}

QString FollowUpTableModel::text(int row, int column) const
{
    const VisitComparison &c = m_comparisons.at(row);
    switch (column) {
    case DateColumn:
        return m_case.visits.at(row).date.toString(Qt::ISODate);
    case MonthColumn:
        return QString::number(c.month, 'f', 1);
    case ObservedColumn:
        return QString::number(c.observed, 'f', 2);
    case WeightColumn: {
        // As weighed when the weight was typed at the visit.
        const std::optional<double> weighed = m_case.visits.at(row).weightKg;
        const std::optional<double> kg = weighed ? weighed : weightFromBmi(c.observed, m_case.heightM);
        return kg ? QString::number(*kg, 'f', 1) : QString();
    }
    case PredictedColumn:
        return optionalNumber(c.predicted, 2, false);
    case DifferenceColumn:
        return optionalNumber(c.difference, 2, true);
    case DifferenceKgColumn: {
        const std::optional<double> kg = c.difference ? weightFromBmi(*c.difference, m_case.heightM)
                                                      : std::nullopt;
        return kg ? signedNumber(*kg, 1) : QString();
    }
    case PercentColumn:
        return optionalNumber(c.percent, 1, true);
    case RangeColumn:
        return m_ranges.at(row) ? ClinicRange::rangeText(*m_ranges.at(row)) : QString();
    case CourseColumn:
        return m_ranges.at(row)
            ? ClinicRange::courseText(ClinicRange::courseOf(c.observed, *m_ranges.at(row)))
            : QString();
    }
    return QString();
}

QVariant FollowUpTableModel::headerData(int section, Qt::Orientation orientation,
                                        int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0
        || section >= columnCount())
        return QAbstractTableModel::headerData(section, orientation, role);
    return FollowUpViewTr::tr(columnTitles[section]);
}
