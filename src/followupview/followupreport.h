#ifndef FOLLOWUPREPORT_H
#define FOLLOWUPREPORT_H

#include <QDate>
#include <QRectF>
#include <QString>

class ChartXY;
class FollowUpTableModel;
class QPagedPaintDevice;
class QPainter;

// The one-page A4 follow-up report of a case: its code, baseline and height, the eight
// predictors with their sources, every visit against the predicted course, the chart with
// both series and its legend as vectors, the model version, what the prediction is, and
// the date the report was made. Printing and PDF both paint it through paint().
class FollowUpReport
{
public:
    FollowUpReport(const FollowUpTableModel &table, const ChartXY &chart,
                   const QDate &madeOn = QDate::currentDate());

    static void preparePage(QPagedPaintDevice &device);
    // Paints the report onto the device's current page. False if painting cannot start.
    bool paint(QPagedPaintDevice &device) const;
    void paint(QPainter &painter, const QRectF &target) const;
    // Writes a one-page PDF readable by its owner only. On failure the file is left as it
    // was (or absent) and error names the reason.
    bool savePdf(const QString &fileName, QString *error) const;

    QString title() const;

private:
    const FollowUpTableModel &m_table;
    const ChartXY &m_chart;
    QDate m_madeOn;
};

#endif // FOLLOWUPREPORT_H
