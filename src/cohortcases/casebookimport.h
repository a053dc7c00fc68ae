#ifndef CASEBOOKIMPORT_H
#define CASEBOOKIMPORT_H

#include "caserecord.h"
#include "cohortinput.h"
#include "visit.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QVector>

#include <cstdio>

class CaseStore;

// Adds every row of a cohort file to the case book as a case, with its observed BMI of month
// K as a visit dated baseline + K months: all rows in one transaction, or none when any row
// is refused. A row is refused when its code is missing, repeated or already in the book, its
// baseline date or height fails, a predictor fails the window's check, or a visit cannot be
// stored; every refused row is listed with its line number.
class CaseBookImport
{
public:
    enum Outcome { Imported, RowsRefused, Failed };
    struct Refusal {
        qint64 line = 0;
        QString reason; // "column: why", several joined by "; "
    };

    CaseBookImport(CaseStore &store, const QString &modelVersion);

    Outcome run(CohortInput &input);

    // The refused rows by line; with RowsRefused, nothing was stored.
    const QVector<Refusal> &refusals() const { return m_refusals; }
    // Why the file or the case book could not be used (Failed).
    QString error() const { return m_error; }
    qint64 rowsRead() const { return m_records.size(); }

private:
    void readRow(const CsvRow &row, const CohortColumns &columns, const CohortRecord &cohort);
    // Refuses the rows whose codes the book already holds; false when it cannot be read.
    bool refuseCodesInBook();

    CaseStore &m_store;
    QString m_modelVersion;
    DecimalMark m_mark = DecimalMark::Point;
    QVector<CaseRecord> m_records;
    QVector<QList<Visit>> m_visits;
    QHash<QString, qint64> m_lineOfCode; // by folded code
    QVector<Refusal> m_refusals;
    QString m_error;
};

#endif // CASEBOOKIMPORT_H
