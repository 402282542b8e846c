#include "base/text/ReplaceString.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QString text;
    QString find;
    QString replacement;
    bool caseSensitive;
    QString expected;
    bool fails = false; // met an empty pattern
};

void runCases(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        const core::Replaced replaced = core::ReplaceString(c.text, c.find, c.replacement, c.caseSensitive);
        EXPECT_EQ(replaced.text, c.expected) << c.name;
        EXPECT_EQ(!replaced.status.ok(), c.fails) << c.name;
    }
}

} // namespace

TEST(ReplaceString, ReplacesEveryOccurrenceOnceFromLeftToRight)
{
    runCases({
        {"four blanks become two", "a    b", "  ", " ", false, "a  b"},
        {"replacement not searched again", "aaa", "a", "aa", true, "aaaaaa"},
        {"non-overlapping", "aaa", "aa", "X", true, "Xa"},
        {"euro ignoring case", "Preis 5 EUR", " eur", "€", false, "Preis 5€"},
        {"euro respecting case", "Preis 5 EUR", " eur", "€", true, "Preis 5 EUR"},
        {"umlauts", "Über über ÜBER uber", "über", "X", false, "X X X uber"},
        {"sharp s keeps its length", "Größe GRÖSSE GRÖßE", "größe", "X", false, "X GRÖSSE X"},
        {"empty text", QString(), QStringLiteral("a"), QStringLiteral("x"), false, QString()},
    });
}

TEST(ReplaceString, WildcardIsResolvedAtTheFirstExactOccurrenceOfItsPrefix)
{
    runCases({
        {"word up to the blank", "xx abcdef yy", "abc*", "X", false, "xx X yy"},
        {"no blank behind: the prefix alone", "xx abcdef", "abc*", "X", false, "xx Xdef"},
        {"word runs across a line break", "abcdef\r\ngh ij", "abc*", "X", false, "X ij"},
        {"repetitions of that word", "abc1 und abc1 ende abc1x abc2", "abc*", "X", false, "X und X ende Xx abc2"},
        // The exact "abc" is in "abcd"; that word is then found case-insensitively earlier, inside "Abcdef".
        {"resolved word found earlier", "Abcdef x abcd y", "abc*", "X", false, "Xef x X y"},
        {"resolved word respecting case", "Abcdef x abcd y", "abc*", "X", true, "Abcdef x X y"},
        {"star alone: the first word", "eins zwei", "*", "X", false, "X zwei"},
        {"star alone, one word: replacement alone and a failure", "eins", "*", "X", false, "X", true},
        // A resolved word that ends in "*" is a wildcard again for the rest of the text.
        {"resolved word ending in star", "ab* abc ab*", "a*", "X", true, "X X ab*"},
    });
}

TEST(ReplaceString, EmptyPatternFailsAndDropsTheText)
{
    runCases({
        {"empty pattern", "abc", QString(), "x", true, QString(), true},
        {"empty text: nothing to report", QString(), QString(), "x", true, QString()},
    });
    const core::Message message = core::emptyPatternMessage();
    EXPECT_EQ(message.title, QStringLiteral("Function: ReplaceString"));
    EXPECT_EQ(message.text, QStringLiteral("StrToFind=?  "));
}

TEST(ReplaceString, ManyMatchesNeitherOverflowNorSlowDown)
{
    const QString blanks(200000, QLatin1Char(' '));
    EXPECT_EQ(core::ReplaceString(blanks, QStringLiteral("  "), QStringLiteral(" "), false).text,
              QString(100000, QLatin1Char(' ')));

    const QString words = QStringLiteral("abc1 ").repeated(100000);
    EXPECT_EQ(core::ReplaceString(words, QStringLiteral("abc*"), QStringLiteral("X"), false).text,
              QStringLiteral("X ").repeated(100000));
}
