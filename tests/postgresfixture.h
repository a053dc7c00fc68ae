#ifndef POSTGRESFIXTURE_H
#define POSTGRESFIXTURE_H

#include "connectioninfo.h"

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QTest>

// A database of its own on the throw-away test server (see cmake/TelmaPostgresTesting.cmake)
// for each test case, dropped again afterwards. TELMA_TEST_POSTGRES names the server's first
// database; the superuser "postgres" connects without a password.
class PostgresScratch
{
public:
    static QString serverConnectionString() { return qEnvironmentVariable("TELMA_TEST_POSTGRES"); }
    static bool available() { return !serverConnectionString().isEmpty(); }

    PostgresScratch()
    {
        static int counter = 0;
        m_name = QStringLiteral("telma_t%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
        adminExec(QStringLiteral("CREATE DATABASE %1").arg(m_name));
    }
    ~PostgresScratch()
    {
        // Connections still open (a test that failed half-way) must not keep the database.
        adminExec(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_name));
    }

    QString name() const { return m_name; }
    QString connectionString(const QString &user = QStringLiteral("postgres")) const
    {
        ConnectionInfo info;
        info.parse(serverConnectionString());
        info.set(QStringLiteral("dbname"), m_name);
        info.set(QStringLiteral("user"), user);
        return info.toString();
    }
    QString socketFolder() const
    {
        ConnectionInfo info;
        info.parse(serverConnectionString());
        return info.value(QStringLiteral("host"));
    }

    // Runs SQL as the superuser in this test's database (or the server's first one).
    static bool adminExec(const QString &sql, const QString &database = QString())
    {
        const QString name = QStringLiteral("telma-test-admin-") + database;
        bool ok = false;
        {
            QSqlDatabase db = QSqlDatabase::contains(name) ? QSqlDatabase::database(name, false)
                                                           : QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
            if (!db.isOpen()) {
                ConnectionInfo info;
                info.parse(serverConnectionString());
                if (!database.isEmpty())
                    info.set(QStringLiteral("dbname"), database);
                db.setConnectOptions(info.toString());
                if (!db.open())
                    qWarning("admin connection: %s", qPrintable(db.lastError().text()));
            }
            QSqlQuery query(db);
            ok = query.exec(sql);
            if (!ok)
                qWarning("admin SQL failed: %s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
        }
        return ok;
    }
    bool exec(const QString &sql) const { return adminExec(sql, m_name); }

private:
    QString m_name;
};

#endif // POSTGRESFIXTURE_H
