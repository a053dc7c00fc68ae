#ifndef LOADEDCASE_H
#define LOADEDCASE_H

#include "caserecord.h"

#include <QStringList>

#include <optional>

class graph;

// The case whose values "Load into form" put into the main window, and how what the form
// holds now differs from it, so that a simulation is never taken for the stored case.
class LoadedCase
{
public:
    LoadedCase() = default;
    explicit LoadedCase(const CaseRecord &record);

    bool isEmpty() const { return !m_record.has_value(); }
    const CaseRecord &record() const { return *m_record; }

    // One line for each value that differs from the stored one, in the form's order, e.g.
    // "Restrained eating: 3.1 stored, 3.5 now". A height counts when one is known.
    QStringList changes(const QStringList &fieldTexts, std::optional<double> heightMetres) const;
    // "Case AB-101", or "Case AB-101 (changed)"; empty when no case is loaded.
    QString label(bool changed) const;

    // Tells the result dialog where its simulation comes from: as stored, it belongs to the
    // case; changed, it names the case and the changes, and "Save to case…" offers a new
    // code.
    void describe(graph &result, const QStringList &changes) const;

private:
    std::optional<CaseRecord> m_record;
};

#endif // LOADEDCASE_H
