#ifndef DATABASELOCATION_H
#define DATABASELOCATION_H

#include <QString>

// Where the case book lives: a SQLite file on this computer, or a database on the clinic's
// PostgreSQL server named by a libpq connection string ("host=… dbname=… user=…" or
// "service=…"). Text that starts with "keyword=" is a connection string, anything else a path.
class DatabaseLocation
{
public:
    enum class Kind { File, Server, Invalid };

    static DatabaseLocation file(const QString &path);
    static DatabaseLocation fromText(const QString &text);
    static bool isConnectionString(const QString &text);

    // TELMA_DATABASE if set, else the "Database…" setting, else the given default file.
    static DatabaseLocation current(const QString &defaultFile);

    Kind kind() const { return m_kind; }
    bool isServer() const { return m_kind == Kind::Server; }
    QString filePath() const { return m_kind == Kind::File ? m_text : QString(); }
    QString connectionString() const { return m_kind == Kind::Server ? m_text : QString(); }
    // Why the text cannot be used (Invalid only), in plain words.
    QString problem() const { return m_problem; }
    // The path or connection string as given, usable or not.
    QString text() const { return m_text; }
    // For messages: the file, or the server connection without any password.
    QString description() const;

private:
    Kind m_kind = Kind::Invalid;
    QString m_text;
    QString m_problem;
};

#endif // DATABASELOCATION_H
