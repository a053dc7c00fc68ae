#ifndef CONNECTIONINFO_H
#define CONNECTIONINFO_H

#include <QList>
#include <QPair>
#include <QString>

// A libpq connection string ("host=db.clinic dbname=telma user=anna"), read and written with
// libpq's own quoting rules, so that values with spaces or quotes survive the round trip.
class ConnectionInfo
{
public:
    ConnectionInfo() = default;

    // Reads text in libpq's keyword=value form; on a syntax error returns false and says why.
    bool parse(const QString &text, QString *error = nullptr);

    QString value(const QString &keyword) const;
    bool contains(const QString &keyword) const;
    void set(const QString &keyword, const QString &value); // an empty value removes it
    bool isEmpty() const { return m_pairs.isEmpty(); }

    QString toString() const;
    // The same without a password, for messages and the window.
    QString toDisplayString() const;

    static QString quoted(const QString &value);

private:
    QList<QPair<QString, QString>> m_pairs;
};

#endif // CONNECTIONINFO_H
