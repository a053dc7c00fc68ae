#include "csvwriter.h"

#include <QIODevice>

#include <charconv>

namespace {

constexpr size_t FlushSize = 1 << 20;

} // namespace

CsvWriter::CsvWriter(QIODevice &device, char delimiter, const char *lineEnd, DecimalMark mark)
    : m_device(device)
    , m_delimiter(delimiter)
    , m_lineEnd(lineEnd)
    , m_mark(mark)
{
    m_buffer.reserve(FlushSize + 4096);
}

void CsvWriter::separate()
{
    if (m_recordStarted)
        m_buffer.push_back(m_delimiter);
    m_recordStarted = true;
}

void CsvWriter::field(std::string_view text)
{
    // Readers (libcsv among them) trim spaces and tabs around an unquoted field: a field that
    // begins or ends with one keeps it only in quotes.
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    bool needsQuotes = !text.empty() && (isBlank(text.front()) || isBlank(text.back()));
    for (char c : text) {
        if (c == m_delimiter || c == '"' || c == '\n' || c == '\r') {
            needsQuotes = true;
            break;
        }
    }
    separate();
    if (!needsQuotes) {
        m_buffer.append(text);
        return;
    }
    m_buffer.push_back('"');
    for (char c : text) {
        if (c == '"')
            m_buffer.push_back('"');
        m_buffer.push_back(c);
    }
    m_buffer.push_back('"');
}

void CsvWriter::fields(std::string_view text)
{
    separate();
    m_buffer.append(text);
}

void CsvWriter::number(double value)
{
    separate();
    char text[32];
    // Without a precision to_chars gives the shortest text that reads back exactly.
    const auto result = std::to_chars(text, text + sizeof text, value);
    if (m_mark == DecimalMark::Comma) {
        for (char *c = text; c != result.ptr; ++c) {
            if (*c == '.')
                *c = ',';
        }
    }
    m_buffer.append(text, result.ptr);
}

void CsvWriter::emptyField()
{
    separate();
}

void CsvWriter::endRecord()
{
    m_buffer.append(m_lineEnd);
    m_recordStarted = false;
    if (m_buffer.size() >= FlushSize)
        flush();
}

bool CsvWriter::flush()
{
    if (!m_error.isEmpty())
        return false;
    if (!m_buffer.empty() && m_device.write(m_buffer.data(), qint64(m_buffer.size())) != qint64(m_buffer.size())) {
        m_error = m_device.errorString();
        return false;
    }
    m_buffer.clear();
    return true;
}
