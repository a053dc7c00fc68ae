#include "cohortcolumns.h"

#include "cohorttr.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace {

// In the order of the Predictor enumeration.
const char *const predictorNames[PredictorCount] = {
    "restrained_eating",
    "emotional_eating",
    "external_eating",
    "personal_standards",
    "concern_over_mistakes",
    "body_image_dissatisfaction",
    "alexithymia",
    "initial_bmi",
};

std::string normalisedName(std::string_view field)
{
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    while (!field.empty() && isSpace(field.front()))
        field.remove_prefix(1);
    while (!field.empty() && isSpace(field.back()))
        field.remove_suffix(1);
    std::string name(field);
    for (char &c : name)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return name;
}

// In the order of CohortColumns::CaseColumn.
const char *const caseColumnNames[CohortColumns::CaseColumnCount] = {
    "code",
    "baseline_date",
    "height_m",
};

} // namespace

const char *CohortColumns::caseColumnName(CaseColumn which)
{
    return caseColumnNames[which];
}

const char *CohortColumns::predictorName(int index)
{
    return predictorNames[index];
}

std::string CohortColumns::observedName(int month)
{
    return "bmi_month_" + std::to_string(month);
}

bool CohortColumns::isAddedColumn(std::string_view field)
{
    const std::string name = normalisedName(field);
    if (name == "error")
        return true;
    for (int month = 1; month <= CourseMonths; ++month) {
        if (name == "predicted_month_" + std::to_string(month))
            return true;
    }
    return false;
}

bool CohortColumns::hasObserved() const
{
    return std::any_of(m_observed.begin(), m_observed.end(), [](int c) { return c >= 0; });
}

bool CohortColumns::find(const std::vector<std::string_view> &header, QString *error)
{
    m_fieldCount = int(header.size());
    m_predictors.fill(-1);
    m_observed.fill(-1);
    m_caseColumns.fill(-1);

    for (int column = 0; column < m_fieldCount; ++column) {
        const std::string name = normalisedName(header[column]);
        int *slot = nullptr;
        for (int i = 0; i < PredictorCount; ++i) {
            if (name == predictorNames[i])
                slot = &m_predictors[i];
        }
        for (int month = 1; month <= CourseMonths; ++month) {
            if (name == observedName(month))
                slot = &m_observed[month - 1];
        }
        for (int i = 0; i < CaseColumnCount; ++i) {
            if (name == caseColumnNames[i])
                slot = &m_caseColumns[i];
        }
        if (slot && *slot >= 0) {
            *error = CohortTr::tr("The column “%1” appears more than once.")
                         .arg(QString::fromStdString(name));
            return false;
        }
        if (slot)
            *slot = column;
    }

    QStringList missing;
    for (int i = 0; i < PredictorCount; ++i) {
        if (m_predictors[i] < 0)
            missing << QString::fromLatin1(predictorNames[i]);
    }
    if (!missing.isEmpty()) {
        *error = CohortTr::tr("The header line has no column %1.")
                     .arg(missing.join(QStringLiteral(", ")));
        return false;
    }
    return true;
}
