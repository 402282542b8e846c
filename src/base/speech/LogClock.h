#pragma once

#include <QString>

namespace speech {

// The log's time stamp: "13:05:09,50" for 47109.5 s with hundredths, "13:05:09" without.
QString FormatClock(double secondsSinceMidnight, int withHundredths);

} // namespace speech
