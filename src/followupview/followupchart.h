#ifndef FOLLOWUPCHART_H
#define FOLLOWUPCHART_H

class ChartXY;
class FollowUpChartModel;

// Shows model in chart the way the case book and the follow-up report draw it: months on
// X, kg/m² on Y, the predicted course as a line and the visits as markers, and with a
// calibration in use the clinic's range as a band with its average dashed.
void showFollowUpChart(ChartXY *chart, FollowUpChartModel *model);

#endif // FOLLOWUPCHART_H
