#ifndef CSVWRITER_H
#define CSVWRITER_H

#include "numberfield.h"

#include <QString>

#include <string>
#include <string_view>

class QIODevice;

// Writes CSV records to a device through a large buffer, quoting a field only where
// RFC 4180 needs it, and numbers in the shortest text that reads back to the same double.
class CsvWriter
{
public:
    CsvWriter(QIODevice &device, char delimiter, const char *lineEnd, DecimalMark mark);

    void field(std::string_view text);
    // Fields already joined by the delimiter and needing no quotes, as a reader found them.
    void fields(std::string_view text);
    void number(double value);
    void emptyField();
    void endRecord();
    // Raw bytes, e.g. a byte-order mark.
    void raw(std::string_view bytes) { m_buffer.append(bytes); }

    // Writes what is buffered. False when the device refused it; error() says why.
    bool flush();
    QString error() const { return m_error; }

private:
    void separate();

    QIODevice &m_device;
    char m_delimiter;
    const char *m_lineEnd;
    DecimalMark m_mark;
    bool m_recordStarted = false;
    std::string m_buffer;
    QString m_error;
};

#endif // CSVWRITER_H
