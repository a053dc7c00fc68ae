#include "visitcheck.h"

#include "followuptr.h"
#include "predictorcheck.h"
#include "textcheck.h"

#include <QCoreApplication>

namespace {

VisitCheck failure(VisitCheck::Field field, const QString &message)
{
    VisitCheck check;
    check.failed = field;
    check.message = message;
    return check;
}

// The field's rule, then why this text broke it.
QString withReason(const QString &rule, const QString &text, double lowest, double highest)
{
    return rule + QLatin1Char(' ') + refusalReason(text, PredictorRange{lowest, highest, ""});
}

QString dateText(const QDate &date)
{
    return date.toString(Qt::ISODate);
}

} // namespace

bool readVisitNumber(const QString &text, double lowest, double highest, double *value)
{
    return readPredictor(text, PredictorRange{lowest, highest, ""}, value);
}

double bmiFromWeight(double weightKg, double heightM)
{
    return weightKg / (heightM * heightM);
}

VisitCheck checkVisit(const VisitInput &input, const QDate &baseline,
                      std::optional<double> caseHeightM, const QDate &today)
{
    if (!input.date.isValid() || !baseline.isValid() || input.date <= baseline
        || input.date > today) {
        return failure(VisitCheck::Date,
                       FollowUpTr::tr("The visit date must be after the baseline date (%1) and not "
                                      "after today (%2).")
                           .arg(dateText(baseline), dateText(today)));
    }

    Visit visit;
    visit.date = input.date;
    visit.note = input.note.trimmed();
    std::optional<double> newHeight;
    if (input.weight.trimmed().isEmpty()) {
        if (!readVisitNumber(input.bmi, VisitLimits::BmiLowest, VisitLimits::BmiHighest,
                        &visit.bmi)) {
            return failure(VisitCheck::Bmi,
                           withReason(FollowUpTr::tr("The observed BMI must be a number from 10 to 100 kg/m² "
                                                     "(or give the weight from 20 to 400 kg instead)."),
                                      input.bmi, VisitLimits::BmiLowest, VisitLimits::BmiHighest));
        }
    } else {
        double weight = 0;
        if (!readVisitNumber(input.weight, VisitLimits::WeightLowest, VisitLimits::WeightHighest,
                        &weight)) {
            return failure(VisitCheck::Weight,
                           withReason(FollowUpTr::tr("The weight must be a number from 20 to 400 kg."),
                                      input.weight, VisitLimits::WeightLowest,
                                      VisitLimits::WeightHighest));
        }
        double height = 0;
        double centimetres = 0;
        if (caseHeightM) {
            height = *caseHeightM;
        } else if (readVisitNumber(input.height, VisitLimits::HeightLowestCm,
                                   VisitLimits::HeightHighestCm, &centimetres)) {
            height = centimetres / 100;
            newHeight = height;
        } else {
            return failure(VisitCheck::Height,
                           withReason(FollowUpTr::tr("The height must be a number from 100 to 250 cm; the "
                                                     "BMI is worked out from the weight and the height."),
                                      input.height, VisitLimits::HeightLowestCm,
                                      VisitLimits::HeightHighestCm));
        }
        visit.bmi = bmiFromWeight(weight, height);
        visit.weightKg = weight;
        if (!(visit.bmi >= VisitLimits::BmiLowest && visit.bmi <= VisitLimits::BmiHighest)) {
            return failure(VisitCheck::Weight,
                           FollowUpTr::tr("A weight of %1 kg at a height of %2 cm gives a BMI of %3; the "
                                          "observed BMI must be from 10 to 100 kg/m².")
                               .arg(QString::number(weight, 'g', 6),
                                    QString::number(height * 100, 'g', 6),
                                    QString::number(visit.bmi, 'f', 2)));
        }
    }

    if (visit.note.size() > VisitLimits::NoteLength) {
        return failure(VisitCheck::Note,
                       FollowUpTr::tr("The note must be at most %1 characters; it has %2.")
                           .arg(VisitLimits::NoteLength)
                           .arg(visit.note.size()));
    }
    if (const TextCheck::Fault fault = TextCheck::check(visit.note, TextCheck::Paragraphs))
        return failure(VisitCheck::Note, FollowUpTr::tr("The note %1. Please remove it.").arg(fault.clause()));

    VisitCheck check;
    check.visit = visit;
    check.newHeightM = newHeight;
    return check;
}
