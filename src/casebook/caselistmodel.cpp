#include "caselistmodel.h"
#include "casestore.h"

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
    beginResetModel();
    m_rows.clear();
    m_lastVisits.clear();
    m_more = readPage(&m_rows);
    endResetModel();
}

bool CaseListModel::readPage(QVector<CaseSummary> *page)
{
    const QString after = m_rows.isEmpty() ? QString() : m_rows.constLast().code;
    if (!m_store.summaries(m_filter, after, PageSize, page)) {
        m_error = m_store.lastError().message;
        return false;
    }
    QVector<qint64> ids;
    for (const CaseSummary &summary : std::as_const(*page))
        ids << summary.id;
    QHash<qint64, VisitStore::LastVisit> last;
    if (!VisitStore(m_store).lastVisits(ids, &last)) {
        m_error = m_store.lastError().message;
        return false;
    }
    m_lastVisits.insert(last);
    m_error.clear();
    return page->size() == PageSize;
}

int CaseListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

int CaseListModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CaseListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    const CaseSummary &row = m_rows.at(index.row());
    if (role == Qt::TextAlignmentRole && index.column() != CodeColumn)
        return QVariant(Qt::AlignRight | Qt::AlignVCenter);
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
    case LastDifferenceColumn: {
        const auto last = m_lastVisits.constFind(row.id);
        if (last == m_lastVisits.constEnd())
            return {};
        if (index.column() == LastVisitColumn)
            return last->visit.date.toString(Qt::ISODate);
        // Empty past month 6, where the model says nothing.
        return last->comparison.difference ? signedNumber(*last->comparison.difference, 2)
                                           : QString();
    }
    }
    return {};
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        QT_TR_NOOP("Code"), QT_TR_NOOP("Baseline"), QT_TR_NOOP("Initial BMI"),
        QT_TR_NOOP("BMI month 6"), QT_TR_NOOP("Last visit"),
        QT_TR_NOOP("Last difference (kg/m²)")};
    return section >= 0 && section < ColumnCount ? tr(titles[section]) : QVariant();
}

void CaseListModel::refreshLastVisit(qint64 caseId)
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
            emit dataChanged(index(row, LastVisitColumn), index(row, LastDifferenceColumn));
    }
}

bool CaseListModel::canFetchMore(const QModelIndex &parent) const
{
    return !parent.isValid() && m_more;
}

void CaseListModel::fetchMore(const QModelIndex &parent)
{
    if (parent.isValid() || !m_more)
        return;
    QVector<CaseSummary> page;
    m_more = readPage(&page);
    if (page.isEmpty())
        return;
    beginInsertRows(QModelIndex(), m_rows.size(), m_rows.size() + page.size() - 1);
    m_rows += page;
    endInsertRows();
}
