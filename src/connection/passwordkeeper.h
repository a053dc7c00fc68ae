#ifndef PASSWORDKEEPER_H
#define PASSWORDKEEPER_H

#include <QHash>
#include <QString>

#include <functional>
#include <optional>

// Passwords the user typed for the clinic server, kept in this process's memory only (never
// in settings or files), so that they are asked for once per run. The question itself is
// the window's business: it installs an asker; without one (tests, tools) nobody is asked.
class PasswordKeeper
{
public:
    // Asks for the password of the described connection; nullopt when the user cancels.
    using Asker = std::function<std::optional<QString>(const QString &connectionDescription)>;

    static PasswordKeeper &instance();

    void setAsker(Asker asker) { m_asker = std::move(asker); }
    bool canAsk() const { return bool(m_asker); }
    std::optional<QString> ask(const QString &connectionDescription) const;

    QString password(const QString &connectionString) const { return m_passwords.value(connectionString); }
    void remember(const QString &connectionString, const QString &password);
    void forget(const QString &connectionString);

private:
    PasswordKeeper() = default;
    Asker m_asker;
    QHash<QString, QString> m_passwords;
};

#endif // PASSWORDKEEPER_H
