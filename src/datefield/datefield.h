#ifndef DATEFIELD_H
#define DATEFIELD_H

#include "typeddate.h"

#include <QLineEdit>

class QCalendarWidget;

// A date typed as yyyy-MM-dd and kept exactly as typed: the text is read only when the
// dialog asks for it, and a text that is not a date within the range is refused by name
// (see TypedDate), never corrected. The calendar button offers only dates in the range.
class DateField : public QLineEdit
{
    Q_OBJECT

public:
    // fieldName starts a refusal, such as "The visit date".
    explicit DateField(const QString &fieldName, QWidget *parent = nullptr);

    void setRange(const QDate &first, const QDate &last, const QString &why = QString());
    QDate first() const { return m_first; }
    QDate last() const { return m_last; }
    void setDate(const QDate &date);

    // The date typed, or why it is refused.
    TypedDate read() const;

    // Opens the calendar under the field (as its button does).
    void showCalendar();
    QCalendarWidget *calendar() const { return m_calendar; }

private:
    QString m_fieldName;
    QString m_why;
    QDate m_first;
    QDate m_last;
    QCalendarWidget *m_calendar = nullptr;
};

#endif // DATEFIELD_H
