#ifndef CASERECORD_H
#define CASERECORD_H

#include "bmicourse.h"
#include "lastvisit.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <QVector>

#include <array>
#include <optional>

// One person followed in the case book, known only by a code the clinician chose.
struct CaseRecord {
    qint64 id = 0; // given by the store; 0 until saved
    QString code;  // a pseudonym, kept exactly as typed
    QDate baselineDate;
    std::optional<double> heightMetres;
    PredictorValues predictors{};
    // Per predictor, the questionnaire and scale it came from; empty when typed.
    std::array<QString, PredictorCount> sources;
    // Per predictor that came from a questionnaire, the ticked option of each item in the
    // order shown (options count from 0, -1 for an item left unanswered); empty otherwise.
    std::array<QVector<int>, PredictorCount> answers;
    BmiCourse course{};
    QString modelVersion;

    // Kept by the store.
    QString createdBy;
    QDateTime createdAt;
    QString changedBy;
    QDateTime changedAt;
    qint64 rowVersion = 0; // grows with every change; an edit names the version it started from
};

// What the case list shows of a case.
struct CaseSummary {
    qint64 id = 0;
    QString code;
    QDate baselineDate;
    double initialBmi = 0;
    double month6 = 0;
    // Filled by a search, with the last visits: the list shows their differences in kg.
    std::optional<double> heightMetres;
};

// One bounded step of a search through the case list in order of code.
struct CaseSearchStep {
    QVector<CaseSummary> matches;
    QHash<qint64, LastVisit> lastVisits; // of the matches that have visits, read with them
    QString scannedTo; // the last code looked at; the next step starts after it
    bool finished = false; // no codes after scannedTo
};

// One entry of the audit trail. The values of a case's entries are erased with the case;
// the entry that it was created, changed or deleted stays.
struct CaseAuditEntry {
    qint64 id = 0;
    qint64 caseId = 0;
    QString action; // "insert", "update" or "delete"
    QString user;
    QString databaseUser; // the server account that wrote the entry; empty in a SQLite file
    QDateTime time;
    struct Change {
        QString field;
        QString oldValue; // empty for an insert
        QString newValue;
    };
    QVector<Change> changes;
};

#endif // CASERECORD_H
