#ifndef CASEBOOKCOHORT_H
#define CASEBOOKCOHORT_H

#include "caserecord.h"
#include "cohortrecord.h"

#include <QString>
#include <QVector>

#include <array>
#include <functional>

class CaseStore;
class QIODevice;

// The case book seen as a cohort file: every case with the observed BMI of months 1 to 6
// taken from its visits. Exported in the case book's own CSV columns plus bmi_month_1 to
// bmi_month_6, which telma-cohort reads back.
class CaseBookCohort
{
public:
    struct Row {
        CaseRecord record;
        std::array<double, CourseMonths> observed; // NaN where not observed
    };

    // Every case with its observed months, in order of code, handed to each one at a time,
    // read a page at a time (see CaseStore::forEachCase).
    // False when the book cannot be read (the store says why) or each returned false.
    static bool forEach(CaseStore &store, const std::function<bool(const Row &)> &each);
    // Reads every case and visit. False when the book cannot be read; the store says why.
    bool read(CaseStore &store);
    const QVector<Row> &rows() const { return m_rows; }

    // A row as validate sees it: refused (with the reason) when a predictor fails its check.
    static CohortRecord cohortRecord(const Row &row);
    // Why validate refuses a case with these predictors ("name: value is outside …; …"), or
    // empty.
    static QString predictorProblems(const PredictorValues &predictors);

    // Header and one line per case, each ended by CR LF.
    bool write(QIODevice *device) const;
    // Writes to fileName only once it is whole, readable by the owner only; error says why not.
    bool save(const QString &fileName, QString *error) const;
    // The same for the whole book as it is read, each row also handed to seen: *readFailed
    // tells a book that could not be read (the store says why) from a device that failed.
    static bool writeBook(CaseStore &store, QIODevice *device,
                          const std::function<void(const Row &)> &seen, bool *readFailed);
    static bool saveBook(CaseStore &store, const QString &fileName,
                         const std::function<void(const Row &)> &seen, QString *error);
    static QByteArray headerLine();
    static QByteArray line(const Row &row);

private:
    QVector<Row> m_rows;
};

#endif // CASEBOOKCOHORT_H
