#include "casefields.h"

#include "casestr.h"
#include "textcheck.h"

#include <QCoreApplication>
#include <QList>

namespace CaseFields {

QString predictorColumn(Predictor predictor)
{
    static const char *const names[PredictorCount] = {
        "restrained_eating",     "emotional_eating",           "external_eating",
        "personal_standards",    "concern_over_mistakes",      "body_image_dissatisfaction",
        "alexithymia",           "initial_bmi",
    };
    return QString::fromLatin1(names[static_cast<int>(predictor)]);
}

QString predictorColumns(const QString &prefix)
{
    QStringList columns;
    for (int p = 0; p < PredictorCount; ++p)
        columns << prefix + predictorColumn(p);
    return columns.join(QStringLiteral(", "));
}

QString monthColumn(int month)
{
    return QStringLiteral("predicted_month_%1").arg(month);
}

int codeLength(const QString &code)
{
    // What a person counts as characters: an emoji is one, not two UTF-16 units.
    return code.toUcs4().size();
}

QString storedCode(const QString &code)
{
    return code.normalized(QString::NormalizationForm_C);
}

QString foldedCode(const QString &code)
{
    return storedCode(code).toCaseFolded();
}

QString newCodeRefusal(const QString &code)
{
    if (!code.isEmpty() && QStringLiteral("=+-@").contains(code.front()))
        return CasesTr::tr(
                                           "begins with “%1”, which a spreadsheet would take for "
                                           "a formula")
            .arg(code.front());
    if (const TextCheck::Fault fault = TextCheck::check(code, TextCheck::Line))
        return fault.clause();
    return QString();
}

} // namespace CaseFields
