#ifndef RESULTREPORT_H
#define RESULTREPORT_H

#include "simulationrecord.h"

#include <QFont>
#include <QRectF>
#include <QString>
#include <QStringList>

class ChartXY;
class QPagedPaintDevice;
class QPainter;

// The one-page A4 report of a simulation: its time, the program and version, the eight
// predictors with their sources, the monthly table with WHO classes, the chart as vectors,
// what the prediction is, and every caution that applies to the course.
// Printing and PDF both paint it through paint(), so they always match.
class ResultReport
{
public:
    ResultReport(const SimulationRecord &record, const ChartXY &chart);

    // Makes an A4 portrait page without margins of its own; call before showing a
    // print dialog so that the user starts from it.
    static void preparePage(QPagedPaintDevice &device);
    // Paints the report onto the device's current page. False if painting cannot start.
    bool paint(QPagedPaintDevice &device) const;
    // Paints the report scaled into target, keeping the A4 proportions.
    void paint(QPainter &painter, const QRectF &target) const;
    // Writes a one-page PDF. On failure the file is left as it was (or absent) and
    // error names the reason.
    bool savePdf(const QString &fileName, QString *error) const;

    QString title() const;

    // What the prediction is, in the words every report uses.
    static QString statementText();
    // A predictor's name as the reports list it.
    static QString predictorName(Predictor predictor);

private:
    struct Column {
        QString title;
        double width; // share of the text width
        bool number;
    };

    double paintHeader(QPainter &painter, double top) const;
    double paintPredictors(QPainter &painter, double top) const;
    double paintCourse(QPainter &painter, double top) const;
    struct Paragraph {
        QString text;
        QFont font;
        double gapBefore;
    };

    // Room is the page height left for the chart; it shrinks to make room for the cautions.
    double paintChart(QPainter &painter, double top, double room) const;
    // What the prediction is, then every caution that applies to the course.
    QList<Paragraph> statement() const;
    double statementHeight(QPainter &painter) const;
    double paintStatement(QPainter &painter, double top) const;
    double paintHeading(QPainter &painter, double top, const QString &text) const;
    double paintParagraph(QPainter &painter, double top, const QString &text,
                          const QFont &font) const;
    double paintTable(QPainter &painter, double top, const QList<Column> &columns,
                      const QList<QStringList> &rows) const;

    const SimulationRecord &m_record;
    const ChartXY &m_chart;
};

#endif // RESULTREPORT_H
