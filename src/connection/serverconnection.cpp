#include "serverconnection.h"

#include "connectioninfo.h"
#include "connectiontr.h"
#include "passwordkeeper.h"

#include <QSqlError>

namespace ServerConnection {

namespace {

bool isPasswordProblem(ConnectionFailure::Reason reason)
{
    return reason == ConnectionFailure::Reason::PasswordNeeded
           || reason == ConnectionFailure::Reason::PasswordFileIgnored
           || reason == ConnectionFailure::Reason::WrongPassword;
}

ConnectionFailure tryOpen(QSqlDatabase &db, const QString &connectionString)
{
    if (db.open())
        return {};
    const ConnectionFailure failure = ConnectionFailure::fromOpen(db.lastError(), connectionString);
    db.close();
    return failure;
}

} // namespace

ConnectionFailure open(const QString &connectionName, const QString &connectionString)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connectionName);
        if (!db.isValid())
            return ConnectionFailure(ConnectionFailure::Reason::Other,
                                     ConnectionTr::tr("Qt's PostgreSQL driver (QPSQL) is not installed "
                                                      "(Debian package libqt6sql6-psql)."));
        db.setConnectOptions(connectionString);
    }
    return reopen(connectionName);
}

ConnectionFailure reopen(const QString &connectionName)
{
    QSqlDatabase db = QSqlDatabase::database(connectionName, false);
    const QString connectionString = db.connectOptions();
    PasswordKeeper &keeper = PasswordKeeper::instance();
    db.setPassword(keeper.password(connectionString));
    ConnectionFailure failure = tryOpen(db, connectionString);
    if (!isPasswordProblem(failure.reason()))
        return failure;
    // A password kept from earlier in this run no longer works: ask afresh, once.
    keeper.forget(connectionString);
    if (!keeper.canAsk())
        return failure;
    ConnectionInfo info;
    info.parse(connectionString);
    const auto typed = keeper.ask(failure.message() + QLatin1Char('\n') + info.toDisplayString());
    if (!typed)
        return failure;
    db.setPassword(*typed);
    failure = tryOpen(db, connectionString);
    if (!failure.isFailure())
        keeper.remember(connectionString, *typed);
    else
        db.setPassword(QString());
    return failure;
}

} // namespace ServerConnection
