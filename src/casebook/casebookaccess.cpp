#include "casebookaccess.h"
#include "casestorelocation.h"

#include <QCoreApplication>
#include <QMessageBox>

CaseBookAccess::CaseBookAccess(const QString &location)
    : m_location(location)
{
}

CaseStore *CaseBookAccess::store(QWidget *parent)
{
    if (m_store.isOpen())
        return &m_store;
    // Asked again each time: the user may have fixed the cause in the meantime.
    const QString location =
        m_location.isEmpty() ? CaseStoreLocation::defaultLocation() : m_location;
    if (m_store.open(location))
        return &m_store;
    QMessageBox box(QMessageBox::Warning,
                    QCoreApplication::translate("CaseBookAccess", "Cases"),
                    m_store.lastError().message, QMessageBox::Ok, parent);
    box.setInformativeText(QCoreApplication::translate(
        "CaseBookAccess", "The case book cannot be used now. Everything else in the program "
                          "works as before."));
    box.exec();
    return nullptr;
}
