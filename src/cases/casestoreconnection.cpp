#include "casestoreconnection.h"

#include "casestr.h"
#include "caseauditchain.h"
#include "caseschema.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

#include <pwd.h>
#include <unistd.h>

CaseStoreConnection::CaseStoreConnection()
    : m_user(systemUser())
    , m_dialect(CaseStoreDialect::forLocation(QString()))
{
    static QAtomicInt counter;
    m_connection = QStringLiteral("telma-cases-%1").arg(counter.fetchAndAddRelaxed(1));
}

CaseStoreConnection::~CaseStoreConnection()
{
    close();
}

QString CaseStoreConnection::systemUser()
{
    if (const passwd *entry = getpwuid(geteuid()))
        return QString::fromLocal8Bit(entry->pw_name);
    const QString user = qEnvironmentVariable("USER");
    return user.isEmpty() ? QString::number(geteuid()) : user;
}

bool CaseStoreConnection::open(const QString &location)
{
    close();
    m_error = {};
    m_readOnlyReason.clear();
    m_trailProblem.clear();
    m_trailAcknowledged = false;
    m_location = location;
    m_dialect = CaseStoreDialect::forLocation(location);
    bool ready = false;
    {
        QSqlDatabase db;
        int version = 0;
        ready = m_dialect.open(&db, location, m_connection, m_busyTimeoutMs, &m_error)
                && CaseSchema::readVersion(db, m_dialect, &version, &m_error)
                && m_dialect.configure(db, &m_error)
                && CaseSchema::migrate(db, m_dialect, version, &m_error);
    }
    if (!ready) {
        close();
        return false;
    }
    if (m_dialect.isReadOnly())
        m_readOnlyReason = CasesTr::tr("The case book %1 can only be read: you have no right to write "
                                       "its file.").arg(QDir::toNativeSeparators(location));
    // Tampering shows as the book opens: a changed last entry or a guard gone.
    CaseAuditChain::Finding finding;
    if (!CaseAuditChain(*this).verify(TrailEntriesChecked, &finding))
        m_trailProblem = m_error.message;
    else if (!finding.fits())
        m_trailProblem = finding.problem;
    m_error = {};
    return true;
}

bool CaseStoreConnection::isOpen() const
{
    return QSqlDatabase::contains(m_connection) && database().isOpen();
}

void CaseStoreConnection::close()
{
    forgetStatements();
    m_lost = false;
    if (!QSqlDatabase::contains(m_connection))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
}

QSqlDatabase CaseStoreConnection::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool CaseStoreConnection::connected()
{
    if (!QSqlDatabase::contains(m_connection))
        return fail({CaseStoreError::Failed, CasesTr::tr("The case book is not open.")});
    QSqlDatabase db = database();
    if (db.isOpen() && !m_lost)
        return true;
    // The server went away, and with it what was prepared there; the next call opens the
    // connection again and prepares afresh.
    forgetStatements();
    if (m_lost)
        db.close();
    m_lost = false;
    return m_dialect.reconnect(db, &m_error);
}

QSqlQuery *CaseStoreConnection::prepared(const QString &sql, const char *doing)
{
    auto found = m_statements.find(sql);
    if (found != m_statements.end())
        return found->second.get();
    auto query = std::make_unique<QSqlQuery>(database());
    query->setForwardOnly(true);
    // Not kept when it fails: the next call tries again.
    if (!query->prepare(sql)) {
        failQuery(*query, doing);
        return nullptr;
    }
    return m_statements.emplace(sql, std::move(query)).first->second.get();
}

void CaseStoreConnection::forgetStatements()
{
    m_statements.clear();
}

QString CaseStoreConnection::readOnlyReason() const
{
    if (!m_readOnlyReason.isEmpty() || m_trailProblem.isEmpty() || m_trailAcknowledged)
        return m_readOnlyReason;
    return CasesTr::tr("The case book is open to be read only, because its audit trail does not fit: %1")
        .arg(m_trailProblem);
}

bool CaseStoreConnection::writable()
{
    const QString reason = readOnlyReason();
    if (reason.isEmpty())
        return true;
    return fail({CaseStoreError::ReadOnly, reason + QLatin1Char(' ') + CasesTr::tr("Nothing was changed.")});
}

bool CaseStoreConnection::fail(const CaseStoreError &error)
{
    m_error = error;
    return false;
}

bool CaseStoreConnection::failQuery(const QSqlQuery &query, const char *doing)
{
    fail(m_dialect.describe(query.lastError(), CasesTr::tr(doing)));
    // Qt's driver may still call a connection open that the server has closed.
    if (m_error.kind == CaseStoreError::ConnectionLost)
        m_lost = true;
    return false;
}
