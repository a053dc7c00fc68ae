#ifndef FHIRTERMS_H
#define FHIRTERMS_H

#include <QString>

// The codes, systems and units our FHIR files use, in one place, so that the writer and the
// reader cannot drift apart. Measurements follow the R4 vital-signs profile; what only this
// program knows (predictors, the predicted course) lives under code systems of our own.
namespace FhirTerms {

inline const QString Loinc = QStringLiteral("http://loinc.org");
inline const QString Ucum = QStringLiteral("http://unitsofmeasure.org");
inline const QString ObservationCategory =
    QStringLiteral("http://terminology.hl7.org/CodeSystem/observation-category");
inline const QString VitalSigns = QStringLiteral("vital-signs");
inline const QString Survey = QStringLiteral("survey");
inline const QString VitalSignsProfile =
    QStringLiteral("http://hl7.org/fhir/StructureDefinition/vitalsigns");

// The default system of the case code in Patient.identifier; a clinic may choose its own.
inline const QString DefaultCaseCodeSystem = QStringLiteral("urn:telma:case-code");
// The system of the case code: TELMA_FHIR_CASE_CODE_SYSTEM where the clinic set it, else the
// default.
QString caseCodeSystem();
// Why text cannot be a code system (a URI without spaces, with a scheme), or empty.
QString caseCodeSystemProblem(const QString &text);
// Our own code systems.
inline const QString PredictorSystem = QStringLiteral("urn:telma:predictor");
inline const QString CourseSystem = QStringLiteral("urn:telma:predicted-course");
inline const QString CourseCategorySystem = QStringLiteral("urn:telma:observation-category");
inline const QString ModelSystem = QStringLiteral("urn:telma:model");
inline const QString QuestionnairePrefix = QStringLiteral("urn:telma:questionnaire:");
inline const QString ScoreUnit = QStringLiteral("{score}");

// The measurements a visit or a case holds.
enum class Measure { Bmi, Weight, Height };

struct MeasureTerm {
    Measure measure;
    const char *loinc;
    const char *display;
    const char *unit; // the unit we write
    const char *kind; // in messages: "a unit of weight"
};

const MeasureTerm &measureTerm(Measure measure);
// The measure of a LOINC code, or false for any other code.
bool measureOfLoinc(const QString &code, Measure *measure);

// A UCUM unit we read for a measure and the factor, as exact decimal text, that turns a value
// in it into the unit the case book keeps (kg/m2, kg, m). False for a unit we do not read.
bool unitFactor(Measure measure, const QString &ucumCode, const char **factor);

} // namespace FhirTerms

#endif // FHIRTERMS_H
