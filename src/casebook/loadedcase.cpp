#include "loadedcase.h"

#include "casebooktr.h"
#include "graph.h"
#include "predictorcheck.h"
#include "resultreport.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLocale>

namespace {

QString shortest(double value)
{
    return QLocale::c().toString(value, 'g', QLocale::FloatingPointShortest);
}

} // namespace

LoadedCase::LoadedCase(const CaseRecord &record)
    : m_record(record)
{
}

QStringList LoadedCase::changes(const QStringList &fieldTexts,
                                std::optional<double> heightMetres) const
{
    QStringList lines;
    if (!m_record)
        return lines;
    for (int p = 0; p < PredictorCount && p < fieldTexts.size(); ++p) {
        const Predictor predictor = static_cast<Predictor>(p);
        double value = 0;
        // Text that is no number at all differs too, whatever it says.
        const bool number = readPredictor(fieldTexts.at(p), {-1e308, 1e308, ""}, &value);
        if (number && value == m_record->predictors[p])
            continue;
        lines << CaseBookTr::tr("%1: %2 stored, %3 now")
                     .arg(ResultReport::predictorName(predictor), shortest(m_record->predictors[p]),
                          number ? shortest(value) : fieldTexts.at(p).trimmed());
    }
    if (heightMetres && heightMetres != m_record->heightMetres)
        lines << CaseBookTr::tr("Height: %1 stored, %2 m now")
                     .arg(m_record->heightMetres ? CaseBookTr::tr("%1 m").arg(shortest(*m_record->heightMetres))
                                                 : CaseBookTr::tr("none"),
                          shortest(*heightMetres));
    return lines;
}

QString LoadedCase::label(bool changed) const
{
    if (!m_record)
        return QString();
    return changed ? CaseBookTr::tr("Case %1 (changed)").arg(m_record->code) : CaseBookTr::tr("Case %1").arg(m_record->code);
}

void LoadedCase::describe(graph &result, const QStringList &changes) const
{
    if (!m_record)
        return;
    auto *shown = new QLabel(&result);
    shown->setObjectName(QStringLiteral("loadedCaseInfoLabel"));
    shown->setTextFormat(Qt::PlainText);
    shown->setWordWrap(true);
    if (changes.isEmpty()) {
        result.setCaseCode(m_record->code);
        result.setCaseBaseline(m_record->baselineDate);
        shown->setText(CaseBookTr::tr("Case “%1” as stored.").arg(m_record->code));
    } else {
        result.setChangedFromCase(m_record->code, changes);
        shown->setText(CaseBookTr::tr("From case “%1”, changed: %2.")
                           .arg(m_record->code, changes.join(QStringLiteral("; "))));
    }
    result.addExtra(shown);
}
