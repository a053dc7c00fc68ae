#include "connectioninfo.h"

#include "connectiontr.h"

#include <QCoreApplication>

namespace {
bool isKeywordChar(QChar c)
{
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}
} // namespace

bool ConnectionInfo::parse(const QString &text, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    QList<QPair<QString, QString>> pairs;
    int i = 0;
    const int n = text.size();
    while (true) {
        while (i < n && text.at(i).isSpace())
            ++i;
        if (i == n)
            break;
        const int keyStart = i;
        while (i < n && isKeywordChar(text.at(i)))
            ++i;
        const QString keyword = text.mid(keyStart, i - keyStart);
        while (i < n && text.at(i).isSpace())
            ++i;
        if (keyword.isEmpty() || i == n || text.at(i) != QLatin1Char('='))
            return fail(ConnectionTr::tr("The connection string is not of the form "
                                         "keyword=value (at \"%1\").")
                            .arg(text.mid(keyStart, 20)));
        ++i;
        while (i < n && text.at(i).isSpace())
            ++i;
        QString value;
        if (i < n && text.at(i) == QLatin1Char('\'')) {
            ++i;
            bool closed = false;
            while (i < n) {
                const QChar c = text.at(i++);
                if (c == QLatin1Char('\\') && i < n) {
                    value += text.at(i++);
                } else if (c == QLatin1Char('\'')) {
                    closed = true;
                    break;
                } else {
                    value += c;
                }
            }
            if (!closed)
                return fail(ConnectionTr::tr("The value of \"%1\" lacks its closing quote.")
                                .arg(keyword));
        } else {
            while (i < n && !text.at(i).isSpace()) {
                const QChar c = text.at(i++);
                if (c == QLatin1Char('\\') && i < n)
                    value += text.at(i++);
                else
                    value += c;
            }
        }
        pairs.append({keyword, value});
    }
    m_pairs = pairs;
    return true;
}

QString ConnectionInfo::value(const QString &keyword) const
{
    // libpq lets a later setting override an earlier one.
    for (auto it = m_pairs.crbegin(); it != m_pairs.crend(); ++it)
        if (it->first == keyword)
            return it->second;
    return {};
}

bool ConnectionInfo::contains(const QString &keyword) const
{
    for (const auto &pair : m_pairs)
        if (pair.first == keyword)
            return true;
    return false;
}

void ConnectionInfo::set(const QString &keyword, const QString &value)
{
    m_pairs.removeIf([&keyword](const QPair<QString, QString> &pair) { return pair.first == keyword; });
    if (!value.isEmpty())
        m_pairs.append({keyword, value});
}

QString ConnectionInfo::quoted(const QString &value)
{
    bool plain = !value.isEmpty();
    for (const QChar c : value)
        if (c.isSpace() || c == QLatin1Char('\'') || c == QLatin1Char('\\'))
            plain = false;
    if (plain)
        return value;
    QString out = QStringLiteral("'");
    for (const QChar c : value) {
        if (c == QLatin1Char('\'') || c == QLatin1Char('\\'))
            out += QLatin1Char('\\');
        out += c;
    }
    return out + QLatin1Char('\'');
}

QString ConnectionInfo::toString() const
{
    QStringList parts;
    for (const auto &pair : m_pairs)
        parts << pair.first + QLatin1Char('=') + quoted(pair.second);
    return parts.join(QLatin1Char(' '));
}

QString ConnectionInfo::toDisplayString() const
{
    ConnectionInfo shown = *this;
    shown.set(QStringLiteral("password"), QString());
    return shown.toString();
}
