#ifndef FHIRJSONSTREAM_H
#define FHIRJSONSTREAM_H

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <functional>

class QIODevice;

// Walks a Bundle's JSON from a device a piece at a time: each member of the top-level object
// but "entry" whole, and the elements of "entry" one by one, so that memory holds one entry
// and never the whole file. Each piece is parsed by QJsonDocument, which checks it; between
// pieces only strings, nesting and separators are looked at.
class FhirJsonStream
{
public:
    // An entry larger than this is refused with its place in the file.
    static constexpr qint64 MaxEntryBytes = qint64(4) << 20;

    struct Handlers {
        std::function<void(const QString &key, const QJsonValue &value)> member;
        // index counts from 0; a value that is not an object is handed on as an empty one.
        std::function<void(int index, const QJsonObject &entry)> entry;
    };

    // One pass from the device's start. False when the text is not one JSON object, or when
    // a piece is unreadable or too large; error() then says what and at which byte.
    bool walk(QIODevice &device, const Handlers &handlers);
    QString error() const { return m_error; }

private:
    int get();
    int peek();
    void skipSpace();
    bool capture(QByteArray *value, qint64 limit);
    bool fail(const QString &what, qint64 at);

    QIODevice *m_device = nullptr;
    QByteArray m_buffer;
    qsizetype m_at = 0;
    qint64 m_offset = 0; // of m_buffer's first byte in the file
    QString m_error;
};

#endif // FHIRJSONSTREAM_H
