#ifndef VISITCHECK_H
#define VISITCHECK_H

#include "visit.h"

#include <QDate>
#include <QString>

#include <optional>

// The accepted ranges of a visit's values, bounds included.
struct VisitLimits {
    static constexpr double BmiLowest = 10;
    static constexpr double BmiHighest = 100;
    static constexpr double WeightLowest = 20;
    static constexpr double WeightHighest = 400;
    static constexpr double HeightLowest = 1.0; // metres, as stored
    static constexpr double HeightHighest = 2.5;
    // Typed in centimetres, as the weight-and-height dialog asks; kept in metres.
    static constexpr double HeightLowestCm = 100;
    static constexpr double HeightHighestCm = 250;
    static constexpr int NoteLength = 200;
};

// A visit as typed. With a weight, the BMI is worked out from it and the height (in cm);
// the height text counts only where the case has none yet.
struct VisitInput {
    QDate date;
    QString bmi;
    QString weight;
    QString height;
    QString note;
};

// What a check of a typed visit gives: the visit to store, or the field that failed and a
// message that names it, its accepted range and why the text was refused (a decimal comma,
// empty, not a number, out of range), as the main window says it.
struct VisitCheck {
    enum Field { None, Date, Bmi, Weight, Height, Note };

    Field failed = None;
    QString message;
    Visit visit;
    // A height typed for a case that had none; the case keeps it.
    std::optional<double> newHeightM;

    bool ok() const { return failed == None; }
};

// Checks a typed visit against the case's baseline and height and against today. Nothing
// is guessed: any field that does not read as a number in its range fails.
VisitCheck checkVisit(const VisitInput &input, const QDate &baseline,
                      std::optional<double> caseHeightM, const QDate &today);

// Reads a typed number as the predictor fields do (a decimal point, no group separators,
// finite), accepting it only within lowest to highest.
bool readVisitNumber(const QString &text, double lowest, double highest, double *value);

// BMI from weight (kg) and height (m).
double bmiFromWeight(double weightKg, double heightM);

#endif // VISITCHECK_H
