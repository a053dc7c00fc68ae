#include "fhirterms.h"

#include "fhirtr.h"

#include <algorithm>
#include <iterator>

namespace FhirTerms {

namespace {

const MeasureTerm measures[] = {
    {Measure::Bmi, "39156-5", "Body mass index (BMI) [Ratio]", "kg/m2", "a unit of BMI"},
    {Measure::Weight, "29463-7", "Body weight", "kg", "a unit of weight"},
    {Measure::Height, "8302-2", "Body height", "cm", "a unit of height"},
};

struct UnitTerm {
    Measure measure;
    const char *code;
    const char *factor;
};

// Heights are kept in metres; the avoirdupois pound and the international inch are exact.
const UnitTerm units[] = {
    {Measure::Bmi, "kg/m2", "1"},
    {Measure::Weight, "kg", "1"},
    {Measure::Weight, "g", "0.001"},
    {Measure::Weight, "[lb_av]", "0.45359237"},
    {Measure::Height, "cm", "0.01"},
    {Measure::Height, "m", "1"},
    {Measure::Height, "[in_i]", "0.0254"},
};

} // namespace

QString caseCodeSystem()
{
    const QString set = qEnvironmentVariable("TELMA_FHIR_CASE_CODE_SYSTEM");
    return set.isEmpty() ? DefaultCaseCodeSystem : set;
}

QString caseCodeSystemProblem(const QString &text)
{
    const int colon = text.indexOf(QLatin1Char(':'));
    const bool spaced = std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isSpace(); });
    if (colon < 1 || colon == text.size() - 1 || spaced)
        return FhirTr::tr("\"%1\" is not a URI such as %2").arg(text, DefaultCaseCodeSystem);
    return QString();
}

const MeasureTerm &measureTerm(Measure measure)
{
    for (const MeasureTerm &term : measures) {
        if (term.measure == measure)
            return term;
    }
    return measures[0];
}

bool measureOfLoinc(const QString &code, Measure *measure)
{
    for (const MeasureTerm &term : measures) {
        if (code == QLatin1String(term.loinc)) {
            *measure = term.measure;
            return true;
        }
    }
    return false;
}

bool unitFactor(Measure measure, const QString &ucumCode, const char **factor)
{
    for (const UnitTerm &unit : units) {
        if (unit.measure == measure && ucumCode == QLatin1String(unit.code)) {
            *factor = unit.factor;
            return true;
        }
    }
    return false;
}

} // namespace FhirTerms
