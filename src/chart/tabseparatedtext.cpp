#include "tabseparatedtext.h"

#include <QAbstractItemModel>
#include <QDateTime>
#include <QLocale>

namespace {

QString timeText(const QTime &time)
{
    return time.toString(time.msec() ? QStringLiteral("hh:mm:ss.zzz")
                                     : QStringLiteral("hh:mm:ss"));
}

// QString::number writes as the C locale does, whatever the user's locale.
QString numberText(double value)
{
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

QString plainText(QString text)
{
    for (QChar &c : text) {
        if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            c = QLatin1Char(' ');
    }
    return text;
}

// An invalid date or time is left empty rather than written as a made-up value.
QString cellText(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::UnknownType:
        return QString();
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    case QMetaType::QDate:
        return value.toDate().toString(Qt::ISODate);
    case QMetaType::QTime: {
        const QTime time = value.toTime();
        return time.isValid() ? timeText(time) : QString();
    }
    case QMetaType::QDateTime: {
        const QDateTime at = value.toDateTime();
        if (!at.isValid())
            return QString();
        return at.date().toString(Qt::ISODate) + QLatin1Char(' ') + timeText(at.time());
    }
    default:
        return plainText(value.toString());
    }
}

void appendLine(QString &text, const QAbstractItemModel &model, int row)
{
    const int columns = model.columnCount();
    for (int column = 0; column < columns; ++column) {
        if (column > 0)
            text += QLatin1Char('\t');
        text += cellText(row < 0 ? model.headerData(column, Qt::Horizontal, Qt::DisplayRole)
                                 : model.data(model.index(row, column), Qt::DisplayRole));
    }
    text += QLatin1Char('\n');
}

} // namespace

QString tabSeparatedText(const QAbstractItemModel &model)
{
    QString text;
    appendLine(text, model, -1);
    const int rows = model.rowCount();
    for (int row = 0; row < rows; ++row)
        appendLine(text, model, row);
    return text;
}
