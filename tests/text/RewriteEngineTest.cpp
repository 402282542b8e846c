#include "text/RewriteEngine.h"
#include "core/ReplaceString.h"

#include "support/MessageRecorder.h"

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
        text = core::ReplaceString(text, QStringLiteral("  "), QStringLiteral(" "), false);
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
    QString pattern;
    if (!text.isEmpty() && random() % 4 != 0) {
        const int start = std::uniform_int_distribution<int>(0, text.size() - 1)(random);
        const int length = std::uniform_int_distribution<int>(1, 6)(random);
        pattern = text.mid(start, length);
    } else {
        pattern = randomText(random, 4);
    }
    if (random() % 5 == 0)
        pattern += QLatin1Char('*');
    return pattern;
}

struct Step {
    QString find;
    QString replacement;
    bool caseSensitive;
    bool collapse;
};

} // namespace

TEST(RewriteEngine, GivesTheResultOfReplaceStringCalledInTurn)
{
    const text::RewriteEngine::Limits limitsToTry[] = {{4, 8, 16}, {6, 12, 40}, {512, 2048, 8192}};
    std::mt19937 random(20261205);
    MessageRecorder engineMessages; // "*" patterns may report an empty pattern; both sides must do it alike
    for (const auto& limits : limitsToTry) {
        for (int round = 0; round < 600; ++round) {
            const QString start = randomText(random, 160);
            text::RewriteEngine engine(start, limits);
            QString expected = start;
            QString trace;
            for (int s = 0; s < 12; ++s) {
                const Step step{randomPattern(random, expected), randomText(random, 5), random() % 2 == 0,
                                random() % 6 == 0};
                trace += QStringLiteral("[%1|%2|%3|%4]")
                             .arg(step.find, step.replacement)
                             .arg(step.caseSensitive)
                             .arg(step.collapse);
                qsizetype before = engineMessages.messages().size();
                if (step.collapse) {
                    engine.collapseBlanks();
                    expected = collapseByRepetition(expected);
                } else {
                    EXPECT_TRUE(engine.replace(step.find, step.replacement, step.caseSensitive));
                    const qsizetype engineReported = engineMessages.messages().size() - before;
                    before = engineMessages.messages().size();
                    expected = core::ReplaceString(expected, step.find, step.replacement, step.caseSensitive);
                    ASSERT_EQ(engineReported, engineMessages.messages().size() - before) << trace.toStdString();
                }
                ASSERT_EQ(engine.text(), expected)
                    << "start: " << start.toStdString() << "\nsteps: " << trace.toStdString();
            }
        }
    }
}
