#ifndef CHARTXYSETTING_H
#define CHARTXYSETTING_H

#include "chartxyborder.h"
#include "chartxygrid.h"
#include "chartxylegend.h"
#include "chartxyscale.h"
#include "chartxyseriesstyle.h"

#include <QObject>

#include <map>

// Everything a caller can adjust on a chart. The parts are children of the setting and
// live exactly as long as it does.
class ChartXYSetting : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYSetting(QObject *parent = nullptr);

    ChartXYBorder *border() const { return m_border; }
    ChartXYGrid *grid() const { return m_grid; }
    ChartXYScale *scale() const { return m_scale; }
    ChartXYLegend *legend() const { return m_legend; }

    // The style of the series in the model's column, made with the defaults on first use;
    // the reference stays valid as long as the setting lives.
    ChartXYSeriesStyle &seriesStyle(int column);
    // The style of that series if one was ever asked for, else null: such a series is
    // drawn exactly as a chart without styles draws it.
    const ChartXYSeriesStyle *findSeriesStyle(int column) const;

private:
    ChartXYBorder *m_border;
    ChartXYGrid *m_grid;
    ChartXYScale *m_scale;
    ChartXYLegend *m_legend;
    // A map, not a hash: its elements never move, so handed-out references stay valid.
    std::map<int, ChartXYSeriesStyle> m_seriesStyles;
};

#endif // CHARTXYSETTING_H
