#include "core/Version.h"

#include <gtest/gtest.h>

namespace {

struct VersionCase {
    int major;
    int minor;
    int revision;
    QString expected;
};

TEST(Version, MinorHasTwoDigitsAndRevisionIsALetter)
{
    const VersionCase cases[] = {
        {2, 3, 2, "2.03b"},   {2, 3, 0, "2.03"},     {1, 0, 1, "1.00a"},     {10, 12, 26, "10.12z"},
        {3, 123, 0, "3.23"},  {2, 3, 9999, "2.03ß"}, {2, 3, 27, "2.03aa"},   {2, 3, 52, "2.03az"},
        {2, 3, 53, "2.03ba"}, {2, 3, 702, "2.03zz"}, {2, 3, 703, "2.03aaa"},
    };
    for (const VersionCase& c : cases)
        EXPECT_EQ(core::formatProgVer(c.major, c.minor, c.revision), c.expected) << c.revision;
}

} // namespace
