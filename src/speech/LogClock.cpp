#include "speech/LogClock.h"

#include <cmath>

namespace speech {

QString FormatClock(double secondsSinceMidnight, int withHundredths)
{
    const auto whole = static_cast<qint64>(std::floor(secondsSinceMidnight));
    const qint64 hours = whole / 60 / 60;
    const qint64 minutes = (whole / 60) % 60;
    const qint64 seconds = whole % 60;
    QString clock = QStringLiteral("%1:%2:%3")
                        .arg(hours, 2, 10, QLatin1Char('0'))
                        .arg(minutes, 2, 10, QLatin1Char('0'))
                        .arg(seconds, 2, 10, QLatin1Char('0'));
    if (withHundredths > 0) {
        const auto hundredths = static_cast<qint64>(std::floor(secondsSinceMidnight * 100)) % 100;
        clock += QStringLiteral(",%1").arg(hundredths, 2, 10, QLatin1Char('0'));
    }
    return clock;
}

} // namespace speech
