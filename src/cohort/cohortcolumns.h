#ifndef COHORTCOLUMNS_H
#define COHORTCOLUMNS_H

#include "bmicourse.h"

#include <QString>
#include <QStringList>

#include <array>
#include <string_view>
#include <vector>

// Where the columns the program reads sit in a cohort file, found by their names in the header
// (case-insensitive, surrounding spaces ignored, any order). Other columns are passed through.
class CohortColumns
{
public:
    // Finds the columns. False, with error saying why, when a predictor column is missing
    // or a known name appears twice.
    bool find(const std::vector<std::string_view> &header, QString *error);

    int fieldCount() const { return m_fieldCount; }
    int predictor(int index) const { return m_predictors[index]; }
    // The column of the observed BMI at the end of month (1 to 6), or -1 if the file has none.
    int observed(int month) const { return m_observed[month - 1]; }
    bool hasObserved() const;
    // The case book's own columns, or -1 where the file has none (predict and validate
    // pass them through; import needs code and baseline_date).
    enum CaseColumn { Code, BaselineDate, Height, CaseColumnCount };
    int caseColumn(CaseColumn which) const { return m_caseColumns[which]; }
    static const char *caseColumnName(CaseColumn which);

    // The column names, as files and error texts write them.
    static const char *predictorName(int index);
    static std::string observedName(int month);
    // True when a header field names one of the columns predict adds.
    static bool isAddedColumn(std::string_view field);

private:
    int m_fieldCount = 0;
    std::array<int, PredictorCount> m_predictors{};
    std::array<int, CourseMonths> m_observed{};
    std::array<int, CaseColumnCount> m_caseColumns{};
};

#endif // COHORTCOLUMNS_H
