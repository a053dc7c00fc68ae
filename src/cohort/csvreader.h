#ifndef CSVREADER_H
#define CSVREADER_H

#include <csv.h>

#include <QtGlobal>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// One record of a CSV file: its fields, valid until the next record, and the line it starts on.
struct CsvRow {
    std::vector<std::string_view> fields;
    // The record's own bytes without its line end, when they are the fields joined by the
    // delimiter (no quotes; spaces around fields kept); empty otherwise. Lets a writer copy
    // the record as it came.
    std::string_view text;
    qint64 line = 0;
};

// Splits RFC 4180 text (quoted fields, doubled quotes, line breaks inside quotes, LF or CRLF)
// into records with libcsv, so that memory does not grow with the file. The text is handed to
// libcsv one line at a time, which tells where each record starts and which bytes it came from.
// Spaces around unquoted fields are trimmed; blank lines are no records but count as lines.
// Lines are counted by their LF.
class CsvReader
{
public:
    using RowHandler = std::function<void(const CsvRow &)>;

    CsvReader(char delimiter, RowHandler handler);
    ~CsvReader();
    CsvReader(const CsvReader &) = delete;
    CsvReader &operator=(const CsvReader &) = delete;

    // Parses the next block, handing every record it completes to the handler.
    // False when a record exceeds the largest accepted size; the reader is then unusable.
    bool parse(const char *data, size_t size);
    // Hands over the last record when the text does not end with a line break.
    bool finish();

    // The line the reader has reached, for a message about a failed parse.
    qint64 line() const { return m_line; }
    // The parse failed because a record is longer than MaxRecordSize (a field of it, when
    // parse() failed without this); it starts on recordLine().
    bool tooLong() const { return m_tooLong; }
    qint64 recordLine() const { return m_recordLine; }

    // A record (its bytes, or its fields with what each costs to hold) longer than this stops
    // the reading: no table holds one, a binary file might, and memory stays bounded.
    static constexpr size_t MaxRecordSize = 1024 * 1024;

private:
    static void onField(void *text, size_t size, void *reader);
    static void onRecordEnd(int terminator, void *reader);
    static void *limitedRealloc(void *memory, size_t size);
    std::string_view recordText();
    // Hands over a whole line (ending in LF) that needs no CSV parser; false when it does.
    bool splitPlainLine(std::string_view line);
    bool libcsvBetweenRows() const;

    csv_parser m_parser;
    char m_delimiter;
    RowHandler m_handler;
    std::string m_text;            // the fields of the current record, one after another
    std::vector<size_t> m_ends;    // where each field ends in m_text
    std::string_view m_chunk;      // the line being parsed
    bool m_chunkEnded = false;     // a record or blank line ended in m_chunk
    std::string m_raw;             // the bytes of a record that began on an earlier line
    bool m_textLost = false;       // a lone CR hides where the current bytes belong
    bool m_tooLong = false;        // the current record passed MaxRecordSize
    bool m_previousChunkEnded = true;
    CsvRow m_row;
    qint64 m_line = 1;             // the line being parsed
    qint64 m_recordLine = 1;       // the line the current record started on
};

#endif // CSVREADER_H
