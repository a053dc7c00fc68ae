#ifndef HANDOUTREPORT_H
#define HANDOUTREPORT_H

#include "bmicourse.h"
#include "coursecaution.h"
#include "reportdocument.h"
#include "visit.h"

#include <QDate>
#include <QList>
#include <QString>

#include <memory>
#include <optional>

class ReportChart;
struct FollowUpCase;
struct SimulationRecord;

// The handout for the person in treatment: one A4 page in large plain words. It says what
// the numbers are (an estimate, not a promise, to talk over with the clinician), shows the
// expected course month by month as a chart and a table, in kilograms when the height is
// known, and from the follow-up the visits so far and the change since the start. It names
// the case by its code only, and shows no answers, scores or workings of the estimate.
class HandoutReport
{
public:
    // From the result dialog: the course of a simulation, with the case once saved.
    explicit HandoutReport(const SimulationRecord &record,
                           const QDate &madeOn = QDate::currentDate());
    // From the follow-up: the case's course and its visits.
    explicit HandoutReport(const FollowUpCase &followUp,
                           const QDate &madeOn = QDate::currentDate());
    ~HandoutReport();
    HandoutReport(const HandoutReport &) = delete;
    HandoutReport &operator=(const HandoutReport &) = delete;

    QString title() const;
    // Valid while the handout lives: it draws the handout's own chart.
    ReportDocument document() const;
    // "<code>-<date>-handout.pdf" in the documents folder.
    QString defaultFileName() const;

    // The cautions in plain words, one short line each.
    static QString plainCaution(CourseCaution::Kind kind);

    // Visits the page lists at most, the latest; it says how many earlier ones there are.
    static constexpr int ListedVisits = 4;

private:
    void makeChart();
    void dropRepeatedCautions();
    // Weight in kg from a BMI, when the height is known.
    std::optional<double> kilograms(double bmi) const;
    QString amount(double bmi) const;
    void addCourse(ReportDocument &page) const;
    void addVisits(ReportDocument &page) const;

    QString m_code;
    QDate m_madeOn;
    PredictorValues m_predictors{};
    BmiCourse m_course{};
    double m_initialBmi = 0;
    std::optional<double> m_heightM;
    bool m_followUp = false;
    QDate m_baseline;
    QList<Visit> m_visits;
    QList<CourseCaution::Kind> m_cautions;
    std::unique_ptr<ReportChart> m_chart;
};

#endif // HANDOUTREPORT_H
