#include "base/speech/LogClock.h"

#include <gtest/gtest.h>

namespace {

struct ClockCase {
    double seconds;
    int withHundredths;
    QString expected;
};

TEST(LogClock, FormatsSecondsSinceMidnight)
{
    const ClockCase cases[] = {
        {47109.5, 1, "13:05:09,50"},
        {47109.5, 0, "13:05:09"},
        {0, 1, "00:00:00,00"},
        {59.999, 1, "00:00:59,99"},
        {86399.5, 0, "23:59:59"},
        {86399.75, 1, "23:59:59,75"},
        {43200.125, 2, "12:00:00,12"},
        // Millisecond clock times: 0.29 s is 0.28999... as a double and must not show ",28".
        {0.29, 1, "00:00:00,29"},
        {47109.29, 1, "13:05:09,29"},
    };
    for (const ClockCase& c : cases)
        EXPECT_EQ(speech::FormatClock(c.seconds, c.withHundredths), c.expected) << c.seconds;
}

// Cut off after the binary error is gone, never rounded up into the next second.
TEST(LogClock, CutsOffInsteadOfRoundingUpIntoTheNextSecond)
{
    for (const double seconds : {59.9995, 59.9999, 59.999999})
        EXPECT_EQ(speech::FormatClock(seconds, 1), QStringLiteral("00:00:59,99")) << seconds;
}

} // namespace
