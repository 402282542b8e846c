#include "base/text/RewriteEngine.h"
#include "base/text/ReplaceString.h"

#include <gtest/gtest.h>

#include <random>

// The block engine must give exactly what one ReplaceString call after another gives; these tests compare the two
// on inputs built to hit block boundaries, matches across replacements and the wildcard's corner cases.
namespace {

QString collapseByRepetition(QString text)
{
    QString before;
    do {
        before = text;
        text = core::ReplaceString(text, QStringLiteral("  "), QStringLiteral(" "), false).text;
    } while (text != before);
    return text;
}

// A small alphabet makes matches, case variants, blank runs and line breaks frequent.
const QString kAlphabet = QStringLiteral("aAbBäÄß  *%\r\neEuUrRo.,");

QString randomText(std::mt19937& random, int maxLength)
{
    QString text;
    const int length = std::uniform_int_distribution<int>(0, maxLength)(random);
    for (int i = 0; i < length; ++i)
        text += kAlphabet[std::uniform_int_distribution<int>(0, kAlphabet.size() - 1)(random)];
    return text;
}

// Patterns mostly cut from the text itself, so they occur; some end in "*".
QString randomPattern(std::mt19937& random, const QString& text)
{
    QString pattern = randomText(random, 4);
    if (!text.isEmpty() && random() % 4 != 0)
        pattern = text.mid(std::uniform_int_distribution<int>(0, text.size() - 1)(random), 1 + random() % 6);
    return random() % 5 == 0 ? pattern + QLatin1Char('*') : pattern;
}

} // namespace

TEST(RewriteEngine, GivesTheResultOfReplaceStringCalledInTurn)
{
    const text::RewriteEngine::Limits limitsToTry[] = {{4, 8, 16}, {6, 12, 40}, {512, 2048, 8192}};
    std::mt19937 random(20261205);
    for (const auto& limits : limitsToTry) {
        for (int round = 0; round < 600; ++round) {
            const QString start = randomText(random, 160);
            text::RewriteEngine engine(start, limits);
            QString expected = start;
            QString trace;
            int failures = 0; // "*" patterns may meet an empty pattern; both sides must count it alike
            for (int s = 0; s < 12; ++s) {
                const QString find = randomPattern(random, expected), replacement = randomText(random, 5);
                const bool caseSensitive = random() % 2 == 0;
                if (random() % 6 == 0) {
                    trace += QStringLiteral("[collapse]");
                    engine.collapseBlanks();
                    expected = collapseByRepetition(expected);
                } else {
                    trace += QStringLiteral("[%1|%2|%3]").arg(find, replacement).arg(caseSensitive);
                    EXPECT_TRUE(engine.replace(find, replacement, caseSensitive));
                    const core::Replaced replaced = core::ReplaceString(expected, find, replacement, caseSensitive);
                    expected = replaced.text;
                    failures += replaced.status.ok() ? 0 : 1;
                    ASSERT_EQ(engine.emptyPatterns(), failures) << trace.toStdString();
                }
                ASSERT_EQ(engine.text(), expected) << start.toStdString() << "\n" << trace.toStdString();
            }
        }
    }
}
