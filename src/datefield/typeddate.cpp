#include "typeddate.h"

#include "datefieldtr.h"

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

TypedDate refused(QString message, const QString &why)
{
    if (!why.isEmpty())
        message += QLatin1Char(' ') + why;
    return {QDate(), message};
}

} // namespace

QString TypedDate::text(const QDate &date)
{
    return date.toString(QStringLiteral("yyyy-MM-dd"));
}

TypedDate TypedDate::read(const QString &text, const QString &fieldName, const QDate &first,
                          const QDate &last, const QString &why)
{
    const QString range = first <= last
        ? DateFieldTr::tr("Dates from %1 to %2 are accepted.").arg(TypedDate::text(first), TypedDate::text(last))
        : DateFieldTr::tr("No date is accepted yet: the first possible date, %1, is after the last, %2.")
              .arg(TypedDate::text(first), TypedDate::text(last));
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return refused(DateFieldTr::tr("%1 is empty. Type it as year-month-day, such as %2. %3")
                           .arg(fieldName, TypedDate::text(last), range), why);

    // Only ASCII digits: the field never reads a date out of other scripts' numerals.
    static const QRegularExpression shape(QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})$"));
    const QRegularExpressionMatch parts = shape.match(typed);
    if (!parts.hasMatch())
        return refused(DateFieldTr::tr("%1 “%2” is not written as year-month-day, such as %3. %4")
                           .arg(fieldName, text, TypedDate::text(last), range), why);
    const int year = parts.captured(1).toInt();
    const int month = parts.captured(2).toInt();
    const int day = parts.captured(3).toInt();
    const QDate date(year, month, day);
    if (!date.isValid()) {
        if (month < 1 || month > 12)
            return refused(DateFieldTr::tr("%1 “%2” is not a date: there is no month %3. %4")
                               .arg(fieldName, text)
                               .arg(month)
                               .arg(range), why);
        return refused(DateFieldTr::tr("%1 “%2” is not a date: %3 has %4 days. %5")
                           .arg(fieldName, text, QDate(year, month, 1).toString(QStringLiteral("yyyy-MM")))
                           .arg(QDate(year, month, 1).daysInMonth())
                           .arg(range), why);
    }
    if (date < first || date > last)
        return refused(DateFieldTr::tr("%1 %2 is outside the accepted range. %3")
                           .arg(fieldName, TypedDate::text(date), range), why);
    return {date, QString()};
}
