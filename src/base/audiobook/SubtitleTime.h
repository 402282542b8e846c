#pragma once

#include <QString>
#include <QtGlobal>

namespace audiobook {

// The whole units (1000 a second for milliseconds, 100 for hundredths) nearest to a sample position, halves
// rounded up. Every format rounds the same way, so times that do not go back in samples do not go back in any
// format either. Negative positions count as 0.
qint64 unitsOf(qint64 samples, int sampleRate, int unitsPerSecond);

// "HH:MM:SS" + separator + "mmm" from milliseconds; hours get a third digit from 100 on.
QString clockTime(qint64 milliseconds, QChar separator);

} // namespace audiobook
