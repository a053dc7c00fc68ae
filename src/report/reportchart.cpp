#include "reportchart.h"

#include "chartxy.h"
#include "chartxysetting.h"

#include <QStandardItemModel>

#include <algorithm>

ReportChart::ReportChart()
    : m_model(std::make_unique<QStandardItemModel>())
    , m_chart(std::make_unique<ChartXY>())
{
    m_chart->setModel(m_model.get());
    ChartXYSetting *setting = m_chart->setting();
    // The frame of the program's other charts, so that a printed chart reads like them.
    setting->border()->setRight(64);
    setting->border()->setBackground(Qt::white);
    setting->grid()->tickX().setCount(4);
    setting->grid()->tickX().setSubCount(5);
    setting->grid()->tickY().setCount(8);
    setting->grid()->tickY().setSubCount(5);
    setting->grid()->setBackground(QColor(225, 225, 225));
    setting->grid()->setForeground(Qt::black);
    setting->scale()->setAutoLimitView(true);
    setting->scale()->setAutoRound(true);
    setting->legend()->setVisible(true);
    setting->legend()->setCorner(Qt::TopRightCorner);
}

ReportChart::~ReportChart()
{
    m_chart->setModel(nullptr);
}

int ReportChart::addSeries(const QString &name, const QColor &colour,
                           const QList<QPointF> &points)
{
    m_series.append({name, colour, points});
    rebuildModel();
    return int(m_series.size());
}

ChartXYSeriesStyle &ReportChart::style(int column)
{
    return m_chart->setting()->seriesStyle(column);
}

ChartXYSetting *ReportChart::setting() const
{
    return m_chart->setting();
}

void ReportChart::update()
{
    m_chart->updateChart();
}

// One row a point, sorted by X, with the other series' cells empty: the chart joins each
// series across its empty cells.
void ReportChart::rebuildModel()
{
    struct Point {
        double x;
        double y;
        int column;
    };
    QList<Point> points;
    for (int s = 0; s < m_series.size(); ++s)
        for (const QPointF &p : m_series[s].points)
            points.append({p.x(), p.y(), s + 1});
    std::stable_sort(points.begin(), points.end(),
                     [](const Point &a, const Point &b) { return a.x < b.x; });

    m_model->clear();
    m_model->setColumnCount(int(m_series.size()) + 1);
    m_model->setRowCount(int(points.size()));
    for (int row = 0; row < points.size(); ++row) {
        m_model->setData(m_model->index(row, 0), points[row].x, Qt::EditRole);
        m_model->setData(m_model->index(row, points[row].column), points[row].y, Qt::EditRole);
    }
    for (int s = 0; s < m_series.size(); ++s) {
        m_model->setHeaderData(s + 1, Qt::Horizontal, m_series[s].name);
        if (!points.isEmpty())
            m_model->setData(m_model->index(0, s + 1), m_series[s].colour, Qt::DecorationRole);
    }
    m_chart->updateChart();
}
