#include "base/core/ScriptFile.h"
#include "base/core/IniFile.h"
#include "base/core/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

core::ScriptState threeLineState()
{
    core::ScriptState state;
    state.text = "Zeile 1\r\nZeile 2\r\nGrüße";
    state.voice = "German";
    state.rate = -3;
    state.volume = 80;
    state.format = "22kHz 16Bit Mono";
    return state;
}

TEST(ScriptFile, WritesTheThirteenLinesInUtf8)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sprechkit.tts");
    ASSERT_TRUE(core::writeScriptFile(path, threeLineState()));
    EXPECT_EQ(readFile(path), QStringLiteral("[Program]\r\nHide    = 0\r\nStart   = 1\r\n"
                                             "Text    = Zeile 1|Zeile 2|Grüße\r\nClose   = 0\r\n\r\n"
                                             "[Voice]\r\nVoice   = German\r\nRate    = -3\r\n"
                                             "Volume  = 80\r\nFormat  = 22kHz 16Bit Mono\r\nWavFile = \r\n\r\n")
                                  .toUtf8());
}

TEST(ScriptFile, TextsWithApostrophesAndQuotesReadBackAsWritten)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sprechkit.tts");
    // As the start-up puts Text into the box. The format cannot tell "|" from a line break; the reader trims.
    const std::pair<QString, QString> cases[] = {
        {"Geht's gut?", "Geht's gut?"}, // was read back as "Geht"
        {"\"Hallo\"", "\"Hallo\""},     // was read back without its quotes
        {"Er sagte: \"Geht's?\"\r\nJa 'n'", "Er sagte: \"Geht's?\"\r\nJa 'n'"},
        {"a|b", "a\r\nb"},
        {"a\nb\rc\r\n\r\nd", "a\r\nb\r\nc\r\n\r\nd"}, // every kind of line break becomes a bar
        {"   eingerückt, O'Brien  ", "eingerückt, O'Brien"},
    };
    core::ScriptState state = threeLineState();
    state.voice = "O'Voice";
    for (const auto& [text, expected] : cases) {
        state.text = text;
        ASSERT_TRUE(core::writeScriptFile(path, state));
        EXPECT_EQ(core::ReadINI(path, "Program", "Text", true).replace("|", "\r\n"), expected);
        EXPECT_EQ(core::ReadINI(path, "Voice", "Voice", true), "O'Voice");
    }
}

} // namespace
