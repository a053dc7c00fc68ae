#ifndef CASEBOOKIMPORT_H
#define CASEBOOKIMPORT_H

#include "caserecord.h"
#include "codelines.h"
#include "cohortinput.h"
#include "visit.h"

#include <QList>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

class CaseBatches;
class CaseStore;

// Adds every row of a cohort file to the case book as a case, with its observed BMI of month
// K as a visit dated baseline + K months: all rows in one transaction, or none when any row
// is refused. A row is refused when its code is missing, repeated or already in the book, its
// baseline date or height fails, a predictor fails the window's check, or a visit cannot be
// stored; every refused row is listed with its line number.
// The rows go into the transaction in batches as they are read, so that memory does not grow
// with the file (the codes seen so far are kept in a temporary file, see CodeLines); after the
// first refusal nothing more is written, and the rest of the file is still checked.
class CaseBookImport
{
public:
    enum Outcome { Imported, RowsRefused, Failed };
    struct Refusal {
        qint64 line = 0;
        QString reason; // "column: why", several joined by "; "
    };
    using RefusalHandler = std::function<void(const Refusal &)>;

    // A batch ends after this many rows, or once its records hold BatchBytes.
    static constexpr int BatchRows = 1000;
    static constexpr qint64 BatchBytes = 4 << 20;

    CaseBookImport(CaseStore &store, const QString &modelVersion);
    ~CaseBookImport();

    // Each refused row is handed over in order of lines as soon as it is known; without a
    // handler they are kept for refusals().
    void setRefusalHandler(RefusalHandler handler) { m_onRefusal = std::move(handler); }

    Outcome run(CohortInput &input);

    // The refused rows by line, when no handler takes them; with RowsRefused, nothing was stored.
    const QVector<Refusal> &refusals() const { return m_refusals; }
    qint64 refusalCount() const { return m_refusalCount; }
    // Why the file or the case book could not be used (Failed).
    QString error() const { return m_error; }
    qint64 rowsRead() const { return m_rowsRead; }

private:
    struct Row {
        qint64 line = 0;
        CaseRecord record;
        QList<Visit> visits;
        QString before; // the refusals said before the code's, and after it
        QString after;
        QString codeClause; // why the code itself is refused
        QString fold;       // empty when the code is not compared with others
        qint64 earlierLine = 0; // where a code of the same hash came first
        bool repeated = false;
        bool inBook = false;
    };

    void readRow(const CsvRow &row, const CohortColumns &columns, const CohortRecord &cohort);
    // Checks the batch's codes against each other and the book, lists its refusals and,
    // while nothing was refused, writes it; false when the book cannot be used. The last
    // batch of a file that has only one is written as one change of the store's own.
    bool finishBatch(bool last);
    bool findEarlierLines();
    bool checkCodes();
    bool findCodesInBook(const QVector<Row *> &rows);
    bool writeBatch(bool alone);
    void stopWriting();
    void refuse(qint64 line, const QString &reason);
    // The refused write of a batch whose code another writer took meanwhile: the rows whose
    // codes are in the book now are named as taken before.
    void refuseCodesTakenMeanwhile();

    CaseStore &m_store;
    QString m_modelVersion;
    DecimalMark m_mark = DecimalMark::Point;
    std::unique_ptr<CaseBatches> m_batches;
    bool m_writing = true;  // false once anything was refused or could not be written
    QString m_writeError;   // why the batches could not be written
    QVector<Row> m_batch;
    qint64 m_batchBytes = 0;
    CodeLines m_codeLines;
    RefusalHandler m_onRefusal;
    QVector<Refusal> m_refusals;
    qint64 m_refusalCount = 0;
    qint64 m_rowsRead = 0;
    QString m_error;
};

#endif // CASEBOOKIMPORT_H
