#ifndef SERVERCONNECTION_H
#define SERVERCONNECTION_H

#include "connectionfailure.h"

#include <QSqlDatabase>
#include <QString>

// Opens a Qt SQL connection to the clinic's PostgreSQL server from a libpq connection
// string. The string goes to libpq whole (host, port, dbname, user, service, sslmode, …), so
// libpq's own password and service files apply. When the server asks for a password that
// neither holds, the user is asked once (PasswordKeeper) and the answer kept for this run.
namespace ServerConnection {

// Adds (or replaces) the named Qt SQL connection and opens it; on failure the connection is
// left closed and the failure says why in plain words.
ConnectionFailure open(const QString &connectionName, const QString &connectionString);

// Opens the existing named connection again after it was lost, with the same password.
ConnectionFailure reopen(const QString &connectionName);

} // namespace ServerConnection

#endif // SERVERCONNECTION_H
