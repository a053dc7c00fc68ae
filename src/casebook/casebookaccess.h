#ifndef CASEBOOKACCESS_H
#define CASEBOOKACCESS_H

#include "calibration.h"
#include "casestore.h"

#include <optional>

#include <QString>

class QWidget;

// The program's one case book, opened the first time it is asked for. When it cannot be
// used, the user is told why, once per request, and the program goes on as a calculator.
class CaseBookAccess
{
public:
    // location empty: the default (TELMA_DATABASE, or the application data folder).
    explicit CaseBookAccess(const QString &location = QString());

    // The open store, or nullptr after telling the user (in a box over parent) why not.
    CaseStore *store(QWidget *parent);

    // The clinic's calibration in use, asked without a word to the user: from the case book
    // already open, or from a case book file on this computer that exists. None when there
    // is none or the book cannot be read; a server not yet connected is not asked.
    std::optional<Calibration> calibrationInUse();

    // "Database…": this computer or the clinic server; true when the user chose (OK).
    static bool chooseDatabase(QWidget *parent);

private:
    void showCodesDifferingOnlyInCase(QWidget *parent);
    void showTrailProblem(QWidget *parent);

    QString m_location;
    CaseStore m_store;
};

#endif // CASEBOOKACCESS_H
