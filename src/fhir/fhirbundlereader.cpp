#include "fhirbundlereader.h"

#include "casefields.h"
#include "decimalscale.h"
#include "fhirjsonstream.h"
#include "fhirtr.h"
#include "visitcheck.h"

#include <QBuffer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLocale>

namespace {

using FhirTerms::Measure;

QString key(const char *text)
{
    return QLatin1String(text);
}

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

// What gives a Bundle of another FHIR version away: elements R4 does not have.
struct VersionMark {
    const char *resourceType; // nullptr for the Bundle itself
    const char *element;
    const char *version;
};

const VersionMark versionMarks[] = {
    {nullptr, "issues", "R5"},
    {"Observation", "triggeredBy", "R5"},
    {"Observation", "bodyStructure", "R5"},
    {"Observation", "instantiatesCanonical", "R5"},
    {"Observation", "context", "STU3"},
    {"Observation", "comment", "STU3"},
    {"Observation", "comments", "DSTU2"},
    {"Patient", "animal", "STU3"},
};

// The version a profile or fhirVersion text names, where it is not R4.
QString otherVersion(const QString &text)
{
    static const std::pair<const char *, const char *> names[] = {
        {"/fhir/R5/", "R5"}, {"/fhir/5.0", "R5"}, {"|5.0", "R5"},  {"/fhir/STU3/", "STU3"},
        {"/fhir/3.0", "STU3"}, {"|3.0", "STU3"}, {"/fhir/DSTU2/", "DSTU2"}, {"/fhir/1.0", "DSTU2"},
    };
    for (const auto &[mark, version] : names) {
        if (text.contains(QLatin1String(mark)))
            return QLatin1String(version);
    }
    if (!text.isEmpty() && !text.startsWith(QLatin1String("4.0")) && text.front().isDigit())
        return text;
    return QString();
}

QString versionOf(const QJsonObject &resource, const QString &where)
{
    const QString type = resource.value(key("resourceType")).toString();
    for (const VersionMark &mark : versionMarks) {
        const bool applies = mark.resourceType ? type == QLatin1String(mark.resourceType)
                                               : where.isEmpty();
        if (applies && resource.contains(QLatin1String(mark.element)))
            return FhirTr::tr("%1 has the element %2 of FHIR %3")
                .arg(where.isEmpty() ? FhirTr::tr("the Bundle") : where, QLatin1String(mark.element),
                     QLatin1String(mark.version));
    }
    const QJsonObject meta = resource.value(key("meta")).toObject();
    QStringList stated{meta.value(key("fhirVersion")).toString(),
                       resource.value(key("fhirVersion")).toString()};
    for (const QJsonValue &profile : meta.value(key("profile")).toArray())
        stated << profile.toString();
    for (const QString &text : stated) {
        const QString version = otherVersion(text);
        if (!version.isEmpty())
            return FhirTr::tr("%1 names FHIR %2 (%3)")
                .arg(where.isEmpty() ? FhirTr::tr("the Bundle") : where, version, text);
    }
    return QString();
}

bool hasCoding(const QJsonObject &concept, const QString &system, QString *code)
{
    for (const QJsonValue &coding : concept.value(key("coding")).toArray()) {
        const QJsonObject c = coding.toObject();
        if (c.value(key("system")).toString() == system) {
            *code = c.value(key("code")).toString();
            return true;
        }
    }
    return false;
}

// The day an observation was made, as written (a time of day and zone only follow it).
bool effectiveDate(const QJsonObject &resource, QDate *date, QString *problem)
{
    QString element = QStringLiteral("effectiveDateTime");
    QString text = resource.value(element).toString();
    if (text.isEmpty() && resource.contains(key("effectiveInstant"))) {
        element = QStringLiteral("effectiveInstant");
        text = resource.value(element).toString();
    }
    if (text.isEmpty() && resource.contains(key("effectivePeriod"))) {
        element = QStringLiteral("effectivePeriod.start");
        text = resource.value(key("effectivePeriod")).toObject().value(key("start")).toString();
    }
    if (text.isEmpty()) {
        *problem = FhirTr::tr("effectiveDateTime: the observation has no date");
        return false;
    }
    *date = QDate::fromString(text.left(10), Qt::ISODate);
    if (text.size() < 10 || !date->isValid() || (text.size() > 10 && text.at(10) != QLatin1Char('T'))) {
        *problem = FhirTr::tr("%1: \"%2\" does not name a day (YYYY-MM-DD)").arg(element, text);
        return false;
    }
    return true;
}

struct Bounds {
    double lowest;
    double highest;
    const char *unit;
};

Bounds bounds(Measure measure)
{
    switch (measure) {
    case Measure::Bmi:
        return {VisitLimits::BmiLowest, VisitLimits::BmiHighest, "kg/m2"};
    case Measure::Weight:
        return {VisitLimits::WeightLowest, VisitLimits::WeightHighest, "kg"};
    case Measure::Height:
        break;
    }
    return {CaseFields::MinHeightMetres, CaseFields::MaxHeightMetres, "m"};
}

// The value of a quantity in the case book's unit, or why it cannot be had.
bool quantityValue(Measure measure, const QJsonObject &resource, double *value, QString *problem)
{
    const QJsonValue quantityValue = resource.value(key("valueQuantity"));
    if (!quantityValue.isObject()) {
        *problem = FhirTr::tr("valueQuantity: the observation has no measured quantity");
        return false;
    }
    const QJsonObject quantity = quantityValue.toObject();
    if (!quantity.value(key("value")).isDouble()) {
        *problem = FhirTr::tr("valueQuantity: it holds no number");
        return false;
    }
    if (quantity.contains(key("comparator"))) {
        *problem = FhirTr::tr("valueQuantity: a value with comparator \"%1\" is not a measurement")
                       .arg(quantity.value(key("comparator")).toString());
        return false;
    }
    const QString system = quantity.value(key("system")).toString();
    if (quantity.contains(key("system")) && system != FhirTerms::Ucum) {
        *problem = FhirTr::tr("valueQuantity: system \"%1\" is not UCUM (%2)")
                       .arg(system, FhirTerms::Ucum);
        return false;
    }
    const QString unit = quantity.contains(key("code")) ? quantity.value(key("code")).toString()
                                                       : quantity.value(key("unit")).toString();
    const char *factor = nullptr;
    if (!FhirTerms::unitFactor(measure, unit, &factor)) {
        *problem = FhirTr::tr("valueQuantity: unit \"%1\" is not %2 we read")
                       .arg(unit, QLatin1String(FhirTerms::measureTerm(measure).kind));
        return false;
    }
    *value = scaleDecimal(quantity.value(key("value")).toDouble(), factor);
    const Bounds b = bounds(measure);
    if (!(*value >= b.lowest && *value <= b.highest)) {
        *problem = FhirTr::tr("valueQuantity: %1 %2 is outside %3 to %4 %2")
                       .arg(numberText(*value), QLatin1String(b.unit), numberText(b.lowest),
                            numberText(b.highest));
        return false;
    }
    return true;
}

int predictorOfColumn(const QString &column)
{
    for (int p = 0; p < PredictorCount; ++p) {
        if (CaseFields::predictorColumn(p) == column)
            return p;
    }
    return -1;
}

} // namespace

FhirBundleReader::FhirBundleReader(const QString &caseCodeSystem)
    : m_caseCodeSystem(caseCodeSystem)
{
}

bool FhirBundleReader::read(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return read(buffer);
}

bool FhirBundleReader::read(QIODevice &device)
{
    m_error.clear();
    m_measurements.clear();
    m_details.clear();
    m_skipped = {};
    m_patientCodes.clear();
    m_patientEntries.clear();
    if (device.size() > MaxBytes) {
        m_error = FhirTr::tr("it is too large: %1 MB, and at most %2 MB are read")
                      .arg(device.size() >> 20).arg(MaxBytes >> 20);
        return false;
    }
    // Two passes, an entry at a time: the Bundle's own members and its patients first, as an
    // observation may name a patient further on; then the observations.
    FhirJsonStream stream;
    QJsonObject bundle;
    QString entryVersion;
    FhirJsonStream::Handlers first;
    first.member = [&](const QString &name, const QJsonValue &value) { bundle.insert(name, value); };
    first.entry = [&](int index, const QJsonObject &entry) {
        const QJsonObject resource = entry.value(key("resource")).toObject();
        if (entryVersion.isEmpty())
            entryVersion = versionOf(resource, FhirTr::tr("entry %1").arg(index + 1));
        indexEntry(index, entry);
    };
    if (!stream.walk(device, first)) {
        m_error = FhirTr::tr("it is not FHIR JSON: %1").arg(stream.error());
        return false;
    }
    const QString resourceType = bundle.value(key("resourceType")).toString();
    if (resourceType.isEmpty()) {
        m_error = FhirTr::tr("it is not FHIR JSON: it has no resourceType");
        return false;
    }
    if (resourceType != QLatin1String("Bundle")) {
        m_error = FhirTr::tr("it is a FHIR %1, not a Bundle").arg(resourceType);
        return false;
    }
    if (const QString other = versionOf(bundle, QString()); !other.isEmpty()) {
        m_error = FhirTr::tr("it is not FHIR R4: %1").arg(other);
        return false;
    }
    const QString type = bundle.value(key("type")).toString();
    static const QStringList types{QStringLiteral("collection"), QStringLiteral("transaction"),
                                   QStringLiteral("batch"), QStringLiteral("searchset")};
    if (!types.contains(type)) {
        m_error = FhirTr::tr("it is a Bundle of type \"%1\"; collection, transaction, batch "
                            "and searchset are read").arg(type);
        return false;
    }
    if (!entryVersion.isEmpty()) {
        m_error = FhirTr::tr("it is not FHIR R4: %1").arg(entryVersion);
        return false;
    }

    FhirJsonStream::Handlers second;
    second.member = [](const QString &, const QJsonValue &) {};
    second.entry = [this](int index, const QJsonObject &entry) {
        const QJsonObject resource = entry.value(key("resource")).toObject();
        const QString kind = resource.value(key("resourceType")).toString();
        if (kind == QLatin1String("Observation"))
            readObservation(index + 1, resource);
        else if (kind == QLatin1String("QuestionnaireResponse"))
            readQuestionnaireResponse(resource);
        else if (kind != QLatin1String("Patient"))
            ++m_skipped.otherResources;
    };
    if (!stream.walk(device, second)) {
        m_error = FhirTr::tr("it is not FHIR JSON: %1").arg(stream.error());
        return false;
    }
    return true;
}

void FhirBundleReader::indexEntry(int i, const QJsonObject &entry)
{
    const QJsonObject resource = entry.value(key("resource")).toObject();
    if (resource.value(key("resourceType")).toString() != QLatin1String("Patient"))
        return;
    QString code;
    for (const QJsonValue &identifier : resource.value(key("identifier")).toArray()) {
        const QJsonObject id = identifier.toObject();
        if (id.value(key("system")).toString() == m_caseCodeSystem) {
            code = id.value(key("value")).toString();
            break;
        }
    }
    QStringList names;
    if (entry.contains(key("fullUrl")))
        names << entry.value(key("fullUrl")).toString();
    if (resource.contains(key("id")))
        names << QStringLiteral("Patient/") + resource.value(key("id")).toString();
    for (const QString &name : std::as_const(names)) {
        m_patientCodes.insert(name, code);
        m_patientEntries.insert(name, i + 1);
    }
    if (!code.isEmpty() && !m_details.contains(code))
        m_details[code].entry = i + 1;
}

bool FhirBundleReader::subjectCode(const QJsonObject &resource, QString *code,
                                   QString *problem) const
{
    const QJsonObject subject = resource.value(key("subject")).toObject();
    const QJsonObject identifier = subject.value(key("identifier")).toObject();
    if (identifier.value(key("system")).toString() == m_caseCodeSystem
        && !identifier.value(key("value")).toString().isEmpty()) {
        *code = identifier.value(key("value")).toString();
        return true;
    }
    QString reference = subject.value(key("reference")).toString();
    if (reference.isEmpty()) {
        *problem = FhirTr::tr("subject: the observation names no patient");
        return false;
    }
    // "Patient/7/_history/2" and "https://host/fhir/Patient/7" both mean Patient/7.
    if (!m_patientCodes.contains(reference)) {
        const int at = reference.lastIndexOf(QLatin1String("Patient/"));
        if (at >= 0)
            reference = reference.mid(at).section(QLatin1Char('/'), 0, 1);
    }
    const auto found = m_patientCodes.constFind(reference);
    if (found == m_patientCodes.constEnd()) {
        *problem = FhirTr::tr("subject: \"%1\" is not a Patient of this Bundle")
                       .arg(subject.value(key("reference")).toString());
        return false;
    }
    if (found->isEmpty()) {
        *problem = FhirTr::tr("subject: the Patient of entry %1 has no identifier under %2")
                       .arg(m_patientEntries.value(reference)).arg(m_caseCodeSystem);
        return false;
    }
    *code = *found;
    return true;
}

void FhirBundleReader::readObservation(int entry, const QJsonObject &resource)
{
    const QString status = resource.value(key("status")).toString();
    if (status == QLatin1String("entered-in-error") || status == QLatin1String("cancelled")) {
        ++m_skipped.withdrawn;
        return;
    }
    const QJsonObject code = resource.value(key("code")).toObject();
    QString value;
    Measure measure;
    if (hasCoding(code, FhirTerms::Loinc, &value) && FhirTerms::measureOfLoinc(value, &measure)) {
        readMeasurement(entry, measure, resource);
        return;
    }
    QString caseCode;
    QString problem;
    const bool ours = hasCoding(code, FhirTerms::PredictorSystem, &value)
        || hasCoding(code, FhirTerms::CourseSystem, &value);
    if (!ours || !subjectCode(resource, &caseCode, &problem) || !m_details.contains(caseCode)) {
        ++m_skipped.otherCodes;
        return;
    }
    CaseDetails &details = m_details[caseCode];
    const QDate date = QDate::fromString(resource.value(key("effectiveDateTime")).toString(), Qt::ISODate);
    if (!details.baseline.isValid())
        details.baseline = date;
    else if (date != details.baseline && details.problem.isEmpty())
        details.problem = FhirTr::tr("entry %1: effectiveDateTime: %2 is not the baseline date %3")
                              .arg(entry).arg(date.toString(Qt::ISODate), details.baseline.toString(Qt::ISODate));
    if (value == QLatin1String("predicted-bmi")) {
        BmiCourse course{};
        int found = 0;
        for (const QJsonValue &component : resource.value(key("component")).toArray()) {
            const QJsonObject c = component.toObject();
            QString month;
            hasCoding(c.value(key("code")).toObject(), FhirTerms::CourseSystem, &month);
            const int k = month.startsWith(QLatin1String("month-")) ? month.mid(6).toInt() : 0;
            const QJsonValue number = c.value(key("valueQuantity")).toObject().value(key("value"));
            if (k >= 1 && k <= CourseMonths && number.isDouble()) {
                course[k - 1] = number.toDouble();
                ++found;
            }
        }
        if (found == CourseMonths)
            details.course = course;
        for (const QJsonValue &coding : resource.value(key("method")).toObject().value(key("coding")).toArray()) {
            if (coding.toObject().value(key("system")).toString() == FhirTerms::ModelSystem)
                details.modelVersion = coding.toObject().value(key("version")).toString();
        }
        return;
    }
    const int p = predictorOfColumn(value);
    const QJsonValue number = resource.value(key("valueQuantity")).toObject().value(key("value"));
    if (p < 0 || !number.isDouble()) {
        ++m_skipped.otherCodes;
        return;
    }
    details.predictors[p] = number.toDouble();
    details.sources[p] = resource.value(key("method")).toObject().value(key("text")).toString();
}

void FhirBundleReader::readQuestionnaireResponse(const QJsonObject &resource)
{
    QString code;
    QString problem;
    const QString questionnaire = resource.value(key("questionnaire")).toString();
    const int p = questionnaire.startsWith(FhirTerms::QuestionnairePrefix)
        ? predictorOfColumn(questionnaire.mid(FhirTerms::QuestionnairePrefix.size()))
        : -1;
    if (p < 0 || !subjectCode(resource, &code, &problem) || !m_details.contains(code)) {
        ++m_skipped.otherResources;
        return;
    }
    QVector<int> answers;
    for (const QJsonValue &item : resource.value(key("item")).toArray()) {
        const QJsonArray answer = item.toObject().value(key("answer")).toArray();
        answers.append(answer.isEmpty() ? -1 : answer.first().toObject().value(key("valueInteger")).toInt() - 1);
    }
    m_details[code].answers[p] = answers;
}

void FhirBundleReader::readMeasurement(int entry, Measure measure, const QJsonObject &resource)
{
    Measurement m;
    m.entry = entry;
    m.measure = measure;
    if (subjectCode(resource, &m.code, &m.problem) && effectiveDate(resource, &m.date, &m.problem))
        quantityValue(measure, resource, &m.value, &m.problem);
    m_measurements.append(m);
}
