#include "speech/LogClock.h"

#include <cmath>

namespace speech {

QString FormatClock(double secondsSinceMidnight, int withHundredths)
{
    // Clock readings come in whole milliseconds, and 0.29 s is 0.28999... as a double: round to milliseconds
    // first, then cut off to seconds and hundredths.
    const auto milliseconds = static_cast<qint64>(std::floor(secondsSinceMidnight * 1000 + 0.5));
    const qint64 whole = milliseconds / 1000;
    const qint64 hours = whole / 60 / 60;
    const qint64 minutes = (whole / 60) % 60;
    const qint64 seconds = whole % 60;
    QString clock = QStringLiteral("%1:%2:%3")
                        .arg(hours, 2, 10, QLatin1Char('0'))
                        .arg(minutes, 2, 10, QLatin1Char('0'))
                        .arg(seconds, 2, 10, QLatin1Char('0'));
    if (withHundredths > 0)
        clock += QStringLiteral(",%1").arg((milliseconds / 10) % 100, 2, 10, QLatin1Char('0'));
    return clock;
}

} // namespace speech
