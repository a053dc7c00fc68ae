#include "handoutaction.h"

#include "graph.h"
#include "handoutreport.h"
#include "handouttr.h"
#include "reportwriter.h"

#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>

namespace {

void printHandout(QWidget *parent, const HandoutReport &handout)
{
    QPrinter printer(QPrinter::HighResolution);
    ReportWriter::preparePrinter(printer, handout.defaultFileName());
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (!ReportWriter::print(handout.document(), printer))
        QMessageBox::warning(parent, parent->windowTitle(),
                             HandoutTr::tr("The handout could not be printed."));
}

} // namespace

bool saveHandout(QWidget *parent, const HandoutReport &handout)
{
    QFileDialog files(parent, HandoutTr::tr("Save handout"), handout.defaultFileName(),
                      HandoutTr::tr("PDF files (*.pdf)"));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(QStringLiteral("pdf"));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return false;
    const QString fileName = files.selectedFiles().constFirst();
    QString reason;
    if (!ReportWriter::savePdf(handout.document(), fileName, &reason)) {
        QMessageBox::warning(parent, parent->windowTitle(),
                             HandoutTr::tr("The handout could not be saved as “%1”: %2.")
                                 .arg(QDir::toNativeSeparators(fileName), reason));
        return false;
    }
    QMessageBox ask(QMessageBox::Question, parent->windowTitle(),
                    HandoutTr::tr("The handout is saved as “%1”. Print it as well?")
                        .arg(QDir::toNativeSeparators(fileName)),
                    QMessageBox::Yes | QMessageBox::No, parent);
    ask.button(QMessageBox::Yes)->setText(HandoutTr::tr("Print…"));
    ask.button(QMessageBox::No)->setText(HandoutTr::tr("Not now"));
    ask.setDefaultButton(QMessageBox::No);
    if (ask.exec() == QMessageBox::Yes)
        printHandout(parent, handout);
    return true;
}

void addHandoutButton(graph &result)
{
    auto *action = new QAction(HandoutTr::tr("Handout…"), &result);
    action->setObjectName(QStringLiteral("handoutButton"));
    action->setToolTip(HandoutTr::tr("Save a page in plain words for the person to take home"));
    action->setEnabled(result.record().hasCourse && result.record().hasPredictors);
    QObject::connect(action, &QAction::triggered, &result, [&result] {
        const HandoutReport handout(result.record());
        saveHandout(&result, handout);
    });
    result.addActionButton(action);
}
