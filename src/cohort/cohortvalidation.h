#ifndef COHORTVALIDATION_H
#define COHORTVALIDATION_H

#include "calibrationstatistics.h"
#include "cohortinput.h"

#include <QPointF>
#include <QRandomGenerator>
#include <QString>

#include <array>
#include <vector>

// The validate command's figures: the model's predictions against the observed BMI, for
// every month with enough observed values.
struct CohortValidation {
    struct Month {
        int month = 0;
        CalibrationStatistics statistics;
    };

    // A refused row: where it is ("line 12", "case AB-1") and why.
    struct Refusal {
        QString where;
        QString reason;
    };
    // Refused rows kept for the report; the rest are only counted.
    static constexpr int KeptRefusals = 200;
    // People a plot shows at most: more are a blot on a page, and would hold memory for every
    // row. Of more, these are chosen at random, the same ones in every run.
    static constexpr int PlottedPoints = 5000;

    qint64 rowsRead = 0;
    qint64 rowsRefused = 0;
    std::vector<Refusal> refusals;         // the first KeptRefusals refused rows
    std::vector<Month> months;             // months with at least 3 pairs, in order
    std::vector<QPointF> points;           // (predicted, observed) of plotMonth, if kept
    qint64 plotPeople = 0;                 // the pairs of plotMonth, of which points holds up to PlottedPoints
    int plotMonth = 0;                     // 0: no month has enough pairs

    // Reads a cohort file. With keepPoints the pairs of month plotMonth (or, when 0, of the
    // last month with enough pairs) are kept for a plot, up to PlottedPoints of them.
    bool read(CohortInput &input, bool keepPoints, int plotMonth, QString *error);

    // The same, one record at a time from elsewhere (e.g. the case book): begin(), add() for
    // each row, refused ones included, then finish().
    void begin(bool keepPoints, int plotMonth);
    void add(const CohortRecord &record, const QString &where = QString());
    void finish();

    // One JSON object with every figure in full precision; values that cannot be computed are null.
    QByteArray json() const;
    // A table for people.
    QString text(const QString &fileName) const;

private:
    void keepPoint(int month, const QPointF &point);

    std::array<CalibrationAccumulator, CourseMonths> m_accumulators;
    std::array<std::vector<QPointF>, CourseMonths> m_kept;
    bool m_keepPoints = false;
    int m_askedMonth = 0;
    QRandomGenerator m_random{20261210};
};

#endif // COHORTVALIDATION_H
