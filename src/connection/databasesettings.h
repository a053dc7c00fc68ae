#ifndef DATABASESETTINGS_H
#define DATABASESETTINGS_H

#include <QString>

// The "Database…" choice, kept with QSettings: this computer's file, or the clinic's server
// by host, port, database and user, or by a service name from pg_service.conf. Never a
// password: libpq's password file or the service file holds it, or the user types it.
class DatabaseSettings
{
public:
    bool useServer() const { return m_useServer; }
    void setUseServer(bool on) { m_useServer = on; }

    QString host;
    int port = 5432;
    QString database;
    QString user;
    QString service; // when set, names the connection instead of the four fields above

    // The libpq connection string for the server fields.
    QString connectionString() const;

    void load();
    void save() const;

private:
    bool m_useServer = false;
};

#endif // DATABASESETTINGS_H
