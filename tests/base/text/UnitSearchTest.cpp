#include "base/text/UnitSearch.h"

#include <QString>

#include <gtest/gtest.h>

#include <random>

// The vector paths step 8 or 16 positions at a time and test three units of each candidate: every needle length,
// start position and text end must still give the first occurrence, and every occurrence that does not overlap the
// one before, as a plain search does.
TEST(UnitSearch, FindsOccurrencesLikeAPlainSearch)
{
    std::mt19937 random(7);
    // Few units make repeated near-matches common; two of them look alike to a search by their low bytes.
    const char16_t alphabet[] = {u'a', u'b', 0xFF, 0x17F};
    std::uniform_int_distribution<int> unit(0, 3);
    const auto units = [](const QString& text) { return reinterpret_cast<const char16_t*>(text.utf16()); };
    for (int round = 0; round < 200; ++round) {
        QString haystack;
        const int size = round % 70;
        for (int i = 0; i < size; ++i)
            haystack.append(QChar(alphabet[unit(random)]));
        for (int length = 1; length <= 20; ++length) {
            QString needle;
            for (int i = 0; i < length; ++i)
                needle.append(QChar(alphabet[unit(random)]));
            if (length <= size && round % 2 == 0)
                needle = haystack.sliced(size - length); // one that is there, at the very end
            for (qsizetype from = 0; from <= size; from += 3) {
                const qsizetype expected = QStringView(haystack).indexOf(needle, from);
                ASSERT_EQ(core::findUnits(units(haystack), size, from, units(needle), length), expected)
                    << qPrintable(haystack) << " / " << qPrintable(needle) << " from " << from;
                std::vector<qsizetype> all, expectedAll;
                qsizetype behind = from;
                for (qsizetype at = expected; at >= 0; at = QStringView(haystack).indexOf(needle, behind)) {
                    expectedAll.push_back(at);
                    behind = at + length;
                }
                ASSERT_EQ(core::findAllUnits(units(haystack), size, from, units(needle), length, all), behind);
                ASSERT_EQ(all, expectedAll) << qPrintable(haystack) << " / " << qPrintable(needle) << " from " << from;
            }
        }
    }
}
