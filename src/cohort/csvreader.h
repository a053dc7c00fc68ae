#ifndef CSVREADER_H
#define CSVREADER_H

#include <csv.h>

#include <QtGlobal>

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One record of a CSV file: its fields, valid until the next record, and the line it starts on.
struct CsvRow {
    std::vector<std::string_view> fields;
    // Per field: it holds the delimiter, a quote or a line break, so writing it back needs quotes.
    std::vector<bool> needsQuotes;
    qint64 line = 0;
};

// Splits RFC 4180 text (quoted fields, doubled quotes, line breaks inside quotes, LF or CRLF)
// into records with libcsv, block by block, so that memory does not grow with the file.
// Fields keep their spaces; blank lines are no records but count as lines.
class CsvReader
{
public:
    using RowHandler = std::function<void(const CsvRow &)>;

    CsvReader(char delimiter, RowHandler handler);
    ~CsvReader();
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // Parses the next block, handing every record it completes to the handler.
    // False when a field exceeds the largest accepted size; the reader is then unusable.
    bool parse(const char *data, size_t size);
    // Hands over the last record when the text does not end with a line break.
    bool finish();

    // The line the reader has reached, for a message about a failed parse.
    qint64 line() const { return m_line; }

    // A field longer than this stops the reading: no table holds one, a binary file might.
    static constexpr size_t MaxFieldSize = 16 * 1024 * 1024;

private:
    static void onField(void *text, size_t size, void *reader);
    static void onRecordEnd(int terminator, void *reader);
    static void *limitedRealloc(void *memory, size_t size);

    enum ByteKind : unsigned char { NeedsQuotes = 1, LineBreak = 2 };

    csv_parser m_parser;
    std::array<unsigned char, 256> m_kinds;
    RowHandler m_handler;
    std::string m_text;            // the fields of the current record, one after another
    std::vector<size_t> m_ends;    // where each field ends in m_text
    CsvRow m_row;
    qint64 m_line = 1;
    qint64 m_breaksInFields = 0;   // line breaks inside quoted fields of the current record
    bool m_afterCarriageReturn = false;
};

#endif // CSVREADER_H
