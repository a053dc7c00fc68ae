#ifndef CODELINES_H
#define CODELINES_H

#include <QPair>
#include <QString>
#include <QVector>

// The line each code of a file came on first, for finding a code used twice among any number
// of rows in bounded memory: each code is kept as a 64-bit hash of its fold with its line, in
// a private database in a temporary file that is gone when this is (its page cache is the
// memory it takes). Two codes with the same hash are told apart by the caller, which still
// has the earlier code, or finds it in the case book, when a hash comes again.
class CodeLines
{
public:
    CodeLines();
    ~CodeLines();
    CodeLines(const CodeLines &) = delete;
    CodeLines &operator=(const CodeLines &) = delete;

    static quint64 hashOf(const QString &fold);

    // Opens an empty table; false with error set when the temporary file cannot be made.
    bool open(QString *error);
    // For each (hash, line) of a batch, in order of lines, the line that hash came on first
    // in this or an earlier batch, or 0 when it is new; the new ones are kept.
    bool firstLines(const QVector<QPair<quint64, qint64>> &batch, QVector<qint64> *earlier,
                    QString *error);

private:
    QString m_connection;
};

#endif // CODELINES_H
