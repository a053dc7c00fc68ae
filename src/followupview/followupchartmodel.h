#ifndef FOLLOWUPCHARTMODEL_H
#define FOLLOWUPCHARTMODEL_H

#include "followupcase.h"

#include <QAbstractTableModel>
#include <QColor>

// The follow-up as chart data: column 0 the month, column 1 the predicted course from
// month 0 to 6, column 2 the observed BMI of each visit. A row holds either a point of the
// course or a visit; the other series' cell is empty, and the chart joins each series
// across its empty cells.
class FollowUpChartModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { MonthColumn, PredictedColumn, ObservedColumn, ColumnCount };

    // Points of the course per month: enough for the curve to look smooth.
    static constexpr int StepsPerMonth = 10;

    explicit FollowUpChartModel(QObject *parent = nullptr);

    void setFollowUp(const FollowUpCase &followUp);
    // No rows: nothing to draw.
    void clear();

    // The red of the result dialog's line, and a blue that differs from it in black and
    // white too.
    static QColor predictedColour();
    static QColor observedColour();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    struct Row {
        double month;
        double value;
        Column column;
    };
    QList<Row> m_rows;
};

#endif // FOLLOWUPCHARTMODEL_H
