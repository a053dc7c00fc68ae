#include "datefield.h"

#include "datefieldtr.h"

#include <QAction>
#include <QCalendarWidget>
#include <QPainter>

namespace {

// A small calendar leaf drawn in the text colour, so that it follows the palette.
QIcon calendarIcon(const QColor &colour)
{
    QPixmap picture(32, 32);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(colour, 2));
    painter.drawRoundedRect(QRectF(4, 6, 24, 22), 3, 3);
    painter.fillRect(QRectF(4, 6, 24, 6), colour);
    painter.drawLine(QPointF(10, 3), QPointF(10, 9));
    painter.drawLine(QPointF(22, 3), QPointF(22, 9));
    for (int row = 0; row < 2; ++row) {
        for (int column = 0; column < 3; ++column)
            painter.fillRect(QRectF(8 + column * 6, 15 + row * 6, 4, 4), colour);
    }
    return QIcon(picture);
}

} // namespace

DateField::DateField(const QString &fieldName, QWidget *parent)
    : QLineEdit(parent)
    , m_fieldName(fieldName)
{
    setPlaceholderText(DateFieldTr::tr("yyyy-mm-dd"));
    QAction *choose = addAction(calendarIcon(palette().color(QPalette::Text)),
                                QLineEdit::TrailingPosition);
    choose->setObjectName(QStringLiteral("chooseDateAction"));
    choose->setText(DateFieldTr::tr("Choose from the calendar"));
    choose->setToolTip(choose->text());
    connect(choose, &QAction::triggered, this, &DateField::showCalendar);
}

void DateField::setRange(const QDate &first, const QDate &last, const QString &why)
{
    m_first = first;
    m_last = last;
    m_why = why;
}

void DateField::setDate(const QDate &date)
{
    setText(TypedDate::text(date));
}

TypedDate DateField::read() const
{
    return TypedDate::read(text(), m_fieldName, m_first, m_last, m_why);
}

void DateField::showCalendar()
{
    if (m_first > m_last)
        return; // no date to offer; typing one says why
    if (!m_calendar) {
        m_calendar = new QCalendarWidget(this);
        m_calendar->setObjectName(QStringLiteral("dateCalendar"));
        m_calendar->setWindowFlags(Qt::Popup);
        m_calendar->setGridVisible(true);
        connect(m_calendar, &QCalendarWidget::clicked, this, [this](const QDate &date) {
            setDate(date);
            m_calendar->hide();
            setFocus();
        });
        connect(m_calendar, &QCalendarWidget::activated, m_calendar, &QCalendarWidget::clicked);
    }
    if (m_first <= m_last)
        m_calendar->setDateRange(m_first, m_last);
    // Opens at the date typed when it is one, else at the end of the range.
    const TypedDate typed = read();
    m_calendar->setSelectedDate(typed.ok() ? typed.date : m_last);
    m_calendar->adjustSize();
    m_calendar->move(mapToGlobal(QPoint(0, height())));
    m_calendar->show();
    m_calendar->setFocus();
}
