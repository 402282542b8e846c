#include "base/speech/LogClock.h"

#include <QtGlobal>

#include <cmath>

namespace speech {

QString FormatClock(double secondsSinceMidnight, int withHundredths)
{
    // Cut off, not rounded: 59.9996 s is still second 59. Only the binary error of the double is removed first
    // (0.29 s is 0.28999... as a double), by rounding to whole nanoseconds.
    const double clamped = std::isfinite(secondsSinceMidnight) ? qBound(0.0, secondsSinceMidnight, 1e9) : 0.0;
    const qint64 nanoseconds = std::llround(clamped * 1e9);
    const qint64 milliseconds = nanoseconds / 1000000;
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
