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
    }
    return {};
}

QVariant CaseListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char *const titles[ColumnCount] = {
        QT_TR_NOOP("Code"), QT_TR_NOOP("Baseline"), QT_TR_NOOP("Initial BMI"),
        QT_TR_NOOP("BMI month 6")};
    return section >= 0 && section < ColumnCount ? tr(titles[section]) : QVariant();
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
