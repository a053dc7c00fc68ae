#include "fhirimport.h"

#include "casefields.h"
#include "casestore.h"
#include "fhircasebook.h"
#include "fhirtr.h"
#include "visitcheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMap>
#include <QSet>

#include <algorithm>
#include <map>

namespace {

using FhirTerms::Measure;
using Measurement = FhirBundleReader::Measurement;

QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

const char *measureName(Measure measure)
{
    switch (measure) {
    case Measure::Bmi:
        return "BMI";
    case Measure::Weight:
        return "weight";
    case Measure::Height:
        break;
    }
    return "height";
}

// A case from our own export that the book lacks, or none when the Bundle does not say
// enough to recreate it.
std::optional<CaseRecord> recreated(const QString &code, const FhirBundleReader::CaseDetails &details)
{
    CaseRecord record;
    record.code = code;
    record.baselineDate = details.baseline;
    for (int p = 0; p < PredictorCount; ++p) {
        if (!details.predictors[p])
            return std::nullopt;
        record.predictors[p] = *details.predictors[p];
        record.sources[p] = details.sources[p];
        record.answers[p] = details.answers[p];
    }
    if (!details.course)
        return std::nullopt;
    record.course = *details.course;
    record.modelVersion = details.modelVersion;
    return record;
}

} // namespace

// A case that measurements go to: one of the book, or one recreated from the Bundle.
struct FhirImport::Target {
    CaseRecord record;
    QList<Visit> stored;
    bool isNew = false;
    std::optional<double> newHeight;
    int heightEntry = 0;
    struct Pending {
        std::optional<double> bmi;
        std::optional<double> weight;
        QVector<int> entries;
        int bmiEntry = 0;
        int weightEntry = 0;
    };
    std::map<QDate, Pending> visits;

    std::optional<double> height() const { return record.heightMetres ? record.heightMetres : newHeight; }
};

FhirImport::FhirImport(FhirCaseBook &book, const QString &caseCodeSystem)
    : m_book(book)
    , m_reader(caseCodeSystem)
{
}

FhirImport::Outcome FhirImport::runFile(const QString &fileName)
{
    QFile file(fileName);
    const QString name = QDir::toNativeSeparators(fileName);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = FhirTr::tr("Cannot read %1: %2.").arg(name, file.errorString());
        return Failed;
    }
    // Said before the whole file is read into memory.
    if (file.size() > FhirBundleReader::MaxBytes) {
        m_error = FhirTr::tr("Cannot import %1: it is too large: %2 MB, and at most %3 MB are read.")
                      .arg(name).arg(file.size() >> 20).arg(FhirBundleReader::MaxBytes >> 20);
        return Failed;
    }
    m_error.clear();
    m_refusals.clear();
    m_notes.clear();
    m_visitsAdded = m_casesAdded = m_casesWithVisits = 0;
    const Outcome outcome = m_reader.read(file) ? plan() : Failed;
    if (outcome == Failed && !m_reader.error().isEmpty())
        m_error = FhirTr::tr("Cannot import %1: %2.").arg(name, m_reader.error());
    return outcome;
}

FhirImport::Outcome FhirImport::run(const QByteArray &bytes)
{
    m_error.clear();
    m_refusals.clear();
    m_notes.clear();
    m_visitsAdded = m_casesAdded = m_casesWithVisits = 0;
    if (!m_reader.read(bytes)) {
        m_error = FhirTr::tr("Cannot import the file: %1.").arg(m_reader.error());
        return Failed;
    }
    return plan();
}

FhirImport::Outcome FhirImport::plan()
{
    // Of the book only the cases the Bundle names are kept, read a page at a time.
    QSet<QString> named;
    for (const Measurement &m : m_reader.measurements())
        named.insert(CaseFields::foldedCode(m.code));
    for (auto it = m_reader.caseDetails().constBegin(); it != m_reader.caseDetails().constEnd(); ++it)
        named.insert(CaseFields::foldedCode(it.key()));
    QHash<QString, Target> targets;
    const bool read = m_book.forEach([&](const FhirCase &item) {
        const QString fold = CaseFields::foldedCode(item.record.code);
        if (named.contains(fold)) {
            Target target;
            target.record = item.record;
            target.stored = item.visits;
            targets.insert(fold, target);
        }
        return true;
    });
    if (!read) {
        m_error = m_book.error();
        return Failed;
    }
    const auto refuse = [this](int entry, const QString &text) { m_refusals.append({entry, text}); };
    const auto note = [this](int entry, const QString &text) { m_notes.append({entry, text}); };

    const auto &details = m_reader.caseDetails();
    for (auto it = details.constBegin(); it != details.constEnd(); ++it) {
        if (targets.contains(CaseFields::foldedCode(it.key())))
            continue;
        std::optional<CaseRecord> record = recreated(it.key(), *it);
        if (!record)
            continue;
        if (!it->problem.isEmpty()) {
            refuse(it->entry, FhirTr::tr("the case \"%1\" cannot be recreated: %2").arg(it.key(), it->problem));
            continue;
        }
        if (const CaseStoreError invalid = CaseStore::check(*record)) {
            refuse(it->entry, FhirTr::tr("the case \"%1\" cannot be recreated: %2").arg(it.key(), invalid.message));
            continue;
        }
        Target target;
        target.record = *record;
        target.isNew = true;
        targets.insert(CaseFields::foldedCode(it.key()), target);
    }

    const QDate today = QDate::currentDate();
    // Heights first: a weight anywhere in the Bundle may need one.
    QVector<const Measurement *> usable;
    for (const Measurement &m : m_reader.measurements()) {
        if (!m.problem.isEmpty()) {
            refuse(m.entry, m.problem);
            continue;
        }
        const auto target = targets.find(CaseFields::foldedCode(m.code));
        if (target == targets.end()) {
            refuse(m.entry, FhirTr::tr("subject: the case \"%1\" is not in the case book").arg(m.code));
            continue;
        }
        const QDate baseline = target->record.baselineDate;
        if (m.date < baseline) {
            refuse(m.entry, FhirTr::tr("effectiveDateTime: %1 is before the case's baseline date %2")
                                .arg(dateText(m.date), dateText(baseline)));
            continue;
        }
        if (m.date > today) {
            refuse(m.entry, FhirTr::tr("effectiveDateTime: %1 is after today").arg(dateText(m.date)));
            continue;
        }
        if (m.measure != Measure::Height) {
            usable.append(&m);
            continue;
        }
        const std::optional<double> height = target->height();
        if (!height) {
            // Recreated cases keep it as their own; cases of the book take it with the visits.
            if (target->isNew)
                target->record.heightMetres = m.value;
            else
                target->newHeight = m.value;
            target->heightEntry = m.entry;
        } else if (*height == m.value) {
            if (!target->isNew || m.entry != target->heightEntry)
                note(m.entry, FhirTr::tr("the height of \"%1\" is already %2 m").arg(m.code, numberText(m.value)));
        } else if (target->newHeight) {
            refuse(m.entry, FhirTr::tr("valueQuantity: a height of %1 m for \"%2\", but entry %3 gives %4 m")
                                .arg(numberText(m.value), m.code).arg(target->heightEntry)
                                .arg(numberText(*height)));
        } else {
            note(m.entry, FhirTr::tr("\"%1\" keeps its height of %2 m, not %3 m")
                              .arg(m.code, numberText(*height), numberText(m.value)));
        }
    }

    for (const Measurement *m : std::as_const(usable)) {
        Target &target = targets[CaseFields::foldedCode(m->code)];
        if (m->date == target.record.baselineDate) {
            note(m->entry, FhirTr::tr("on the baseline date of \"%1\", which its initial BMI stands for")
                               .arg(m->code));
            continue;
        }
        Target::Pending &visit = target.visits[m->date];
        std::optional<double> &value = m->measure == Measure::Bmi ? visit.bmi : visit.weight;
        int &entry = m->measure == Measure::Bmi ? visit.bmiEntry : visit.weightEntry;
        if (value && *value != m->value) {
            refuse(m->entry, FhirTr::tr("valueQuantity: a %1 of %2 for \"%3\" on %4, but entry %5 gives %6")
                                 .arg(QLatin1String(measureName(m->measure)), numberText(m->value), m->code,
                                      dateText(m->date)).arg(entry).arg(numberText(*value)));
        } else if (value) {
            note(m->entry, FhirTr::tr("the same as entry %1").arg(entry));
        } else {
            value = m->value;
            entry = m->entry;
            visit.entries.append(m->entry);
        }
    }

    QVector<FhirCase> newCases;
    QVector<CaseVisits> stored;
    for (auto it = targets.begin(); it != targets.end(); ++it) {
        Target &target = *it;
        QList<Visit> visits;
        for (auto &[date, pending] : target.visits) {
            Visit visit;
            visit.date = date;
            visit.weightKg = pending.weight;
            if (pending.bmi) {
                visit.bmi = *pending.bmi;
            } else if (const std::optional<double> height = target.height()) {
                visit.bmi = bmiFromWeight(*pending.weight, *height);
                if (!(visit.bmi >= VisitLimits::BmiLowest && visit.bmi <= VisitLimits::BmiHighest)) {
                    refuse(pending.weightEntry,
                           FhirTr::tr("valueQuantity: a weight of %1 kg at a height of %2 m gives a BMI of %3, "
                                     "outside %4 to %5")
                               .arg(numberText(*pending.weight), numberText(*height),
                                    QString::number(visit.bmi, 'f', 2), numberText(VisitLimits::BmiLowest),
                                    numberText(VisitLimits::BmiHighest)));
                    continue;
                }
            } else {
                refuse(pending.weightEntry,
                       FhirTr::tr("valueQuantity: \"%1\" has no height to work the BMI out from the weight")
                           .arg(target.record.code));
                continue;
            }
            const auto earlier = std::find_if(target.stored.cbegin(), target.stored.cend(),
                                              [day = date](const Visit &v) { return v.date == day; });
            if (earlier == target.stored.cend()) {
                visits.append(visit);
                continue;
            }
            const bool same = earlier->bmi == visit.bmi
                && (!visit.weightKg || earlier->weightKg == visit.weightKg);
            for (int entry : std::as_const(pending.entries)) {
                if (same)
                    note(entry, FhirTr::tr("already in the case book (\"%1\" on %2); not added again")
                                    .arg(target.record.code, dateText(date)));
                else
                    refuse(entry, FhirTr::tr("the case \"%1\" already has a visit on %2 with a BMI of %3; "
                                            "it is not replaced")
                                      .arg(target.record.code, dateText(date), numberText(earlier->bmi)));
            }
        }
        if (target.isNew) {
            newCases.append({target.record, visits});
        } else if (!visits.isEmpty() || target.newHeight) {
            stored.append({target.record.id, visits, target.newHeight});
        }
        m_visitsAdded += visits.size();
        m_casesWithVisits += visits.isEmpty() ? 0 : 1;
    }

    const auto byEntry = [](const Note &a, const Note &b) { return a.entry < b.entry; };
    std::stable_sort(m_refusals.begin(), m_refusals.end(), byEntry);
    std::stable_sort(m_notes.begin(), m_notes.end(), byEntry);
    if (!m_refusals.isEmpty()) {
        m_visitsAdded = m_casesWithVisits = 0;
        return Refused;
    }
    std::sort(newCases.begin(), newCases.end(),
              [](const FhirCase &a, const FhirCase &b) { return a.record.code < b.record.code; });
    if ((!newCases.isEmpty() || !stored.isEmpty()) && !m_book.add(&newCases, stored)) {
        m_error = m_book.error();
        m_visitsAdded = m_casesWithVisits = 0;
        return Failed;
    }
    m_casesAdded = newCases.size();
    return Imported;
}

QString FhirImport::summary() const
{
    // The word for one and for more, each a text of its own.
    struct Noun {
        const char *one;
        const char *many;
    };
    static const Noun visits{QT_TRANSLATE_NOOP("Fhir", "visit"), QT_TRANSLATE_NOOP("Fhir", "visits")};
    static const Noun cases{QT_TRANSLATE_NOOP("Fhir", "case"), QT_TRANSLATE_NOOP("Fhir", "cases")};
    static const Noun observations{QT_TRANSLATE_NOOP("Fhir", "observation"),
                                   QT_TRANSLATE_NOOP("Fhir", "observations")};
    static const Noun resources{QT_TRANSLATE_NOOP("Fhir", "resource"),
                                QT_TRANSLATE_NOOP("Fhir", "resources")};
    const auto counted = [](int n, const Noun &noun) {
        return QStringLiteral("%1 %2").arg(n).arg(FhirTr::tr(n == 1 ? noun.one : noun.many));
    };
    const FhirBundleReader::Skipped &skipped = m_reader.skipped();
    QString text = FhirTr::tr("Added %1 to %2").arg(counted(m_visitsAdded, visits),
                                                   counted(m_casesWithVisits, cases));
    if (m_casesAdded > 0)
        text += FhirTr::tr(", recreating %1").arg(counted(m_casesAdded, cases));
    text += FhirTr::tr(". Not stored: %1 already in the case book or on a baseline date; "
                       "skipped: %2 of other kinds, %3 of other codes, %4 entered in error or "
                       "cancelled.")
                .arg(counted(int(m_notes.size()), observations),
                     counted(skipped.otherResources, resources),
                     counted(skipped.otherCodes, observations),
                     QString::number(skipped.withdrawn));
    return text;
}
