#ifndef TYPEDDATE_H
#define TYPEDDATE_H

#include <QDate>
#include <QString>

// A date as typed, read without any guessing: four-digit year, two-digit month and day
// (yyyy-MM-dd, as the program shows dates), a real calendar date, and within the accepted
// range. Anything else is refused with a message that names the field, the text typed and
// the range.
struct TypedDate {
    QDate date;      // valid only when accepted
    QString refusal; // empty when accepted

    bool ok() const { return refusal.isEmpty(); }

    // fieldName starts the message, such as "The visit date"; first and last are included.
    // why, when given, ends a refusal with the reason for the range.
    static TypedDate read(const QString &text, const QString &fieldName, const QDate &first,
                          const QDate &last, const QString &why = QString());
    // How the program writes a date.
    static QString text(const QDate &date);
};

#endif // TYPEDDATE_H
