#include "core/StandardInput.h"
#include "core/CommandLine.h"
#include "core/CommandLineHelp.h"

#include <QBuffer>

#include <gtest/gtest.h>

TEST(StandardInput, DecodesLikeScriptFilesAndDropsOneFinalLineBreak)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"Hallo\r\n", "Hallo"},
        {"Zeile 1\nZeile 2\n\n", "Zeile 1\nZeile 2\n"},          // only the last break goes
        {"Gr\xfc\xdf|Gott \x80", QStringLiteral("Grüß|Gott €")}, // not UTF-8: Windows-1252
    };
    for (auto [bytes, text] : cases) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        EXPECT_EQ(core::readTextFrom(buffer), text);
    }
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
