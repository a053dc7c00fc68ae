#include "passwordkeeper.h"

PasswordKeeper &PasswordKeeper::instance()
{
    static PasswordKeeper keeper;
    return keeper;
}

std::optional<QString> PasswordKeeper::ask(const QString &connectionDescription) const
{
    if (!m_asker)
        return std::nullopt;
    return m_asker(connectionDescription);
}

void PasswordKeeper::remember(const QString &connectionString, const QString &password)
{
    m_passwords.insert(connectionString, password);
}

void PasswordKeeper::forget(const QString &connectionString)
{
    m_passwords.remove(connectionString);
}
