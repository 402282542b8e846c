#include "base/core/Version.h"

#include <gtest/gtest.h>

namespace {

TEST(Version, MinorHasTwoDigitsAndRevisionIsALetter)
{
    const std::tuple<int, int, int, QString> cases[] = {
        {2, 3, 2, "2.03b"},   {2, 3, 0, "2.03"},     {1, 0, 1, "1.00a"},     {10, 12, 26, "10.12z"},
        {3, 123, 0, "3.23"},  {2, 3, 9999, "2.03ß"}, {2, 3, 27, "2.03aa"},   {2, 3, 52, "2.03az"},
        {2, 3, 53, "2.03ba"}, {2, 3, 702, "2.03zz"}, {2, 3, 703, "2.03aaa"},
    };
    for (const auto& [major, minor, revision, expected] : cases)
        EXPECT_EQ(core::formatProgVer(major, minor, revision), expected) << revision;
}

} // namespace
