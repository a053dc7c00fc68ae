#include "fhirbundlewriter.h"

#include "casefields.h"
#include "decimalscale.h"
#include "fhirtr.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSaveFile>
#include <QUuid>

#include <algorithm>

namespace {

const char *const predictorDisplay[PredictorCount] = {
    "Restrained eating (DEBQ)",
    "Emotional eating (DEBQ)",
    "External eating (DEBQ)",
    "Personal standards (MPS-FROST)",
    "Concern over mistakes and doubts about actions (MPS-FROST)",
    "Body image dissatisfaction",
    "Alexithymia (TAS-26)",
    "Initial BMI",
};

QString newUrl()
{
    return QStringLiteral("urn:uuid:") + QUuid::createUuid().toString(QUuid::WithoutBraces);
}

QJsonObject reference(const QString &url)
{
    return {{QStringLiteral("reference"), url}};
}

QJsonObject coding(const QString &system, const QString &code, const QString &display)
{
    return {{QStringLiteral("system"), system},
            {QStringLiteral("code"), code},
            {QStringLiteral("display"), display}};
}

QJsonObject concept(const QJsonObject &coding)
{
    return {{QStringLiteral("coding"), QJsonArray{coding}},
            {QStringLiteral("text"), coding.value(QStringLiteral("display"))}};
}

QJsonObject quantity(double value, const QString &unit)
{
    return {{QStringLiteral("value"), value},
            {QStringLiteral("unit"), unit},
            {QStringLiteral("system"), FhirTerms::Ucum},
            {QStringLiteral("code"), unit}};
}

QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

// Builds the entries of one Bundle, each resource under a urn:uuid of its own.
class Entries
{
public:
    QString add(const QJsonObject &resource)
    {
        const QString url = newUrl();
        m_entries.append(QJsonObject{{QStringLiteral("fullUrl"), url},
                                     {QStringLiteral("resource"), resource}});
        return url;
    }
    QJsonArray entries() const { return m_entries; }

private:
    QJsonArray m_entries;
};

QJsonObject observation(const QString &category, const QString &categoryDisplay,
                        const QJsonObject &code, const QString &patient, const QDate &date)
{
    return {{QStringLiteral("resourceType"), QStringLiteral("Observation")},
            {QStringLiteral("status"), QStringLiteral("final")},
            {QStringLiteral("category"),
             QJsonArray{concept(coding(FhirTerms::ObservationCategory, category, categoryDisplay))}},
            {QStringLiteral("code"), concept(code)},
            {QStringLiteral("subject"), reference(patient)},
            {QStringLiteral("effectiveDateTime"), dateText(date)}};
}

QJsonObject vitalSign(FhirTerms::Measure measure, double value, const QString &patient,
                      const QDate &date)
{
    static const char *const profiles[] = {"bmi", "bodyweight", "bodyheight"};
    const FhirTerms::MeasureTerm &term = FhirTerms::measureTerm(measure);
    QJsonObject resource = observation(
        FhirTerms::VitalSigns, QStringLiteral("Vital Signs"),
        coding(FhirTerms::Loinc, QLatin1String(term.loinc), QLatin1String(term.display)), patient,
        date);
    resource.insert(QStringLiteral("meta"),
                    QJsonObject{{QStringLiteral("profile"),
                                 QJsonArray{QStringLiteral("http://hl7.org/fhir/StructureDefinition/")
                                            + QLatin1String(profiles[int(measure)])}}});
    resource.insert(QStringLiteral("valueQuantity"), quantity(value, QLatin1String(term.unit)));
    return resource;
}

void addCase(Entries &entries, const FhirCase &item, const QString &caseCodeSystem)
{
    using FhirTerms::Measure;
    const CaseRecord &record = item.record;
    const QString patient = entries.add(
        {{QStringLiteral("resourceType"), QStringLiteral("Patient")},
         {QStringLiteral("identifier"),
          QJsonArray{QJsonObject{{QStringLiteral("system"), caseCodeSystem},
                                 {QStringLiteral("value"), record.code}}}}});
    const QDate baseline = record.baselineDate;
    if (record.heightMetres)
        entries.add(vitalSign(Measure::Height, scaleDecimal(*record.heightMetres, "100"), patient,
                              baseline));
    const QString initialBmi =
        entries.add(vitalSign(Measure::Bmi, record.predictors[int(Predictor::InitialBmi)],
                              patient, baseline));
    for (const Visit &visit : item.visits) {
        entries.add(vitalSign(Measure::Bmi, visit.bmi, patient, visit.date));
        if (visit.weightKg)
            entries.add(vitalSign(Measure::Weight, *visit.weightKg, patient, visit.date));
    }

    QJsonArray predictors;
    for (int p = 0; p < PredictorCount; ++p) {
        const QString column = CaseFields::predictorColumn(p);
        QString derivedFrom = p == int(Predictor::InitialBmi) ? initialBmi : QString();
        if (!record.answers[p].isEmpty()) {
            QJsonArray items;
            for (int i = 0; i < record.answers[p].size(); ++i) {
                QJsonObject answered{{QStringLiteral("linkId"), QString::number(i + 1)}};
                // The ticked box counted from 1 at the left; an item left open has no answer.
                const int option = record.answers[p].at(i);
                if (option >= 0)
                    answered.insert(QStringLiteral("answer"),
                                    QJsonArray{QJsonObject{{QStringLiteral("valueInteger"), option + 1}}});
                items.append(answered);
            }
            derivedFrom = entries.add(
                {{QStringLiteral("resourceType"), QStringLiteral("QuestionnaireResponse")},
                 {QStringLiteral("questionnaire"), FhirTerms::QuestionnairePrefix + column},
                 {QStringLiteral("status"), QStringLiteral("completed")},
                 {QStringLiteral("subject"), reference(patient)},
                 {QStringLiteral("authored"), dateText(baseline)},
                 {QStringLiteral("item"), items}});
        }
        QJsonObject predictor = observation(
            FhirTerms::Survey, QStringLiteral("Survey"),
            coding(FhirTerms::PredictorSystem, column, QLatin1String(predictorDisplay[p])),
            patient, baseline);
        const bool isBmi = p == int(Predictor::InitialBmi);
        predictor.insert(QStringLiteral("valueQuantity"),
                         quantity(record.predictors[p],
                                  isBmi ? QStringLiteral("kg/m2") : FhirTerms::ScoreUnit));
        if (!record.sources[p].isEmpty())
            predictor.insert(QStringLiteral("method"),
                             QJsonObject{{QStringLiteral("text"), record.sources[p]}});
        if (!derivedFrom.isEmpty())
            predictor.insert(QStringLiteral("derivedFrom"), QJsonArray{reference(derivedFrom)});
        predictors.append(reference(entries.add(predictor)));
    }

    QJsonObject model{{QStringLiteral("system"), FhirTerms::ModelSystem},
                      {QStringLiteral("code"), QStringLiteral("telma")},
                      {QStringLiteral("display"), QStringLiteral("model TELMA")}};
    if (!record.modelVersion.isEmpty())
        model.insert(QStringLiteral("version"), record.modelVersion);
    QJsonArray months;
    for (int month = 1; month <= CourseMonths; ++month)
        months.append(QJsonObject{
            {QStringLiteral("code"),
             concept(coding(FhirTerms::CourseSystem, QStringLiteral("month-%1").arg(month),
                            QStringLiteral("Predicted BMI at the end of month %1").arg(month)))},
            {QStringLiteral("valueQuantity"),
             quantity(record.course[month - 1], QStringLiteral("kg/m2"))}});
    QJsonObject course{
        {QStringLiteral("resourceType"), QStringLiteral("Observation")},
        {QStringLiteral("status"), QStringLiteral("final")},
        {QStringLiteral("category"),
         QJsonArray{concept(coding(FhirTerms::CourseCategorySystem, QStringLiteral("prediction"),
                                   QStringLiteral("Prediction, not a measurement")))}},
        {QStringLiteral("code"),
         concept(coding(FhirTerms::CourseSystem, QStringLiteral("predicted-bmi"),
                        QStringLiteral("BMI course predicted by model TELMA")))},
        {QStringLiteral("subject"), reference(patient)},
        {QStringLiteral("effectiveDateTime"), dateText(baseline)},
        {QStringLiteral("method"),
         QJsonObject{{QStringLiteral("coding"), QJsonArray{model}},
                     {QStringLiteral("text"),
                      QStringLiteral("model TELMA %1").arg(record.modelVersion).trimmed()}}},
        {QStringLiteral("derivedFrom"), predictors},
        {QStringLiteral("component"), months}};
    entries.add(course);
}

} // namespace

FhirBundleWriter::FhirBundleWriter(const QString &caseCodeSystem)
    : m_caseCodeSystem(caseCodeSystem)
{
}

QJsonObject FhirBundleWriter::bundle(const QVector<FhirCase> &cases) const
{
    Entries entries;
    for (const FhirCase &item : cases)
        addCase(entries, item, m_caseCodeSystem);
    QJsonObject bundle{{QStringLiteral("resourceType"), QStringLiteral("Bundle")},
                       {QStringLiteral("type"), QStringLiteral("collection")},
                       {QStringLiteral("timestamp"),
                        QDateTime::currentDateTimeUtc().toString(Qt::ISODate)}};
    // FHIR JSON has no empty arrays: an empty book gives a Bundle without entries.
    if (!entries.entries().isEmpty())
        bundle.insert(QStringLiteral("entry"), entries.entries());
    return bundle;
}

bool FhirBundleWriter::save(const QString &fileName, const QVector<FhirCase> &cases,
                            QString *error) const
{
    return save(fileName, [&cases](const std::function<bool(const FhirCase &)> &write) {
        return std::all_of(cases.cbegin(), cases.cend(), write);
    }, error);
}

bool FhirBundleWriter::write(QIODevice *device, const CaseSource &each) const
{
    // As QJsonDocument indents it: keys in order ("entry" first), four spaces a level, each
    // entry at the third level.
    bool written = device->write("{\n") >= 0;
    qint64 count = 0;
    const bool read = each([&](const FhirCase &item) {
        Entries entries;
        addCase(entries, item, m_caseCodeSystem);
        for (const QJsonValue &entry : entries.entries()) {
            QByteArray text = QJsonDocument(entry.toObject()).toJson(QJsonDocument::Indented);
            text.chop(1);
            text.replace("\n", "\n        ");
            written = written && device->write(count++ == 0 ? "    \"entry\": [\n        " : ",\n        ") >= 0
                      && device->write(text) >= 0;
        }
        return written;
    });
    if (count > 0)
        written = written && device->write("\n    ],\n") >= 0;
    const QByteArray tail = QByteArrayLiteral("    \"resourceType\": \"Bundle\",\n    \"timestamp\": \"")
                            + QDateTime::currentDateTimeUtc().toString(Qt::ISODate).toLatin1()
                            + QByteArrayLiteral("\",\n    \"type\": \"collection\"\n}\n");
    return read && written && device->write(tail) >= 0;
}

bool FhirBundleWriter::save(const QString &fileName, const CaseSource &each, QString *error) const
{
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly)
        || !file.setPermissions(QFile::ReadOwner | QFile::WriteOwner) || !write(&file, each)
        || !file.commit()) {
        if (error->isEmpty())
            *error = FhirTr::tr("Cannot write %1: %2.")
                         .arg(QDir::toNativeSeparators(fileName), file.errorString());
        file.cancelWriting();
        return false;
    }
    return true;
}
