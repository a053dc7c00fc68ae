#ifndef CALIBRATIONPLOT_H
#define CALIBRATIONPLOT_H

#include <QPointF>
#include <QSize>
#include <QString>

#include <memory>
#include <vector>

class ChartXY;
class QPainter;
class QStandardItemModel;

// Observed BMI (Y) against predicted BMI (X) as a scatter, with the identity line dashed:
// points on the line were predicted exactly. Drawn by the project's own chart.
class CalibrationPlot
{
public:
    CalibrationPlot(const std::vector<QPointF> &points, int month);
    ~CalibrationPlot();

    // Paints the plot with its axis titles into a rectangle of the given size at the
    // painter's origin.
    void paint(QPainter &painter, const QSize &size) const;
    // Writes the plot as PNG or, drawn as vectors, as PDF, chosen by the suffix. On failure
    // nothing is left at fileName.
    bool save(const QString &fileName, QString *error) const;

    static constexpr QSize DefaultSize{640, 560};

    // The chart and its axis titles, for a report that lays them out itself.
    const ChartXY &chart() const { return *m_chart; }
    QString yTitle() const;
    QString xTitle() const;

private:
    std::unique_ptr<QStandardItemModel> m_model;
    std::unique_ptr<ChartXY> m_chart;
    int m_month;
};

#endif // CALIBRATIONPLOT_H
