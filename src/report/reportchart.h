#ifndef REPORTCHART_H
#define REPORTCHART_H

#include <QColor>
#include <QList>
#include <QPointF>
#include <QString>

#include <memory>

class ChartXY;
class ChartXYSeriesStyle;
class ChartXYSetting;
class QStandardItemModel;

// A chart that a report makes from its own numbers rather than borrowing one from a
// window: series of points, each with a name for the legend and a colour, drawn by the
// project's chart. Its style and settings stay open for what a report adds, such as a
// filled band between two series.
class ReportChart
{
public:
    ReportChart();
    ~ReportChart();
    ReportChart(const ReportChart &) = delete;
    ReportChart &operator=(const ReportChart &) = delete;

    // Adds a series joined in the order of its X values; returns its column in the chart.
    int addSeries(const QString &name, const QColor &colour, const QList<QPointF> &points);
    ChartXYSeriesStyle &style(int column);
    ChartXYSetting *setting() const;
    // Applies the settings and styles changed since the last call.
    void update();

    const ChartXY &chart() const { return *m_chart; }

private:
    struct Series {
        QString name;
        QColor colour;
        QList<QPointF> points;
    };
    void rebuildModel();

    QList<Series> m_series;
    std::unique_ptr<QStandardItemModel> m_model;
    std::unique_ptr<ChartXY> m_chart;
};

#endif // REPORTCHART_H
