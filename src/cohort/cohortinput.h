#ifndef COHORTINPUT_H
#define COHORTINPUT_H

#include "cohortcolumns.h"
#include "cohortrecord.h"
#include "csvreader.h"

#include <QString>

#include <cstdio>
#include <functional>

class QIODevice;

// How to read a cohort file: the delimiter (0: found from the header line) and the decimal mark.
struct CohortReadOptions {
    char delimiter = 0;
    DecimalMark mark = DecimalMark::Point;
};

// Streams a cohort file: finds its delimiter, reads its header and checks every row, in
// blocks, so that memory does not grow with the number of rows. Every refused row is also
// listed on the refusal stream (standard error) with its line number.
class CohortInput
{
public:
    // Returns why the header cannot be used, or an empty text.
    using HeaderHandler = std::function<QString(const CsvRow &header, const CohortColumns &columns)>;
    using RecordHandler = std::function<void(const CsvRow &row, const CohortRecord &record)>;

    CohortInput(QIODevice &device, const QString &name, const CohortReadOptions &options);

    // Reads everything. False on a file error (unreadable, not text, no header line, a
    // required column missing), which error() states in one sentence.
    bool read(const HeaderHandler &onHeader, const RecordHandler &onRecord);

    QString error() const { return m_error; }
    char delimiter() const { return m_delimiter; }
    DecimalMark decimalMark() const { return m_options.mark; }
    bool hadByteOrderMark() const { return m_byteOrderMark; }
    // The line end of the header line, for writing the file back the way it came.
    const char *lineEnd() const { return m_crlf ? "\r\n" : "\n"; }
    qint64 rowsRead() const { return m_rowsRead; }
    qint64 rowsRefused() const { return m_rowsRefused; }

    // Where refused rows are listed; nullptr lists them nowhere.
    void setRefusalStream(std::FILE *stream) { m_refusals = stream; }
    // Shows how far the reading is on standard error (for large files on a terminal).
    void setProgressShown(bool shown) { m_progress = shown; }

    static constexpr qint64 BlockSize = 1 << 20;

private:
    bool examineStart(const QByteArray &start);
    void fail(const QString &error);
    void failTooLong(const CsvReader &csv);

    QIODevice &m_device;
    QString m_name;
    CohortReadOptions m_options;
    QString m_error;
    char m_delimiter = ',';
    bool m_byteOrderMark = false;
    bool m_crlf = false;
    qint64 m_rowsRead = 0;
    qint64 m_rowsRefused = 0;
    std::FILE *m_refusals = stderr;
    bool m_progress = false;
};

#endif // COHORTINPUT_H
