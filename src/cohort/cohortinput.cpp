#include "cohortinput.h"

#include "cohorttr.h"
#include "textcheck.h"

#include <QElapsedTimer>
#include <QIODevice>
#include <QStringDecoder>

#include <cstring>
#include <optional>

namespace {

const char byteOrderMark[] = "\xEF\xBB\xBF";

// The delimiter that separates the most names of the header line, outside quotes.
char likelyDelimiter(const QByteArray &headerLine, bool commaAllowed)
{
    int counts[3] = {0, 0, 0};
    const char candidates[3] = {',', ';', '\t'};
    bool quoted = false;
    for (char c : headerLine) {
        if (c == '"')
            quoted = !quoted;
        for (int i = 0; i < 3 && !quoted; ++i)
            counts[i] += c == candidates[i];
    }
    int best = 0;
    for (int i = 1; i < 3; ++i) {
        if (counts[i] > counts[best])
            best = i;
    }
    if (counts[best] == 0)
        return commaAllowed ? ',' : ';';
    return candidates[best];
}

// Why the fields of row cannot be taken as text, column by column ("code: holds a NUL character
// at byte 3"), or an empty text. Any field may hold tabs and line breaks here; a column with a
// stricter rule (a code) applies it where the field is used.
QString textFaults(const CsvRow &row, const QStringList &names)
{
    // A record copied as it came is its fields and delimiters: one look at it is enough.
    if (!row.text.empty() && !TextCheck::check(row.text, TextCheck::Paragraphs))
        return QString();
    QString faults;
    for (size_t i = 0; i < row.fields.size(); ++i) {
        const TextCheck::Fault fault = TextCheck::check(row.fields[i], TextCheck::Paragraphs);
        if (!fault)
            continue;
        if (!faults.isEmpty())
            faults += QLatin1String("; ");
        faults += (qsizetype(i) < names.size() ? names.at(qsizetype(i))
                                               : CohortTr::tr("field %1").arg(i + 1))
                  + QLatin1String(": ") + fault.clause();
    }
    return faults;
}

} // namespace

CohortInput::CohortInput(QIODevice &device, const QString &name, const CohortReadOptions &options)
    : m_device(device)
    , m_name(name)
    , m_options(options)
{
}

void CohortInput::fail(const QString &error)
{
    if (m_error.isEmpty())
        m_error = error;
}

void CohortInput::failTooLong(const CsvReader &csv)
{
    fail(CohortTr::tr("%1:%2: the record is longer than %3 MiB; is this a table?")
             .arg(m_name).arg(csv.recordLine())
             .arg(CsvReader::MaxRecordSize >> 20));
}

bool CohortInput::examineStart(const QByteArray &start)
{
    if (start.isEmpty()) {
        fail(CohortTr::tr("%1 is empty: a header line is required.").arg(m_name));
        return false;
    }
    qsizetype lineEnd = start.indexOf('\n');
    const QByteArray headerLine = start.left(lineEnd < 0 ? start.size() : lineEnd);
    m_crlf = headerLine.endsWith('\r');

    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString decoded = utf8(headerLine);
    // A NUL further on refuses its row; in the header line it gives a binary file away.
    if (headerLine.contains('\0') || utf8.hasError()) {
        fail(CohortTr::tr("%1 is not a text file (UTF-8 CSV with a header line).").arg(m_name));
        return false;
    }

    const bool commaDecimal = m_options.mark == DecimalMark::Comma;
    m_delimiter = m_options.delimiter ? m_options.delimiter : likelyDelimiter(headerLine, !commaDecimal);
    if (commaDecimal && m_delimiter == ',') {
        fail(CohortTr::tr("With decimal commas the delimiter of %1 cannot be a comma: "
                         "use a semicolon or a tab.").arg(m_name));
        return false;
    }
    return true;
}

bool CohortInput::read(const HeaderHandler &onHeader, const RecordHandler &onRecord)
{
    if (!m_device.isReadable()) {
        fail(CohortTr::tr("Cannot read %1: %2.").arg(m_name, m_device.errorString()));
        return false;
    }

    QByteArray block;
    const auto readBlock = [&]() -> bool {
        block.resize(BlockSize);
        const qint64 got = m_device.read(block.data(), BlockSize);
        if (got < 0) {
            fail(CohortTr::tr("Cannot read %1: %2.").arg(m_name, m_device.errorString()));
            return false;
        }
        block.resize(got);
        return true;
    };

    if (!readBlock())
        return false;
    // The header line must be whole for the delimiter to be found.
    while (!block.contains('\n') && size_t(block.size()) <= CsvReader::MaxRecordSize) {
        const QByteArray before = block;
        if (!readBlock())
            return false;
        if (block.isEmpty()) {
            block = before;
            break;
        }
        block.prepend(before);
    }
    if (block.startsWith(byteOrderMark)) {
        m_byteOrderMark = true;
        block.remove(0, 3);
    }
    if (!examineStart(block))
        return false;

    CohortColumns columns;
    QStringList names;
    std::optional<CohortRecordReader> records;
    CohortRecord record;
    bool headerSeen = false;
    const QByteArray fileName = m_name.toLocal8Bit();

    CsvReader csv(m_delimiter, [&](const CsvRow &row) {
        if (!m_error.isEmpty())
            return;
        if (!headerSeen) {
            headerSeen = true;
            for (size_t i = 0; i < row.fields.size(); ++i) {
                const TextCheck::Fault fault = TextCheck::check(row.fields[i], TextCheck::Line);
                if (fault) {
                    fail(CohortTr::tr("%1:%2: the header line's field %3 %4")
                             .arg(m_name).arg(row.line).arg(i + 1).arg(fault.clause()));
                    return;
                }
                names << QString::fromUtf8(row.fields[i].data(), qsizetype(row.fields[i].size()))
                             .trimmed();
            }
            QString error;
            if (!columns.find(row.fields, &error)) {
                fail(QStringLiteral("%1: %2").arg(m_name, error));
                return;
            }
            records.emplace(columns, m_options.mark);
            const QString refusal = onHeader(row, columns);
            if (!refusal.isEmpty())
                fail(QStringLiteral("%1: %2").arg(m_name, refusal));
            return;
        }
        ++m_rowsRead;
        bool accepted = records->read(row, &record);
        const QString faults = textFaults(row, names);
        if (!faults.isEmpty()) {
            record.error = record.error.isEmpty() ? faults : faults + QLatin1String("; ") + record.error;
            accepted = false;
        }
        if (!accepted) {
            ++m_rowsRefused;
            if (m_refusals) {
                std::fprintf(m_refusals, "%s:%lld: %s\n", fileName.constData(),
                             static_cast<long long>(row.line), record.error.toUtf8().constData());
            }
        }
        onRecord(row, record);
    });

    const qint64 total = m_device.isSequential() ? 0 : m_device.size();
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    bool shownProgress = false;
    while (!block.isEmpty() && m_error.isEmpty()) {
        if (!csv.parse(block.constData(), size_t(block.size()))) {
            failTooLong(csv);
            return false;
        }
        if (m_progress && total > 0 && sinceProgress.elapsed() >= 500) {
            const QString read = CohortTr::tr("%1: %2% read").arg(m_name).arg(100 * m_device.pos() / total);
            std::fprintf(stderr, "\r%s", qUtf8Printable(read));
            std::fflush(stderr);
            shownProgress = true;
            sinceProgress.restart();
        }
        if (!readBlock())
            return false;
    }
    if (shownProgress)
        std::fprintf(stderr, "\r\033[K");
    if (m_error.isEmpty() && !csv.finish()) {
        if (csv.tooLong())
            failTooLong(csv);
        else
            fail(CohortTr::tr("%1: the file ends inside a field.").arg(m_name));
    }
    if (m_error.isEmpty() && !headerSeen)
        fail(CohortTr::tr("%1 has no header line.").arg(m_name));
    return m_error.isEmpty();
}
