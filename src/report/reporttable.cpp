#include "reporttable.h"

ReportTable::ReportTable(const QList<Column> &columns)
    : m_columns(columns)
{
}

ReportTable ReportTable::keyValues(const QList<QPair<QString, QString>> &pairs)
{
    ReportTable table({{QString(), 0.3, Text}, {QString(), 0.7, Text}});
    table.m_titles = false;
    for (const auto &[key, value] : pairs)
        table.addRow({key, value});
    return table;
}

void ReportTable::addRow(const QStringList &cells)
{
    m_rows << cells;
}

QString ReportTable::withUnit(const QString &number, const QString &unit)
{
    return number + QChar(QChar::Nbsp) + unit;
}
