#include "core/UnitSearch.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>

// The vector paths step 8 or 16 positions at a time and test three units of each candidate: every needle length,
// start position and text end must still give the first occurrence, as a plain search does.
TEST(UnitSearch, FindsTheFirstOccurrenceLikeAPlainSearch)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> unit(0, 2); // three units make repeated near-matches common
    for (int round = 0; round < 200; ++round) {
        QString haystack;
        const int size = round % 70;
        for (int i = 0; i < size; ++i)
            haystack.append(QChar(u'a' + unit(random)));
        for (int length = 1; length <= 20; ++length) {
            QString needle;
            for (int i = 0; i < length; ++i)
                needle.append(QChar(u'a' + unit(random)));
            if (length <= size && round % 2 == 0)
                needle = haystack.sliced(size - length); // one that is there, at the very end
            for (qsizetype from = 0; from <= size; from += 3) {
                const qsizetype expected = QStringView(haystack).indexOf(needle, from);
                ASSERT_EQ(core::findUnits(reinterpret_cast<const char16_t*>(haystack.utf16()), size, from,
                                          reinterpret_cast<const char16_t*>(needle.utf16()), length),
                          expected)
                    << qPrintable(haystack) << " / " << qPrintable(needle) << " from " << from;
            }
        }
    }
}
