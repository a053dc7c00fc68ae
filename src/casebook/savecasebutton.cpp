#include "savecasebutton.h"

#include "casebooktr.h"
#include "casebookaccess.h"
#include "graph.h"
#include "savecasedialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QLabel>

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

// A code for a changed copy of a case: the case's code with the first free number after it,
// so that the stored case stays as it was.
static QString newCodeBesides(CaseStore &store, const QString &code)
{
    QStringList candidates;
    for (int n = 2; n <= 20; ++n)
        candidates << QStringLiteral("%1-%2").arg(code).arg(n);
    QSet<QString> inUse;
    if (!store.codesInUse(candidates, &inUse))
        return QString();
    for (const QString &candidate : std::as_const(candidates))
        if (!inUse.contains(candidate))
            return candidate;
    return QString();
}

void addSaveCaseButton(graph &result, CaseBookAccess &caseBook, const PredictorAnswers &answers,
                       std::function<void(const CaseRecord &)> onSaved)
{
    auto *save = new QAction(CaseBookTr::tr("Save to case…"), &result);
    save->setObjectName(QStringLiteral("saveCaseButton"));
    // The case loaded as it is stored is already saved.
    const bool stored = !result.caseCode().isEmpty();
    save->setEnabled(result.record().hasCourse && result.record().hasPredictors && !stored);
    if (stored)
        save->setToolTip(CaseBookTr::tr("This is the case “%1” as stored.").arg(result.caseCode()));
    result.addActionButton(save);
    QObject::connect(save, &QAction::triggered, &result, [&result, &caseBook, answers, save, onSaved] {
        CaseStore *store = caseBook.store(&result);
        if (!store)
            return;
        CaseRecord draft = draftOf(result.record(), answers);
        if (!result.record().changedFromCase.isEmpty())
            draft.code = newCodeBesides(*store, result.record().changedFromCase);
        SaveCaseDialog dialog(*store, draft, &result);
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
        shown->setText(CaseBookTr::tr("Saved to case “%1”.").arg(code));
        result.addExtra(shown);
        if (onSaved)
            onSaved(dialog.savedCase());
    });
}
