#include "codelines.h"

#include "cohortcasestr.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace {

bool fail(const QSqlError &why, QString *error)
{
    *error = CohortCasesTr::tr("The list of codes read so far cannot be kept in a temporary file: %1.")
                 .arg(why.text());
    return false;
}

bool run(QSqlQuery &query, QString *error)
{
    return query.exec() || fail(query.lastError(), error);
}

bool run(const QSqlDatabase &db, const QString &sql, QString *error)
{
    QSqlQuery query(db);
    return query.prepare(sql) && run(query, error);
}

} // namespace

CodeLines::CodeLines()
    : m_connection(QStringLiteral("telma-code-lines-%1").arg(quintptr(this)))
{
}

CodeLines::~CodeLines()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

quint64 CodeLines::hashOf(const QString &fold)
{
    // A fixed seed: the same code gives the same hash in every run.
    return quint64(qHash(QStringView(fold), size_t(0x9e3779b97f4a7c15ull)));
}

bool CodeLines::open(QString *error)
{
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.close();
    // No name: SQLite's own temporary file, removed as it is closed.
    db.setDatabaseName(QString());
    if (!db.open())
        return fail(db.lastError(), error);
    // Nothing to recover after a crash, and a few MiB of cache whatever the number of rows.
    return run(db, QStringLiteral("PRAGMA journal_mode = OFF"), error)
           && run(db, QStringLiteral("PRAGMA synchronous = OFF"), error)
           && run(db, QStringLiteral("PRAGMA cache_size = -4096"), error)
           && run(db, QStringLiteral("CREATE TABLE code_lines (hash INTEGER PRIMARY KEY, line INTEGER NOT NULL)"),
                  error);
}

bool CodeLines::firstLines(const QVector<QPair<quint64, qint64>> &batch, QVector<qint64> *earlier,
                           QString *error)
{
    const QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    QStringList hashes;
    for (const auto &[hash, line] : batch)
        hashes << QString::number(qint64(hash));
    QSqlQuery find(db);
    find.prepare(QStringLiteral("SELECT hash, line FROM code_lines WHERE hash IN "
                                "(SELECT value FROM json_each(?))"));
    find.addBindValue(QStringLiteral("[%1]").arg(hashes.join(QLatin1Char(','))));
    if (!run(find, error))
        return false;
    QHash<quint64, qint64> first;
    while (find.next())
        first.insert(quint64(find.value(0).toLongLong()), find.value(1).toLongLong());
    find.finish();

    QSqlQuery keep(db);
    keep.prepare(QStringLiteral("INSERT INTO code_lines (hash, line) VALUES (?, ?)"));
    if (!run(db, QStringLiteral("BEGIN"), error))
        return false;
    earlier->clear();
    for (const auto &[hash, line] : batch) {
        const auto found = first.constFind(hash);
        earlier->append(found == first.constEnd() ? 0 : *found);
        if (found != first.constEnd())
            continue;
        first.insert(hash, line);
        keep.addBindValue(qint64(hash));
        keep.addBindValue(line);
        if (!run(keep, error))
            return false;
    }
    return run(db, QStringLiteral("COMMIT"), error);
}
