#include "savecasebutton.h"
#include "casebookaccess.h"
#include "graph.h"
#include "savecasedialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>

static QString tr(const char *text)
{
    return QCoreApplication::translate("SaveCaseButton", text);
}

// What the result dialog knows of the simulation, as a case to be named.
static CaseRecord draftOf(const SimulationRecord &simulation, const PredictorAnswers &answers)
{
    CaseRecord draft;
    draft.baselineDate = simulation.time.isValid() ? simulation.time.date() : QDate();
    draft.heightMetres = simulation.heightMetres;
    draft.predictors = simulation.predictors;
    for (int p = 0; p < PredictorCount; ++p) {
        draft.sources[p] = simulation.sources[p];
        // Answers belong to a value only while it is still the questionnaire's.
        if (!simulation.sources[p].isEmpty())
            draft.answers[p] = answers[p];
    }
    draft.course = simulation.course;
    draft.modelVersion = QStringLiteral(TELMA_VERSION);
    return draft;
}

void addSaveCaseButton(graph &result, CaseBookAccess &caseBook, const PredictorAnswers &answers)
{
    auto *save = new QAction(tr("Save to case…"), &result);
    save->setObjectName(QStringLiteral("saveCaseButton"));
    save->setEnabled(result.record().hasCourse && result.record().hasPredictors);
    result.addActionButton(save);
    QObject::connect(save, &QAction::triggered, &result, [&result, &caseBook, answers, save] {
        CaseStore *store = caseBook.store(&result);
        if (!store)
            return;
        SaveCaseDialog dialog(*store, draftOf(result.record(), answers), &result);
        if (dialog.exec() != QDialog::Accepted)
            return;
        const QString code = dialog.savedCase().code;
        result.setCaseCode(code);
        result.setCaseBaseline(dialog.savedCase().baselineDate);
        // Saved once: a second press would only be refused as a code in use.
        save->setEnabled(false);
        auto *shown = new QLabel(&result);
        shown->setObjectName(QStringLiteral("caseCodeLabel"));
        shown->setTextFormat(Qt::PlainText);
        shown->setText(tr("Saved to case “%1”.").arg(code));
        result.addExtra(shown);
    });
}
