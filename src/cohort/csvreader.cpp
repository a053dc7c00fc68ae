#include "csvreader.h"

#include <cstdlib>

namespace {

// Spaces belong to the field: columns we only pass through must come back as they were.
int noSpace(unsigned char)
{
    return 0;
}

} // namespace

CsvReader::CsvReader(char delimiter, RowHandler handler)
    : m_handler(std::move(handler))
{
    // CSV_REPALL_NL reports line breaks between records too, so that lines can be counted.
    csv_init(&m_parser, CSV_REPALL_NL);
    csv_set_delim(&m_parser, static_cast<unsigned char>(delimiter));
    csv_set_space_func(&m_parser, noSpace);
    csv_set_realloc_func(&m_parser, limitedRealloc);

    m_kinds.fill(0);
    for (char c : {'"', '\r', delimiter})
        m_kinds[static_cast<unsigned char>(c)] = NeedsQuotes;
    m_kinds['\n'] = NeedsQuotes | LineBreak;
}

CsvReader::~CsvReader()
{
    csv_free(&m_parser);
}

void *CsvReader::limitedRealloc(void *memory, size_t size)
{
    return size > MaxFieldSize + 1024 ? nullptr : std::realloc(memory, size);
}

bool CsvReader::parse(const char *data, size_t size)
{
    return csv_parse(&m_parser, data, size, onField, onRecordEnd, this) == size;
}

bool CsvReader::finish()
{
    return csv_fini(&m_parser, onField, onRecordEnd, this) == 0;
}

void CsvReader::onField(void *text, size_t size, void *reader)
{
    auto *self = static_cast<CsvReader *>(reader);
    const char *begin = static_cast<const char *>(text);
    // One look at every byte finds both the line breaks and whether the field needs quotes.
    const unsigned char *kindOf = self->m_kinds.data();
    unsigned kinds = 0;
    qint64 breaks = 0;
    for (size_t i = 0; i < size; ++i) {
        const unsigned kind = kindOf[static_cast<unsigned char>(begin[i])];
        kinds |= kind;
        breaks += kind >> 1;
    }
    self->m_breaksInFields += breaks;
    self->m_text.append(begin, size);
    self->m_ends.push_back(self->m_text.size());
    self->m_row.needsQuotes.push_back(kinds & NeedsQuotes);
}

void CsvReader::onRecordEnd(int terminator, void *reader)
{
    auto *self = static_cast<CsvReader *>(reader);
    if (self->m_ends.empty()) {
        // A line break between records: CR LF is one line end, a lone CR or LF another.
        if (!(terminator == '\n' && self->m_afterCarriageReturn))
            ++self->m_line;
        self->m_afterCarriageReturn = terminator == '\r';
        return;
    }

    CsvRow &row = self->m_row;
    row.fields.clear();
    size_t begin = 0;
    for (size_t end : self->m_ends) {
        row.fields.emplace_back(self->m_text.data() + begin, end - begin);
        begin = end;
    }
    row.line = self->m_line;
    self->m_handler(row);

    self->m_line += self->m_breaksInFields + (terminator >= 0 ? 1 : 0);
    self->m_afterCarriageReturn = terminator == '\r';
    self->m_breaksInFields = 0;
    self->m_text.clear();
    self->m_ends.clear();
    row.needsQuotes.clear();
}
