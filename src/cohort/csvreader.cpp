#include "csvreader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

CsvReader::CsvReader(char delimiter, RowHandler handler)
    : m_delimiter(delimiter)
    , m_handler(std::move(handler))
{
    // CSV_REPALL_NL reports line breaks between records too, which ends a blank line. libcsv
    // trims spaces around unquoted fields; a record copied whole keeps them.
    csv_init(&m_parser, CSV_REPALL_NL);
    csv_set_delim(&m_parser, static_cast<unsigned char>(delimiter));
    csv_set_realloc_func(&m_parser, limitedRealloc);
}

CsvReader::~CsvReader()
{
    csv_free(&m_parser);
}

void *CsvReader::limitedRealloc(void *memory, size_t size)
{
    return size > MaxRecordSize + 1024 ? nullptr : std::realloc(memory, size);
}

bool CsvReader::parse(const char *data, size_t size)
{
    const char *const end = data + size;
    while (data < end) {
        const char *newline = static_cast<const char *>(std::memchr(data, '\n', size_t(end - data)));
        const char *lineEnd = newline ? newline + 1 : end;
        if (m_raw.empty() && libcsvBetweenRows())
            m_recordLine = m_line;
        m_chunk = std::string_view(data, size_t(lineEnd - data));
        // A lone CR ends a record (or a blank line) in the middle of a line, where the bytes of
        // what follows cannot be told apart: no record is copied whole until a clean line end.
        if (m_previousChunkEnded && m_raw.empty() && m_ends.empty())
            m_textLost = false;
        const void *carriageReturn = std::memchr(data, '\r', m_chunk.size());
        if (carriageReturn && !(newline && carriageReturn == newline - 1))
            m_textLost = true;
        if (m_previousChunkEnded && m_raw.empty() && m_ends.empty() && newline && libcsvBetweenRows()
            && splitPlainLine(m_chunk)) {
            ++m_line;
            data = lineEnd;
            continue;
        }
        m_previousChunkEnded = newline != nullptr;
        m_chunkEnded = false;
        if (csv_parse(&m_parser, data, m_chunk.size(), onField, onRecordEnd, this) != m_chunk.size()
            || m_tooLong)
            return false;
        // A record that goes on past this line keeps its bytes so far.
        if (!m_chunkEnded) {
            m_raw.append(m_chunk);
            if (m_raw.size() > MaxRecordSize) {
                m_tooLong = true;
                return false;
            }
        }
        if (newline)
            ++m_line;
        data = lineEnd;
    }
    m_chunk = {};
    return true;
}

bool CsvReader::libcsvBetweenRows() const
{
    // A quoted field opened after a lone CR has handed libcsv no field yet, so only its own
    // state tells that a record goes on; 0 is its "row not begun" (libcsv 3).
    return m_parser.pstate == 0 && m_parser.entry_pos == 0;
}

bool CsvReader::splitPlainLine(std::string_view line)
{
    // Only a short line without quotes or a CR but its CRLF's: there libcsv would cut the
    // fields exactly at the delimiters, trimming spaces and tabs around them, and no record
    // could pass the size limit (each field costs at most its bytes and 24 more).
    line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if ((line.size() + 2) * 25 > MaxRecordSize || std::memchr(line.data(), '"', line.size())
        || std::memchr(line.data(), '\r', line.size()))
        return false;
    // A delimiter never gets here: the fields are cut at it first.
    const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
    std::vector<std::string_view> &fields = m_row.fields;
    fields.clear();
    const char *const end = line.data() + line.size();
    for (const char *begin = line.data();;) {
        const char *cut = static_cast<const char *>(std::memchr(begin, m_delimiter, size_t(end - begin)));
        const char *fieldEnd = cut ? cut : end;
        const char *first = begin;
        while (first < fieldEnd && isSpace(*first))
            ++first;
        const char *last = fieldEnd;
        while (last > first && isSpace(last[-1]))
            --last;
        fields.emplace_back(first, size_t(last - first));
        if (!cut)
            break;
        begin = cut + 1;
    }
    // Spaces alone are a blank line, as for libcsv.
    if (fields.size() == 1 && fields.front().empty())
        return true;
    m_row.text = line;
    m_row.line = m_line;
    m_recordLine = m_line;
    m_handler(m_row);
    return true;
}

bool CsvReader::finish()
{
    // A record that ends with the input, not with a line end, may hold a lone CR or an open
    // quote whose bytes cannot be told apart from its fields: it is written field by field.
    m_textLost = true;
    return csv_fini(&m_parser, onField, onRecordEnd, this) == 0 && !m_tooLong;
}

void CsvReader::onField(void *text, size_t size, void *reader)
{
    auto *self = static_cast<CsvReader *>(reader);
    // A field costs its bytes and its place in the lists of ends and fields: many empty fields
    // must not outgrow the limit either.
    const size_t cost = self->m_text.size() + size + (self->m_ends.size() + 1) * (sizeof(size_t) + sizeof(std::string_view));
    if (self->m_tooLong || cost > MaxRecordSize) {
        self->m_tooLong = true;
        return;
    }
    self->m_text.append(static_cast<const char *>(text), size);
    self->m_ends.push_back(self->m_text.size());
}

std::string_view CsvReader::recordText()
{
    std::string_view raw = m_chunk;
    if (!m_raw.empty()) {
        m_raw.append(m_chunk);
        raw = m_raw;
    }
    if (!raw.empty() && raw.back() == '\n')
        raw.remove_suffix(1);
    if (!raw.empty() && raw.back() == '\r')
        raw.remove_suffix(1);
    if (raw.empty() || m_textLost)
        return {};
    // Without quotes and line ends inside, libcsv splits a record exactly at its delimiters
    // (trimming spaces around the fields), so the bytes are the record as it came.
    for (char c : {'"', '\r', '\n'}) {
        if (std::memchr(raw.data(), c, raw.size()))
            return {};
    }
    if (size_t(std::count(raw.begin(), raw.end(), m_delimiter)) + 1 != m_ends.size())
        return {};
    return raw;
}

void CsvReader::onRecordEnd(int, void *reader)
{
    auto *self = static_cast<CsvReader *>(reader);
    if (self->m_tooLong)
        return;
    if (!self->m_ends.empty()) {
        CsvRow &row = self->m_row;
        row.fields.clear();
        size_t begin = 0;
        for (size_t end : self->m_ends) {
            row.fields.emplace_back(self->m_text.data() + begin, end - begin);
            begin = end;
        }
        row.text = self->recordText();
        row.line = self->m_recordLine;
        self->m_handler(row);
        self->m_text.clear();
        self->m_ends.clear();
    }
    // The record, or the blank line, is over; one that follows a lone CR begins on this line.
    self->m_raw.clear();
    self->m_chunkEnded = true;
    self->m_recordLine = self->m_line;
}
