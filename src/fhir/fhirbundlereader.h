#ifndef FHIRBUNDLEREADER_H
#define FHIRBUNDLEREADER_H

#include "bmicourse.h"
#include "fhirterms.h"

#include <QDate>
#include <QHash>
#include <QJsonObject>
#include <QString>
#include <QVector>

class QIODevice;

#include <array>
#include <optional>

// Reads what a FHIR R4 Bundle (collection, transaction, batch or searchset) holds for the
// case book: the body-mass-index, weight and height observations of each patient known by
// a case code, and, from a Bundle we wrote, what recreates the case itself. Whether a
// measurement fits its case is for FhirImport to say; this reads the file alone.
class FhirBundleReader
{
public:
    // Larger files are refused before they are parsed.
    static constexpr qint64 MaxBytes = qint64(64) << 20;

    struct Measurement {
        int entry = 0;  // position in Bundle.entry, counted from 1
        FhirTerms::Measure measure = FhirTerms::Measure::Bmi;
        QString code;   // the case code of the subject
        QDate date;
        double value = 0; // in kg/m2, kg or m
        QString problem;  // why it cannot be used ("element: reason"); empty when it can
    };
    // What our own export says about a case beyond its measurements.
    struct CaseDetails {
        int entry = 0; // the Patient's entry
        QDate baseline;
        std::array<std::optional<double>, PredictorCount> predictors;
        std::array<QString, PredictorCount> sources;
        std::array<QVector<int>, PredictorCount> answers;
        std::optional<BmiCourse> course;
        QString modelVersion;
        QString problem;
    };
    struct Skipped {
        int otherResources = 0; // not Observations
        int otherCodes = 0;     // Observations of anything else
        int withdrawn = 0;      // status entered-in-error or cancelled
    };

    explicit FhirBundleReader(const QString &caseCodeSystem = FhirTerms::DefaultCaseCodeSystem);

    // False when the file is not a FHIR R4 Bundle we read; error() says why.
    bool read(const QByteArray &bytes);
    // The same from a device that can seek (a file): read an entry at a time, twice.
    bool read(QIODevice &device);
    QString error() const { return m_error; }

    const QVector<Measurement> &measurements() const { return m_measurements; }
    // By case code, for every Patient of the Bundle that carries one.
    const QHash<QString, CaseDetails> &caseDetails() const { return m_details; }
    const Skipped &skipped() const { return m_skipped; }

private:
    void indexEntry(int index, const QJsonObject &entry);
    void readObservation(int entry, const QJsonObject &resource);
    void readMeasurement(int entry, FhirTerms::Measure measure, const QJsonObject &resource);
    void readQuestionnaireResponse(const QJsonObject &resource);
    // The case code of a subject, or why there is none.
    bool subjectCode(const QJsonObject &resource, QString *code, QString *problem) const;

    QString m_caseCodeSystem;
    QString m_error;
    QVector<Measurement> m_measurements;
    QHash<QString, CaseDetails> m_details;
    Skipped m_skipped;
    // Patients by fullUrl and by "Patient/id": their case code, empty where they have none.
    QHash<QString, QString> m_patientCodes;
    QHash<QString, int> m_patientEntries;
};

#endif // FHIRBUNDLEREADER_H
