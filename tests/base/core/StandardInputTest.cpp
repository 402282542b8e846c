#include "base/core/StandardInput.h"
#include "base/core/CommandLine.h"
#include "base/core/CommandLineHelp.h"
#include "base/core/TestFiles.h"

#include <gtest/gtest.h>

TEST(StandardInput, DecodesLikeScriptFilesAndDropsOneFinalLineBreak)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"Hallo\r\n", "Hallo"},
        {"Zeile 1\nZeile 2\n\n", "Zeile 1\nZeile 2\n"},          // only the last break goes
        {"Gr\xfc\xdf|Gott \x80", QStringLiteral("Grüß|Gott €")}, // not UTF-8: Windows-1252
        {utf16(QStringLiteral("Grüß Gott\r\n"), false), QStringLiteral("Grüß Gott")},
    };
    for (const auto& [bytes, text] : cases)
        EXPECT_EQ(core::textFromInput(bytes).value(), text);
    // A binary file was spoken as whatever its bytes gave in Windows-1252.
    EXPECT_TRUE(core::textFromInput(QByteArray("ELF\0", 4)).error().endsWith("(it holds NUL characters)"));
}

TEST(StandardInput, OnlyAnExactDashTextOrHelpOrVersionFirstArgumentIsSpecial)
{
    EXPECT_TRUE(core::analyseCommandLine({"-", "?hallo"}, {}).textFromStandardInput);
    EXPECT_FALSE(core::analyseCommandLine({"Hallo", "-"}, {}).textFromStandardInput); // there "-" is the option
    EXPECT_TRUE(core::informationRequest({"-h", "!"})->startsWith("Usage: sprechkit"));
    EXPECT_TRUE(core::informationRequest({"--version"})->startsWith("Sprechkit 1."));
    for (const QStringList& spoken : {QStringList{"help"}, {"--Help"}, {"Hallo", "--help"}, {"-"}})
        EXPECT_FALSE(core::informationRequest(spoken)) << spoken.join(' ').toStdString();
}
