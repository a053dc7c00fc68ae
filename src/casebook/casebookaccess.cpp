#include "casebookaccess.h"

#include "casebooktr.h"
#include "calibrationstore.h"
#include "casestorelocation.h"

#include "databasedialog.h"
#include "databaselocation.h"
#include "passwordprompt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

CaseBookAccess::CaseBookAccess(const QString &location)
    : m_location(location)
{
}

CaseStore *CaseBookAccess::store(QWidget *parent)
{
    // Asked again each time: the user may have fixed the cause, or chosen another database
    // under "Database…", in the meantime.
    const QString location =
        m_location.isEmpty() ? CaseStoreLocation::defaultLocation() : m_location;
    if (m_store.isOpen() && m_store.location() == location)
        return &m_store;
    // A password the clinic server asks for is asked over this window, once per run.
    installPasswordPrompt(parent);
    if (m_store.open(location)) {
        showTrailProblem(parent);
        showCodesDifferingOnlyInCase(parent);
        return &m_store;
    }
    QMessageBox box(QMessageBox::Warning,
                    CaseBookTr::tr("Cases"),
                    m_store.lastError().message, QMessageBox::Ok, parent);
    box.setInformativeText(CaseBookTr::tr(
        "The case book cannot be used now. Everything else in the program "
                          "works as before."));
    // The way out when the chosen server cannot be used: choose another database.
    QPushButton *choose = m_location.isEmpty()
                              ? box.addButton(CaseBookTr::tr("Database…"),
                                              QMessageBox::ActionRole)
                              : nullptr;
    // Closing the box, or Escape, is still "OK" with the extra button there.
    box.setEscapeButton(QMessageBox::Ok);
    box.exec();
    if (choose && box.clickedButton() == choose && chooseDatabase(parent))
        return store(parent);
    return nullptr;
}

std::optional<Calibration> CaseBookAccess::calibrationInUse()
{
    const QString location =
        m_location.isEmpty() ? CaseStoreLocation::defaultLocation() : m_location;
    const bool open = m_store.isOpen() && m_store.location() == location;
    // A file is never made here just to find that it holds no calibration.
    if (!open && (DatabaseLocation::fromText(location).isServer() || !QFileInfo::exists(location)
                  || !m_store.open(location)))
        return std::nullopt;
    std::optional<Calibration> calibration;
    if (!CalibrationStore(m_store).inUse(&calibration))
        return std::nullopt;
    return calibration;
}

// A trail that does not fit is said as the book opens; the book stays open to be read, and
// may be written again once the user has taken note.
void CaseBookAccess::showTrailProblem(QWidget *parent)
{
    if (m_store.trailProblem().isEmpty())
        return;
    QMessageBox box(QMessageBox::Warning, CaseBookTr::tr("Cases"),
                    m_store.trailProblem(), QMessageBox::NoButton, parent);
    box.setObjectName(QStringLiteral("trailProblemBox"));
    box.setInformativeText(CaseBookTr::tr(
        "The case book may have been changed outside this program. It is open to be read only. "
        "Compare it with a backup, or ask whoever looks after it, before you go on; "
        "“telma-cohort audit --verify” checks the whole trail."));
    QPushButton *readOnly = box.addButton(
        CaseBookTr::tr("Keep It Read-Only"), QMessageBox::RejectRole);
    QPushButton *goOn = box.addButton(
        CaseBookTr::tr("I Have Taken Note: Allow Changes"),
        QMessageBox::AcceptRole);
    box.setDefaultButton(readOnly);
    box.setEscapeButton(readOnly);
    box.exec();
    if (box.clickedButton() == goOn)
        m_store.acknowledgeTrailProblem();
}

// A book from before such codes were refused may hold two codes that are now one: say so
// once as it opens; nothing is renamed or lost.
void CaseBookAccess::showCodesDifferingOnlyInCase(QWidget *parent)
{
    QList<QStringList> groups;
    if (!m_store.codesDifferingOnlyInCase(&groups) || groups.isEmpty())
        return;
    QStringList lines;
    for (const QStringList &group : std::as_const(groups)) {
        QStringList quoted;
        for (const QString &code : group)
            quoted << CaseBookTr::tr("“%1”").arg(code);
        lines << quoted.join(QStringLiteral(", "));
    }
    QMessageBox box(QMessageBox::Information,
                    CaseBookTr::tr("Cases"),
                    CaseBookTr::tr(
                        "These codes differ only in capitals or in how their accents are "
                        "written, so they now count as one code:\n%1")
                        .arg(lines.join(QLatin1Char('\n'))),
                    QMessageBox::Ok, parent);
    box.setObjectName(QStringLiteral("codesDifferingOnlyInCaseBox"));
    box.setInformativeText(CaseBookTr::tr(
        "All of these cases are kept as they are, with their visits, and can "
                          "be found, loaded and exported as before; no new case can take one "
                          "of these codes."));
    box.exec();
}

bool CaseBookAccess::chooseDatabase(QWidget *parent)
{
    DatabaseDialog dialog(CaseStoreLocation::localFile(), parent);
    return dialog.exec() == QDialog::Accepted;
}
