#include "caselistmodel.h"

#include "casebooktr.h"
#include "bodyweight.h"
#include "casestore.h"

#include <QTimer>

CaseListModel::CaseListModel(CaseStore &store, QObject *parent)
    : QAbstractTableModel(parent)
    , m_store(store)
{
    reload();
}

void CaseListModel::setFilter(const QString &filter)
{
    m_filter = filter;
    reload();
}

void CaseListModel::reload()
{
    ++m_generation;
    beginResetModel();
    m_rows.clear();
    m_lastVisits.clear();
    m_scannedTo.clear();
    m_finished = false;
    m_target = PageSize;
    m_rows = readStep();
    endResetModel();
    continueLaterIfShort();
}

QVector<CaseSummary> CaseListModel::readStep()
{
    CaseSearchStep step;
    if (!m_store.searchCases(m_filter, m_scannedTo, ScanStep, m_target - m_rows.size(), &step)) {
        m_error = m_store.lastError().message;
        m_finished = true;
        return {};
    }
    // The last visits of the cases found come with them.
    m_lastVisits.insert(step.lastVisits);
    m_error.clear();
    m_scannedTo = step.scannedTo;
    m_finished = step.finished;
    return step.matches;
}

void CaseListModel::continueSearch()
{
    const QVector<CaseSummary> found = readStep();
    if (!found.isEmpty()) {
        beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size() + found.size() - 1);
        m_rows += found;
        endInsertRows();
    }
    continueLaterIfShort();
}

void CaseListModel::continueLaterIfShort()
{
    if (m_finished || m_rows.size() >= m_target)
        return;
    const int generation = m_generation;
    QTimer::singleShot(0, this, [this, generation] {
        if (generation == m_generation)
            continueSearch();
    });
}

int CaseListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int CaseListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : (m_range.isEmpty() ? LastCourseColumn : ColumnCount);
}

QVariant CaseListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const CaseSummary &row = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole && index.column() != CodeColumn
        && index.column() != LastCourseColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
    if (role == Qt::ToolTipRole && index.column() == LastDifferenceKgColumn && !row.heightMetres
        && m_lastVisits.contains(row.id))
        return missingHeightReason();
    if (role != Qt::DisplayRole && role != Qt::ToolTipRole)
        return {};
    switch (index.column()) {
    case CodeColumn:
        return row.code;
    case BaselineColumn:
        return row.baselineDate.toString(Qt::ISODate);
    case InitialBmiColumn:
        return QString::number(row.initialBmi, 'f', 2);
    case Month6Column:
        return QString::number(row.month6, 'f', 2);
    case LastVisitColumn:
    case LastDifferenceColumn:
    case LastDifferenceKgColumn:
    case LastCourseColumn: {
        const auto last = m_lastVisits.constFind(row.id);
        if (last == m_lastVisits.constEnd())
            return {};
        if (index.column() == LastVisitColumn)
            return last->visit.date.toString(Qt::ISODate);
        if (index.column() == LastCourseColumn) {
            const VisitComparison &c = last->comparison;
            const auto range = c.predicted ? m_range.rangeAround(*c.predicted, c.month) : std::nullopt;
            return range ? markedCourse(ClinicRange::courseOf(c.observed, *range)) : QString();
        }
        // Empty past month 6, where the model says nothing.
        const std::optional<double> &difference = last->comparison.difference;
        if (index.column() == LastDifferenceKgColumn) {
            const auto kg = difference ? weightFromBmi(*difference, row.heightMetres) : std::nullopt;
            return kg ? signedNumber(*kg, 1) : QString();
        }
        return difference ? signedNumber(*difference, 2) : QString();
    }
    }
    return {};
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        QT_TRANSLATE_NOOP("CaseBook", "Code"), QT_TRANSLATE_NOOP("CaseBook", "Baseline"), QT_TRANSLATE_NOOP("CaseBook", "Initial BMI"),
        QT_TRANSLATE_NOOP("CaseBook", "BMI month 6"), QT_TRANSLATE_NOOP("CaseBook", "Last visit"),
        QT_TRANSLATE_NOOP("CaseBook", "Last difference (kg/m²)"), QT_TRANSLATE_NOOP("CaseBook", "Last difference (kg)"),
        QT_TRANSLATE_NOOP("CaseBook", "Last course")};
    return section >= 0 && section < columnCount() ? CaseBookTr::tr(titles[section]) : QVariant();
}

void CaseListModel::setCalibration(const std::optional<Calibration> &calibration)
{
    // Columns come and go rather than the list being read again: the selection stays.
    const ClinicRange range = calibration ? ClinicRange(*calibration) : ClinicRange();
    if (m_range.isEmpty() != range.isEmpty()) {
        if (range.isEmpty())
            beginRemoveColumns(QModelIndex(), LastCourseColumn, LastCourseColumn);
        else
            beginInsertColumns(QModelIndex(), LastCourseColumn, LastCourseColumn);
        const bool removing = range.isEmpty();
        m_range = range;
        removing ? endRemoveColumns() : endInsertColumns();
        return;
    }
    m_range = range;
    if (!m_rows.isEmpty() && !m_range.isEmpty())
        emit dataChanged(index(0, LastCourseColumn), index(m_rows.size() - 1, LastCourseColumn));
}

QString CaseListModel::markedCourse(ClinicRange::Course course)
{
    // Above the range points up, below it down: the shape says it without colour.
    const QChar mark = course == ClinicRange::Course::LessLoss   ? QChar(0x25B2)
                       : course == ClinicRange::Course::MoreLoss ? QChar(0x25BC)
                                                                 : QChar(0x25CF);
    return mark + QLatin1Char(' ') + ClinicRange::courseText(course);
}

void CaseListModel::refreshLastVisit(qint64 caseId, std::optional<double> heightMetres)
{
    QHash<qint64, VisitStore::LastVisit> last;
    if (!VisitStore(m_store).lastVisits({caseId}, &last)) {
        m_error = m_store.lastError().message;
        return;
    }
    m_lastVisits.remove(caseId);
    m_lastVisits.insert(last);
    for (int row = 0; row < m_rows.size(); ++row) {
        if (m_rows.at(row).id == caseId)
            m_rows[row].heightMetres = heightMetres;
        if (m_rows.at(row).id == caseId)
            emit dataChanged(index(row, LastVisitColumn), index(row, columnCount() - 1));
    }
}

bool CaseListModel::canFetchMore(const QModelIndex &parent) const
{
    // While a search step is queued, it is already fetching.
    return !parent.isValid() && !m_finished && m_rows.size() >= m_target;
}

void CaseListModel::fetchMore(const QModelIndex &parent)
{
    if (!canFetchMore(parent))
        return;
    m_target = m_rows.size() + PageSize;
    continueSearch();
}
