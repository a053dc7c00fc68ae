#ifndef CHARTXYSETTING_H
#define CHARTXYSETTING_H

#include "chartxyborder.h"
#include "chartxygrid.h"
#include "chartxyscale.h"

#include <QObject>

// Everything a caller can adjust on a chart. The three parts are children of the setting
// and live exactly as long as it does.
class ChartXYSetting : public QObject
{
    Q_OBJECT

public:
    explicit ChartXYSetting(QObject *parent = nullptr);

    ChartXYBorder *border() const { return m_border; }
    ChartXYGrid *grid() const { return m_grid; }
    ChartXYScale *scale() const { return m_scale; }

private:
    ChartXYBorder *m_border;
    ChartXYGrid *m_grid;
    ChartXYScale *m_scale;
};

#endif // CHARTXYSETTING_H
