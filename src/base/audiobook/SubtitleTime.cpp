#include "base/audiobook/SubtitleTime.h"

#include <algorithm>

namespace audiobook {

qint64 unitsOf(qint64 samples, int sampleRate, int unitsPerSecond)
{
    if (samples <= 0 || sampleRate <= 0)
        return 0;
    // Whole seconds and the rest apart, so that no product overflows; a stream of 10^12 seconds is no book.
    const qint64 seconds = std::min(samples / sampleRate, qint64(1'000'000'000'000));
    const qint64 rest = samples % sampleRate;
    return seconds * unitsPerSecond + (rest * unitsPerSecond + sampleRate / 2) / sampleRate;
}

QString clockTime(qint64 milliseconds, QChar separator)
{
    const qint64 seconds = milliseconds / 1000;
    return QStringLiteral("%1:%2:%3%4%5")
        .arg(seconds / 3600, 2, 10, QChar(u'0'))
        .arg(seconds / 60 % 60, 2, 10, QChar(u'0'))
        .arg(seconds % 60, 2, 10, QChar(u'0'))
        .arg(separator)
        .arg(milliseconds % 1000, 3, 10, QChar(u'0'));
}

} // namespace audiobook
