#ifndef RESULTREPORT_H
#define RESULTREPORT_H

#include "reportdocument.h"
#include "simulationrecord.h"

#include <QRectF>
#include <QString>

class ChartXY;
class QPagedPaintDevice;
class QPainter;

// The A4 report of a simulation: its time, the program and version, the case and its
// baseline when saved, the eight predictors with their sources, the monthly table with WHO
// classes, the chart as vectors, what the prediction is, and every caution that applies to
// the course. Printing and PDF both paint its document, so they always match.
class ResultReport
{
public:
    ResultReport(const SimulationRecord &record, const ChartXY &chart);

    // Makes an A4 portrait page without margins of its own; call before showing a
    // print dialog so that the user starts from it.
    static void preparePage(QPagedPaintDevice &device);
    // Paints every page onto the device. False if painting cannot start.
    bool paint(QPagedPaintDevice &device) const;
    // Paints the first page scaled into target, keeping the A4 proportions.
    void paint(QPainter &painter, const QRectF &target) const;
    // Writes the PDF. On failure the file is left as it was (or absent) and error names
    // the reason.
    bool savePdf(const QString &fileName, QString *error) const;

    QString title() const;
    ReportDocument document() const;

    // What the prediction is, in the words every report uses.
    static QString statementText();
    // A predictor's name as the reports list it.
    static QString predictorName(Predictor predictor);

private:
    const SimulationRecord &m_record;
    const ChartXY &m_chart;
};

#endif // RESULTREPORT_H
