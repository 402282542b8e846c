#pragma once

#include <QString>

class QLocale;
class QTime;
class QDate;

namespace announce {

// "Es ist 14 Uhr 5 und 30 Sekunden": the spoken time; seconds only when secX is 1 (a checked box).
QString Zeit(const QTime& time, int secX);
// "Heute ist Samstag, der 5. Dezember 2026": names from the locale.
QString Datum(const QDate& date, const QLocale& locale);

} // namespace announce
