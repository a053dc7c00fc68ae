#ifndef FHIRIMPORT_H
#define FHIRIMPORT_H

#include "fhirbundlereader.h"
#include "fhirterms.h"

#include <QString>
#include <QVector>

class FhirCaseBook;

// Adds the measurements of a FHIR Bundle to the case book as visits of the cases their
// patients' codes name, and recreates the cases of a Bundle we exported where the book
// lacks them. One unusable measurement refuses the whole import: nothing is stored, and
// each is listed by its entry. Otherwise everything goes in one transaction; what the book
// already holds is reported and not stored twice.
class FhirImport
{
public:
    enum Outcome { Imported, Refused, Failed };
    struct Note {
        int entry = 0; // counted from 1
        QString text;
    };

    explicit FhirImport(FhirCaseBook &book,
                        const QString &caseCodeSystem = FhirTerms::DefaultCaseCodeSystem);

    Outcome runFile(const QString &fileName);
    Outcome run(const QByteArray &bytes);

    // Why the file or the case book could not be used (Failed).
    QString error() const { return m_error; }
    // The unusable measurements by entry (Refused).
    const QVector<Note> &refusals() const { return m_refusals; }
    // What was not stored although usable: already in the book, on a baseline date, a
    // height the case already has.
    const QVector<Note> &notes() const { return m_notes; }
    const FhirBundleReader::Skipped &skipped() const { return m_reader.skipped(); }
    int visitsAdded() const { return m_visitsAdded; }
    int casesAdded() const { return m_casesAdded; }
    // One or two sentences of what was done.
    QString summary() const;

private:
    struct Target;
    Outcome plan();

    FhirCaseBook &m_book;
    FhirBundleReader m_reader;
    QString m_error;
    QVector<Note> m_refusals;
    QVector<Note> m_notes;
    int m_visitsAdded = 0;
    int m_casesAdded = 0;
    int m_casesWithVisits = 0;
};

#endif // FHIRIMPORT_H
