#ifndef FOLLOWUPCHARTMODEL_H
#define FOLLOWUPCHARTMODEL_H

#include "clinicrange.h"
#include "followupcase.h"

#include <QAbstractTableModel>
#include <QColor>

// The follow-up as chart data: column 0 the month, column 1 the predicted course from
// month 0 to 6, column 2 the observed BMI of each visit. With a calibration in use, columns
// 3 and 4 are the low and high edges of the clinic's range and column 5 its centre, on the
// course's rows up to the range's last month. A row holds either a point of the course or
// a visit; the other series' cells are empty, and the chart joins each series across them.
class FollowUpChartModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { MonthColumn, PredictedColumn, ObservedColumn, RangeLowColumn, RangeHighColumn,
                  ClinicAverageColumn, ColumnCount };

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
    // The clinic's range and average: a green apart from both.
    static QColor clinicColour();

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
        std::optional<ClinicRange::Range> range; // on the course's rows within the range
    };
    QList<Row> m_rows;
    bool m_hasRange = false;
};

#endif // FOLLOWUPCHARTMODEL_H
