#include "core/StandardInput.h"
#include "core/CommandLine.h"
#include "core/CommandLineHelp.h"

#include <QBuffer>

#include <gtest/gtest.h>

TEST(StandardInput, DecodesLikeScriptFilesAndDropsOneFinalLineBreak)
{
    const struct {
        QByteArray bytes;
        QString text;
    } cases[] = {
        {"Hallo\n", "Hallo"},
        {"Hallo\r\n", "Hallo"},
        {"Zeile 1\nZeile 2\n\n", "Zeile 1\nZeile 2\n"}, // only the last break goes
        {"Gr\xc3\xbc\xc3\x9f Gott", QStringLiteral("Grüß Gott")},
        {"Gr\xfc\xdf Gott \x80", QStringLiteral("Grüß Gott €")}, // not UTF-8: Windows-1252
        {"a|b", "a|b"},
        {"", ""},
    };
    for (const auto& c : cases) {
        QByteArray bytes = c.bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(core::readTextFrom(buffer), c.text) << c.bytes.toStdString();
    }
}

TEST(StandardInput, OnlyAnExactDashAsTheCommandLineTextReadsIt)
{
    const struct {
        QStringList arguments;
        bool fromInput;
    } cases[] = {
        {{"-"}, true},   {{"-", "?hallo"}, true}, {{"-", "!"}, true}, {{"--"}, false},
        {{" -"}, false}, {{"Hallo", "-"}, false}, // a second argument after a text is the option, never a text
    };
    for (const auto& c : cases)
        EXPECT_EQ(core::analyseCommandLine(c.arguments, QString()).textFromStandardInput, c.fromInput)
            << c.arguments.join(' ').toStdString();
}

TEST(StandardInput, HelpAndVersionOnlyAsTheExactFirstArgument)
{
    EXPECT_TRUE(core::informationRequest({"--help"})->contains("?NAME"));
    EXPECT_TRUE(core::informationRequest({"-h", "!"})->startsWith("Usage: sprechkit"));
    EXPECT_TRUE(core::informationRequest({"--version"})->startsWith("Sprechkit 1."));
    for (const QStringList& spoken : {QStringList{"help"}, {"--Help"}, {"Hallo", "--help"}, {"-"}, {}})
        EXPECT_FALSE(core::informationRequest(spoken)) << spoken.join(' ').toStdString();
}
