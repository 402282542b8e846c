#include "base/core/IniFile.h"
#include "base/core/TestFiles.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class IniFile : public ::testing::Test {
protected:
    QString write(const QByteArray& content)
    {
        writeFile(m_dir.filePath("script.tts"), content);
        return m_dir.filePath("script.tts");
    }

    QTemporaryDir m_dir;
};

TEST_F(IniFile, ReadsValuesLikeThePlatformReader)
{
    const QString path =
        write("; Beispiel\r\n[Program]\r\nText    = \"  Hallo Welt  \"\r\nHide=1 'versteckt\r\n"
              "  cLoSe  =  0  \r\nStart = 1\r\nStart = 0\r\nName = O'Brien 'Kommentar\r\n"
              "Formel = a=b\r\nLeer =\r\nZitat = \"\"\r\nHalb = \"offen\r\n"
              "  [ Voice ]  \nRate = 5\n[Other]\r\nVolume = 9\r\n[voice]\r\nVolume = 80\r\nRate = 7\r\n");
    const std::tuple<const char*, const char*, bool, QString> cases[] = {
        {"Program", "Text", true, "Hallo Welt"}, // quotes dropped, then trimmed
        {"Program", "Hide", true, "1"},
        {"Program", "Hide", false, "1 'versteckt"},
        {"PROGRAM", " close ", true, "0"},
        {"Program", "Start", true, "1"},      // first match wins
        {"Program", "Name", true, "O'Brien"}, // cut before the last apostrophe only
        {"Program", "Formel", true, "a=b"},
        {"Program", "Leer", true, "vorgabe"},
        {"Program", "Zitat", true, "vorgabe"},
        {"Program", "Halb", true, "\"offen"},
        {"Program", "Rate", true, "vorgabe"}, // keys belong to their section
        {"Voice", "Rate", true, "5"},         // LF line ends, blank-padded section name
        {"Voice", "Volume", true, "80"},      // a later section of the same name is searched too
        {"Other", "Volume", true, "9"},
        {"Missing", "Rate", true, "vorgabe"},
        {"Program", "Missing", true, "vorgabe"},
    };
    for (const auto& [section, key, stripComments, expected] : cases)
        EXPECT_EQ(core::ReadINI(path, section, key, stripComments, "vorgabe"), expected) << section << "/" << key;
    EXPECT_EQ(core::ReadINI(m_dir.filePath("fehlt.tts"), "Program", "Text", true, "vorgabe"), "vorgabe");
    EXPECT_EQ(core::ReadINI(m_dir.path(), "Program", "Text", true), "");
}

TEST_F(IniFile, EveryKindOfLineEndEndsALine)
{
    for (const char* end : {"\r\n", "\n", "\r"}) { // a lone CR was not read at all
        const QString path = write(QByteArray("[Program]") + end + "Text = Hallo" + end + "[Voice]" + end + "Rate = 3");
        EXPECT_EQ(core::ReadINI(path, "Program", "Text", true) + core::ReadINI(path, "Voice", "Rate", true), "Hallo3");
    }
}

TEST(LeadingNumber, TakesTheNumberAtTheStart)
{
    const std::pair<QString, double> cases[] = {
        {" 3.5x", 3.5}, {"abc", 0},  {"", 0},  {"-4", -4}, {"+2", 2},    {"1e2", 100}, {"1e", 1},
        {"2e+1x", 20},  {".5", 0.5}, {"-", 0}, {"7 8", 7}, {"1e999", 0}, {"-10", -10}, {"100 ' laut", 100},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(core::leadingNumber(text), expected) << text.toStdString();
}

} // namespace
