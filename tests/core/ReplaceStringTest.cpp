#include "core/ReplaceString.h"

#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QString text;
    QString find;
    QString replacement;
    bool caseSensitive;
    QString expected;
    int messages = 0;
};

void runCases(std::initializer_list<Case> cases)
{
    for (const Case& c : cases) {
        MessageRecorder recorder;
        EXPECT_EQ(core::ReplaceString(c.text, c.find, c.replacement, c.caseSensitive), c.expected) << c.name;
        EXPECT_EQ(recorder.messages().size(), c.messages) << c.name;
    }
}

} // namespace

TEST(ReplaceString, ReplacesEveryOccurrenceOnceFromLeftToRight)
{
    runCases({
        {"four blanks become two", QStringLiteral("a    b"), QStringLiteral("  "), QStringLiteral(" "), false,
         QStringLiteral("a  b")},
        {"replacement not searched again", QStringLiteral("aaa"), QStringLiteral("a"), QStringLiteral("aa"), true,
         QStringLiteral("aaaaaa")},
        {"non-overlapping", QStringLiteral("aaa"), QStringLiteral("aa"), QStringLiteral("X"), true,
         QStringLiteral("Xa")},
        {"match at the very end", QStringLiteral("ab"), QStringLiteral("b"), QString(), true, QStringLiteral("a")},
        {"not found", QStringLiteral("abc"), QStringLiteral("x"), QStringLiteral("y"), true, QStringLiteral("abc")},
        {"whole text", QStringLiteral("abc"), QStringLiteral("abc"), QString(), true, QString()},
    });
}

TEST(ReplaceString, CaseIsIgnoredUnitByUnit)
{
    runCases({
        {"euro ignoring case", QStringLiteral("Preis 5 EUR"), QStringLiteral(" eur"), QStringLiteral("€"), false,
         QStringLiteral("Preis 5€")},
        {"euro respecting case", QStringLiteral("Preis 5 EUR"), QStringLiteral(" eur"), QStringLiteral("€"), true,
         QStringLiteral("Preis 5 EUR")},
        {"umlauts", QStringLiteral("Über über ÜBER uber"), QStringLiteral("über"), QStringLiteral("X"), false,
         QStringLiteral("X X X uber")},
        {"sharp s keeps its length", QStringLiteral("Größe GRÖSSE GRÖßE"), QStringLiteral("größe"), QStringLiteral("X"),
         false, QStringLiteral("X GRÖSSE X")},
        {"SS does not find ß", QStringLiteral("straße"), QStringLiteral("STRASSE"), QStringLiteral("X"), false,
         QStringLiteral("straße")},
        {"positions after a match", QStringLiteral("ÄäÄ-ää"), QStringLiteral("ää"), QStringLiteral("x"), false,
         QStringLiteral("xÄ-x")},
    });
}

TEST(ReplaceString, WildcardIsResolvedAtTheFirstExactOccurrenceOfItsPrefix)
{
    runCases({
        {"word up to the blank", QStringLiteral("xx abcdef yy"), QStringLiteral("abc*"), QStringLiteral("X"), false,
         QStringLiteral("xx X yy")},
        {"no blank behind: the prefix alone", QStringLiteral("xx abcdef"), QStringLiteral("abc*"), QStringLiteral("X"),
         false, QStringLiteral("xx Xdef")},
        {"word runs across a line break", QStringLiteral("abcdef\r\ngh ij"), QStringLiteral("abc*"),
         QStringLiteral("X"), false, QStringLiteral("X ij")},
        {"only the first word", QStringLiteral("abc1 und abc2 ende"), QStringLiteral("abc*"), QStringLiteral("X"),
         false, QStringLiteral("X und abc2 ende")},
        {"repetitions of that word", QStringLiteral("abc1 und abc1 ende abc1x"), QStringLiteral("abc*"),
         QStringLiteral("X"), false, QStringLiteral("X und X ende Xx")},
        {"prefix search respects case", QStringLiteral("Abcdef x"), QStringLiteral("abc*"), QStringLiteral("X"), false,
         QStringLiteral("Xdef x")},
        // The exact "abc" is in "abcd"; that word is then found case-insensitively earlier, inside "Abcdef".
        {"resolved word found earlier", QStringLiteral("Abcdef x abcd y"), QStringLiteral("abc*"), QStringLiteral("X"),
         false, QStringLiteral("Xef x X y")},
        {"resolved word respecting case", QStringLiteral("Abcdef x abcd y"), QStringLiteral("abc*"),
         QStringLiteral("X"), true, QStringLiteral("Abcdef x X y")},
        {"link", QStringLiteral("Siehe http://a.de/x?y=1 und http://b.de"), QStringLiteral("http://*"),
         QStringLiteral("(Link)"), false, QStringLiteral("Siehe (Link) und http://b.de")},
        {"star alone: the first word", QStringLiteral("eins zwei"), QStringLiteral("*"), QStringLiteral("X"), false,
         QStringLiteral("X zwei")},
        {"star alone, one word: replacement alone and a message", QStringLiteral("eins"), QStringLiteral("*"),
         QStringLiteral("X"), false, QStringLiteral("X"), 1},
        // A resolved word that ends in "*" is a wildcard again for the rest of the text.
        {"resolved word ending in star", QStringLiteral("ab* abc ab*"), QStringLiteral("a*"), QStringLiteral("X"), true,
         QStringLiteral("X X ab*")},
    });
}

TEST(ReplaceString, EmptyInputs)
{
    runCases({
        {"empty text, empty pattern", QString(), QString(), QStringLiteral("x"), false, QString()},
        {"empty text", QString(), QStringLiteral("a"), QStringLiteral("x"), false, QString()},
        {"empty pattern", QStringLiteral("abc"), QString(), QStringLiteral("x"), false, QString(), 1},
    });

    MessageRecorder recorder;
    core::ReplaceString(QStringLiteral("abc"), QString(), QStringLiteral("x"), true);
    ASSERT_EQ(recorder.messages().size(), 1);
    EXPECT_EQ(recorder.messages()[0].title, QStringLiteral("Function: ReplaceString"));
    EXPECT_EQ(recorder.messages()[0].text, QStringLiteral("StrToFind=?  "));
    EXPECT_EQ(recorder.messages()[0].buttons, core::MessageButtons::Ok);
}

TEST(ReplaceString, ManyMatchesNeitherOverflowNorSlowDown)
{
    const QString blanks(200000, QLatin1Char(' '));
    EXPECT_EQ(core::ReplaceString(blanks, QStringLiteral("  "), QStringLiteral(" "), false),
              QString(100000, QLatin1Char(' ')));

    const QString words = QStringLiteral("abc1 ").repeated(100000);
    EXPECT_EQ(core::ReplaceString(words, QStringLiteral("abc*"), QStringLiteral("X"), false),
              QStringLiteral("X ").repeated(100000));
}
