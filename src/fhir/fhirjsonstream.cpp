#include "fhirjsonstream.h"

#include "fhirtr.h"

#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>

namespace {

constexpr qint64 BlockBytes = qint64(1) << 20;

bool isSpace(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

} // namespace

int FhirJsonStream::get()
{
    const int c = peek();
    if (c >= 0)
        ++m_at;
    return c;
}

int FhirJsonStream::peek()
{
    if (m_at == m_buffer.size()) {
        m_offset += m_buffer.size();
        m_buffer = m_device->read(BlockBytes);
        m_at = 0;
        if (m_buffer.isEmpty())
            return -1;
    }
    return static_cast<unsigned char>(m_buffer.at(m_at));
}

void FhirJsonStream::skipSpace()
{
    while (isSpace(peek()))
        ++m_at;
}

bool FhirJsonStream::fail(const QString &what, qint64 at)
{
    m_error = FhirTr::tr("%1 at byte %2").arg(what).arg(at);
    return false;
}

// Copies one JSON value as it stands: a string with its escapes, an object or array to its
// matching close, or a bare number, true, false or null.
bool FhirJsonStream::capture(QByteArray *value, qint64 limit)
{
    value->clear();
    const qint64 start = m_offset + m_at;
    const auto tooLarge = [&] {
        return fail(FhirTr::tr("an entry is larger than %1 MB").arg(limit >> 20), start);
    };
    int c = peek();
    if (c != '"' && c != '{' && c != '[') {
        while ((c = peek()) >= 0 && !isSpace(c) && c != ',' && c != '}' && c != ']') {
            value->append(char(get()));
            if (value->size() > limit)
                return tooLarge();
        }
        return value->isEmpty() ? fail(FhirTr::tr("a missing value"), start) : true;
    }
    int depth = 0;
    do {
        c = get();
        if (c < 0)
            return fail(FhirTr::tr("the file ends inside a value"), m_offset + m_at);
        value->append(char(c));
        if (c == '"') {
            while ((c = get()) != '"') {
                if (c < 0)
                    return fail(FhirTr::tr("the file ends inside a string"), m_offset + m_at);
                value->append(char(c));
                if (c == '\\') {
                    if ((c = get()) < 0)
                        return fail(FhirTr::tr("the file ends inside a string"), m_offset + m_at);
                    value->append(char(c));
                }
            }
            value->append('"');
        } else if (c == '{' || c == '[') {
            ++depth;
        } else if (c == '}' || c == ']') {
            --depth;
        }
        if (value->size() > limit)
            return tooLarge();
    } while (depth > 0);
    return true;
}

bool FhirJsonStream::walk(QIODevice &device, const Handlers &handlers)
{
    m_device = &device;
    m_buffer.clear();
    m_at = 0;
    m_offset = 0;
    m_error.clear();
    if (!device.seek(0))
        return fail(FhirTr::tr("the file cannot be read again"), 0);

    // Each piece is parsed on its own; its errors are placed in the file.
    const auto parse = [this](const QByteArray &text, qint64 start, bool wrapped, QJsonDocument *document) {
        QJsonParseError error;
        *document = QJsonDocument::fromJson(wrapped ? '[' + text + ']' : text, &error);
        if (error.error == QJsonParseError::NoError)
            return true;
        return fail(error.errorString(), start + qMax(0, error.offset - (wrapped ? 1 : 0)));
    };

    skipSpace();
    if (peek() != '{') {
        if (peek() == '[')
            m_error = FhirTr::tr("it holds no resource");
        else
            fail(FhirTr::tr("not a JSON object"), m_offset + m_at);
        return false;
    }
    get();
    skipSpace();
    if (peek() == '}')
        get();
    else for (;;) {
        skipSpace();
        QByteArray text;
        qint64 start = m_offset + m_at;
        if (peek() != '"')
            return fail(FhirTr::tr("a member without a name"), start);
        if (!capture(&text, BlockBytes))
            return false;
        QJsonDocument document;
        if (!parse(text, start, true, &document))
            return false;
        const QString key = document.array().at(0).toString();
        skipSpace();
        if (get() != ':')
            return fail(FhirTr::tr("a missing colon"), m_offset + m_at - 1);
        skipSpace();
        if (key == QLatin1String("entry") && peek() == '[') {
            get();
            skipSpace();
            if (peek() == ']')
                get();
            else for (int index = 0;; ++index) {
                skipSpace();
                start = m_offset + m_at;
                if (!capture(&text, MaxEntryBytes) || !parse(text, start, true, &document))
                    return false;
                handlers.entry(index, document.array().at(0).toObject());
                skipSpace();
                const int separator = get();
                if (separator == ']')
                    break;
                if (separator != ',')
                    return fail(FhirTr::tr("a missing comma"), m_offset + m_at - 1);
            }
        } else {
            start = m_offset + m_at;
            if (!capture(&text, MaxEntryBytes) || !parse(text, start, true, &document))
                return false;
            handlers.member(key, document.array().at(0));
        }
        skipSpace();
        const int separator = get();
        if (separator == '}')
            break;
        if (separator != ',')
            return fail(FhirTr::tr("a missing comma"), m_offset + m_at - 1);
    }
    skipSpace();
    if (peek() >= 0)
        return fail(FhirTr::tr("more text after the object"), m_offset + m_at);
    return true;
}
