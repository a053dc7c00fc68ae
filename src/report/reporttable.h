#ifndef REPORTTABLE_H
#define REPORTTABLE_H

#include <QList>
#include <QString>
#include <QStringList>

// A table of a report: its columns, each with a share of the text width, and its rows of
// text. Numbers sit right-aligned; a cell wraps only at spaces, and a row that no longer
// fits on the page goes to the next one under the column titles again.
class ReportTable
{
public:
    enum Alignment { Text, Number };
    struct Column {
        QString title;
        double width; // share of the text width
        Alignment alignment = Text;
    };

    explicit ReportTable(const QList<Column> &columns = {});
    // Two columns, a name and its value, with no titles and no rules.
    static ReportTable keyValues(const QList<QPair<QString, QString>> &pairs);

    void addRow(const QStringList &cells);
    // The share of the text width one column takes.
    void setWidth(int column, double width) { m_columns[column].width = width; }

    // A number and its unit joined so that no line breaks between them.
    static QString withUnit(const QString &number, const QString &unit);

    const QList<Column> &columns() const { return m_columns; }
    const QList<QStringList> &rows() const { return m_rows; }
    bool hasTitles() const { return m_titles; }
    // The text size in points; 0 takes the document's.
    double points() const { return m_points; }
    void setPoints(double points) { m_points = points; }

private:
    QList<Column> m_columns;
    QList<QStringList> m_rows;
    bool m_titles = true;
    double m_points = 0;
};

#endif // REPORTTABLE_H
