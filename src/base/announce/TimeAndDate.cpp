#include "base/announce/TimeAndDate.h"

#include <QDate>
#include <QLocale>
#include <QTime>

namespace announce {

QString Zeit(const QTime& time, int secX)
{
    QString hour = QString::number(time.hour());
    QString minute = QString::number(time.minute());
    QString second = QString::number(time.second());
    QString connector = QStringLiteral(" und ");
    QString unit = QStringLiteral(" Sekunden");

    // Only the exact words "1" and "0" change; every other number is spoken from its digits.
    if (hour == QLatin1String("1"))
        hour = QStringLiteral("Ein");
    if (minute == QLatin1String("0"))
        minute.clear();
    if (minute == QLatin1String("1"))
        minute = QStringLiteral("Eins");
    if (second == QLatin1String("0")) {
        second.clear();
        connector.clear();
        unit.clear();
    }
    if (second == QLatin1String("1")) {
        second = QStringLiteral("eine");
        unit = QStringLiteral(" Sekunde");
    }

    // Not trimmed: on a full hour the sentence ends in the blank after "Uhr".
    QString sentence = QStringLiteral("Es ist ") + hour + QStringLiteral(" Uhr ") + minute;
    if (secX == 1)
        sentence += connector + second + unit;
    return sentence;
}

QString Datum(const QDate& date, const QLocale& locale)
{
    return QStringLiteral("Heute ist ") + locale.dayName(date.dayOfWeek(), QLocale::LongFormat) +
           QStringLiteral(", der ") + QString::number(date.day()) + QStringLiteral(". ") +
           locale.monthName(date.month(), QLocale::LongFormat) + QLatin1Char(' ') +
           QStringLiteral("%1").arg(date.year(), 4, 10, QLatin1Char('0'));
}

} // namespace announce
