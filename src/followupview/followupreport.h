#ifndef FOLLOWUPREPORT_H
#define FOLLOWUPREPORT_H

#include "reportdocument.h"

#include <QDate>
#include <QRectF>
#include <QString>

class ChartXY;
class FollowUpTableModel;
class QPagedPaintDevice;
class QPainter;

// The A4 follow-up report of a case: its code, baseline and height, the eight predictors
// with their sources, every visit against the predicted course (on as many pages as they
// take), the chart with both series and its legend as vectors, the model version, what
// the prediction is, and the date the report was made. Printing and PDF both paint its
// document.
class FollowUpReport
{
public:
    FollowUpReport(const FollowUpTableModel &table, const ChartXY &chart,
                   const QDate &madeOn = QDate::currentDate());

    static void preparePage(QPagedPaintDevice &device);
    // Paints every page onto the device. False if painting cannot start.
    bool paint(QPagedPaintDevice &device) const;
    // Paints the first page scaled into target.
    void paint(QPainter &painter, const QRectF &target) const;
    // Writes the PDF readable by its owner only. On failure the file is left as it was (or
    // absent) and error names the reason.
    bool savePdf(const QString &fileName, QString *error) const;

    QString title() const;
    ReportDocument document() const;

private:
    const FollowUpTableModel &m_table;
    const ChartXY &m_chart;
    QDate m_madeOn;
};

#endif // FOLLOWUPREPORT_H
