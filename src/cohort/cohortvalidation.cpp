#include "cohortvalidation.h"

#include "cohorttr.h"
#include "jsonnumber.h"

#include <array>
#include <cmath>

namespace {

void appendJsonInterval(QByteArray &out, const CalibrationStatistics::Interval &interval)
{
    out += '[';
    appendJsonNumber(out, interval[0]);
    out += ", ";
    appendJsonNumber(out, interval[1]);
    out += ']';
}

QString figure(double value, int decimals = 2)
{
    return std::isfinite(value) ? QString::number(value, 'f', decimals) : QStringLiteral("–");
}

QString interval(const CalibrationStatistics::Interval &ci, int decimals = 2)
{
    return CohortTr::tr("(95% CI %1 to %2)").arg(figure(ci[0], decimals), figure(ci[1], decimals));
}

} // namespace

void CohortValidation::begin(bool keepPoints, int month)
{
    *this = CohortValidation();
    m_keepPoints = keepPoints;
    m_askedMonth = month;
}

void CohortValidation::add(const CohortRecord &record, const QString &where)
{
    ++rowsRead;
    if (!record.error.isEmpty()) {
        ++rowsRefused;
        if (refusals.size() < size_t(KeptRefusals))
            refusals.push_back({where, record.error});
        return;
    }
    const BmiCourse course = predictBmiCourse(record.predictors);
    for (int m = 0; m < CourseMonths; ++m) {
        if (std::isnan(record.observed[m]))
            continue;
        m_accumulators[m].add(course[m], record.observed[m]);
        if (m_keepPoints && (m_askedMonth == 0 || m_askedMonth == m + 1))
            keepPoint(m, QPointF(course[m], record.observed[m]));
    }
}

void CohortValidation::keepPoint(int month, const QPointF &point)
{
    // Each person of the month has the same chance to be among the kept (reservoir sampling).
    std::vector<QPointF> &kept = m_kept[month];
    if (kept.size() < size_t(PlottedPoints)) {
        kept.push_back(point);
        return;
    }
    const quint64 place = m_random.bounded(quint64(m_accumulators[month].count()));
    if (place < quint64(PlottedPoints))
        kept[size_t(place)] = point;
}

void CohortValidation::finish()
{
    months.clear();
    for (int m = 0; m < CourseMonths; ++m) {
        if (m_accumulators[m].count() >= CalibrationAccumulator::MinimumCount)
            months.push_back({m + 1, m_accumulators[m].statistics()});
    }
    plotMonth = m_askedMonth != 0 ? m_askedMonth : (months.empty() ? 0 : months.back().month);
    if (plotMonth > 0) {
        points = std::move(m_kept[plotMonth - 1]);
        plotPeople = m_accumulators[plotMonth - 1].count();
    }
}

bool CohortValidation::read(CohortInput &input, bool keepPoints, int month, QString *error)
{
    begin(keepPoints, month);
    const auto onHeader = [](const CsvRow &, const CohortColumns &columns) {
        return columns.hasObserved()
            ? QString()
            : CohortTr::tr("The header line has no observed column bmi_month_1 to bmi_month_6.");
    };
    const auto onRecord = [this](const CsvRow &row, const CohortRecord &record) {
        add(record, CohortTr::tr("line %1").arg(row.line));
    };
    if (!input.read(onHeader, onRecord)) {
        *error = input.error();
        return false;
    }
    finish();
    return true;
}

QByteArray CohortValidation::json() const
{
    QByteArray out = "{\"rows_read\": " + QByteArray::number(rowsRead)
        + ", \"rows_refused\": " + QByteArray::number(rowsRefused) + ", \"months\": [";
    for (size_t i = 0; i < months.size(); ++i) {
        const CalibrationStatistics &s = months[i].statistics;
        if (i > 0)
            out += ", ";
        out += "{\"month\": " + QByteArray::number(months[i].month) + ", \"n\": " + QByteArray::number(s.n);
        const std::pair<const char *, double> values[] = {
            {"mean_observed", s.meanObserved}, {"mean_predicted", s.meanPredicted},
            {"mean_error", s.meanError},
        };
        for (const auto &[name, value] : values) {
            out += ", \"" + QByteArray(name) + "\": ";
            appendJsonNumber(out, value);
        }
        out += ", \"sd_error\": ";
        appendJsonNumber(out, s.sdError);
        out += ", \"limits_of_agreement\": ";
        appendJsonInterval(out, s.limitsOfAgreement);
        const std::tuple<const char *, double, CalibrationStatistics::Interval> withIntervals[] = {
            {"mean_error", s.meanError, s.meanErrorCi},
            {"slope", s.slope, s.slopeCi},
            {"intercept", s.intercept, s.interceptCi},
        };
        for (const auto &[name, value, ci] : withIntervals) {
            if (name != std::string_view("mean_error")) {
                out += ", \"" + QByteArray(name) + "\": ";
                appendJsonNumber(out, value);
            }
            out += ", \"" + QByteArray(name) + "_ci\": ";
            appendJsonInterval(out, ci);
        }
        const std::pair<const char *, double> errors[] = {{"r2", s.r2}, {"rmse", s.rmse}, {"mae", s.mae}};
        for (const auto &[name, value] : errors) {
            out += ", \"" + QByteArray(name) + "\": ";
            appendJsonNumber(out, value);
        }
        out += '}';
    }
    out += "]}\n";
    return out;
}

QString CohortValidation::text(const QString &fileName) const
{
    QString out = CohortTr::tr("Validation of model TELMA on %1\nrows read %2, refused %3\n")
                      .arg(fileName).arg(rowsRead).arg(rowsRefused);
    if (months.empty())
        out += CohortTr::tr("\nNo month has observed values in 3 or more accepted rows.\n");
    for (const Month &m : months) {
        const CalibrationStatistics &s = m.statistics;
        const auto line = [](const QString &title, const QString &value, const QString &ci = QString()) {
            return QStringLiteral("  %1 %2%3\n").arg(title, value, ci.isEmpty() ? ci : QLatin1Char(' ') + ci);
        };
        out += CohortTr::tr("\nMonth %1 (n = %2)\n").arg(m.month).arg(s.n);
        out += line(CohortTr::tr("mean observed BMI "), figure(s.meanObserved));
        out += line(CohortTr::tr("mean predicted BMI"), figure(s.meanPredicted));
        out += line(CohortTr::tr("mean error (O − P)"), figure(s.meanError), interval(s.meanErrorCi));
        out += line(CohortTr::tr("sd of the error   "), figure(s.sdError));
        out += line(CohortTr::tr("agreement (95%)   "),
                    CohortTr::tr("%1 to %2").arg(figure(s.limitsOfAgreement[0]), figure(s.limitsOfAgreement[1])));
        out += line(CohortTr::tr("calibration slope "), figure(s.slope, 3), interval(s.slopeCi, 3));
        out += line(CohortTr::tr("intercept         "), figure(s.intercept), interval(s.interceptCi));
        out += line(QStringLiteral("R²                "), figure(s.r2, 3));
        out += line(QStringLiteral("RMSE              "), figure(s.rmse));
        out += line(QStringLiteral("MAE               "), figure(s.mae));
    }
    return out;
}
