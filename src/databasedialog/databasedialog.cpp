#include "databasedialog.h"

#include "databasedialogtr.h"
#include "unsavedinput.h"

#include "databasesettings.h"
#include "serverconnection.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QUuid>
#include <QVBoxLayout>

DatabaseDialog::DatabaseDialog(const QString &localFile, QWidget *parent)
    : QDialog(parent), m_localFile(localFile)
{
    setObjectName(QStringLiteral("databaseDialog"));
    m_unsaved = new UnsavedInput(this);
    setWindowTitle(DatabaseDialogTr::tr("Database"));

    m_thisComputer = new QRadioButton(DatabaseDialogTr::tr("This computer"), this);
    m_thisComputer->setObjectName(QStringLiteral("thisComputerButton"));
    auto *fileLabel = new QLabel(DatabaseDialogTr::tr("The case book is the file %1").arg(localFile), this);
    fileLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    fileLabel->setWordWrap(true);
    fileLabel->setContentsMargins(24, 0, 0, 0);

    m_clinicServer = new QRadioButton(DatabaseDialogTr::tr("Clinic server"), this);
    m_clinicServer->setObjectName(QStringLiteral("clinicServerButton"));

    m_serverFields = new QWidget(this);
    auto *form = new QFormLayout(m_serverFields);
    form->setContentsMargins(24, 0, 0, 0);
    auto field = [this, form](QWidget *widget, const char *name, const QString &label) {
        widget->setObjectName(QLatin1String(name));
        form->addRow(label, widget);
    };
    m_host = new QLineEdit(m_serverFields);
    m_host->setPlaceholderText(DatabaseDialogTr::tr("e.g. db.clinic.example"));
    field(m_host, "hostEdit", DatabaseDialogTr::tr("&Host:"));
    m_port = new QSpinBox(m_serverFields);
    m_port->setRange(1, 65535);
    field(m_port, "portSpinBox", DatabaseDialogTr::tr("&Port:"));
    m_database = new QLineEdit(m_serverFields);
    field(m_database, "databaseEdit", DatabaseDialogTr::tr("&Database:"));
    m_user = new QLineEdit(m_serverFields);
    field(m_user, "userEdit", DatabaseDialogTr::tr("&User:"));
    m_service = new QLineEdit(m_serverFields);
    m_service->setPlaceholderText(DatabaseDialogTr::tr("instead of host, port and database"));
    field(m_service, "serviceEdit", DatabaseDialogTr::tr("or &service:"));
    auto *passwordNote = new QLabel(
        DatabaseDialogTr::tr("The program never stores a password: it comes from your ~/.pgpass file (mode "
                             "0600) or the service file, or you are asked once each time the program runs."),
        m_serverFields);
    passwordNote->setWordWrap(true);
    form->addRow(passwordNote);

    auto *testButton = new QPushButton(DatabaseDialogTr::tr("Test connection"), this);
    testButton->setObjectName(QStringLiteral("testConnectionButton"));
    m_testResult = new QLabel(this);
    m_testResult->setObjectName(QStringLiteral("testResultLabel"));
    m_testResult->setWordWrap(true);
    m_testResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));

    auto *layout = new QVBoxLayout(this);
    const QString fromEnvironment = qEnvironmentVariable("TELMA_DATABASE");
    if (!fromEnvironment.isEmpty()) {
        auto *overridden = new QLabel(
            DatabaseDialogTr::tr("TELMA_DATABASE is set, so this run uses %1 whatever is chosen here.")
                .arg(DatabaseLocation::fromText(fromEnvironment).description()),
            this);
        overridden->setObjectName(QStringLiteral("environmentNotice"));
        overridden->setWordWrap(true);
        layout->addWidget(overridden);
    }
    layout->addWidget(m_thisComputer);
    layout->addWidget(fileLabel);
    layout->addWidget(m_clinicServer);
    layout->addWidget(m_serverFields);
    layout->addWidget(testButton, 0, Qt::AlignLeft);
    layout->addWidget(m_testResult);
    layout->addStretch();
    layout->addWidget(buttons);

    DatabaseSettings settings;
    settings.load();
    (settings.useServer() ? m_clinicServer : m_thisComputer)->setChecked(true);
    m_host->setText(settings.host);
    m_port->setValue(settings.port);
    m_database->setText(settings.database);
    m_user->setText(settings.user);
    m_service->setText(settings.service);
    updateEnabled();

    connect(m_clinicServer, &QRadioButton::toggled, this, &DatabaseDialog::updateEnabled);
    connect(m_service, &QLineEdit::textChanged, this, &DatabaseDialog::updateEnabled);
    connect(testButton, &QPushButton::clicked, this, &DatabaseDialog::testConnection);
    connect(buttons, &QDialogButtonBox::accepted, this, &DatabaseDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DatabaseDialog::reject);
}

void DatabaseDialog::updateEnabled()
{
    m_serverFields->setEnabled(m_clinicServer->isChecked());
    // A service names host, port and database itself.
    const bool byService = !m_service->text().trimmed().isEmpty();
    m_host->setEnabled(!byService);
    m_port->setEnabled(!byService);
    m_database->setEnabled(!byService);
}

DatabaseLocation DatabaseDialog::chosenLocation() const
{
    if (!m_clinicServer->isChecked())
        return DatabaseLocation::file(m_localFile);
    DatabaseSettings settings;
    settings.host = m_host->text();
    settings.port = m_port->value();
    settings.database = m_database->text();
    settings.user = m_user->text();
    settings.service = m_service->text();
    return DatabaseLocation::fromText(settings.connectionString());
}

QString DatabaseDialog::testServer(const QString &connectionString)
{
    const QString name = QStringLiteral("telma-test-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    QString report;
    {
        const ConnectionFailure failure = ServerConnection::open(name, connectionString);
        if (failure.isFailure()) {
            report = failure.message();
        } else {
            QSqlDatabase db = QSqlDatabase::database(name, false);
            QSqlQuery query(db);
            if (query.exec(QStringLiteral("SELECT current_user, current_database()")) && query.next())
                report = DatabaseDialogTr::tr("Connected to the database \"%1\" as \"%2\".")
                             .arg(query.value(1).toString(), query.value(0).toString());
            else
                report = ConnectionFailure::fromStatement(query.lastError(), db.isOpen()).message();
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return report;
}

void DatabaseDialog::testConnection()
{
    const DatabaseLocation location = chosenLocation();
    QString report;
    if (location.kind() == DatabaseLocation::Kind::Invalid)
        report = location.problem();
    else if (m_tester)
        report = m_tester(location);
    else if (location.isServer())
        report = testServer(location.connectionString());
    else
        report = DatabaseDialogTr::tr("The case book is the file %1 on this computer.").arg(location.filePath());
    m_testResult->setText(report);
}

void DatabaseDialog::accept()
{
    if (m_clinicServer->isChecked()) {
        const DatabaseLocation location = chosenLocation();
        if (location.kind() == DatabaseLocation::Kind::Invalid) {
            m_testResult->setText(location.problem());
            return;
        }
    }
    DatabaseSettings settings;
    settings.setUseServer(m_clinicServer->isChecked());
    settings.host = m_host->text().trimmed();
    settings.port = m_port->value();
    settings.database = m_database->text().trimmed();
    settings.user = m_user->text().trimmed();
    settings.service = m_service->text().trimmed();
    settings.save();
    QDialog::accept();
}

void DatabaseDialog::reject()
{
    if (m_unsaved->mayDiscard())
        QDialog::reject();
}
