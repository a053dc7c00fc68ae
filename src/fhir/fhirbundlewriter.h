#ifndef FHIRBUNDLEWRITER_H
#define FHIRBUNDLEWRITER_H

#include "fhircase.h"
#include "fhirterms.h"

#include <QJsonObject>
#include <QString>
#include <QVector>

#include <functional>

class QIODevice;

// Cases and their visits as one FHIR R4 Bundle of type "collection". The person is known
// by the case code alone; measurements are vital signs, what the model uses and predicts
// stays under our own code systems so that no reader takes it for a measurement.
class FhirBundleWriter
{
public:
    explicit FhirBundleWriter(const QString &caseCodeSystem = FhirTerms::DefaultCaseCodeSystem);

    QJsonObject bundle(const QVector<FhirCase> &cases) const;
    // Written only once it is whole, readable by the owner only; error says why not.
    bool save(const QString &fileName, const QVector<FhirCase> &cases, QString *error) const;

    // The same Bundle, as the same indented JSON text, written to device a case at a time,
    // so that a whole book need not be held: each hands every case to the function it is
    // given, which writes it. False when the device fails or each does.
    using CaseSource = std::function<bool(const std::function<bool(const FhirCase &)> &)>;
    bool write(QIODevice *device, const CaseSource &each) const;
    bool save(const QString &fileName, const CaseSource &each, QString *error) const;

private:
    QString m_caseCodeSystem;
};

#endif // FHIRBUNDLEWRITER_H
