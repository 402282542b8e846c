#include "base/core/CommandLine.h"
#include "base/core/TestFiles.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

TEST(CommandLine, SplitsOneStringLikeTheProgramsOwnParserAndGetCmdIndexesIt)
{
    const std::pair<QString, QStringList> cases[] = {
        {"", {}},
        {"Hallo Welt", {"Hallo", "Welt"}},
        {"\"Hallo Welt\" !", {"Hallo Welt", "!"}},
        {"Hallo  Welt", {"Hallo", "", "Welt"}}, // blanks are not merged
        {" Hallo", {"", "Hallo"}},
        {"Hallo ", {"Hallo", ""}},
        {"a\"b c\"d e", {"ab cd", "e"}}, // quotes toggle anywhere and are dropped
        {"\"\"", {""}},
        {"\"offen bis zum Ende", {"offen bis zum Ende"}},
    };
    for (const auto& [commandLine, expected] : cases)
        EXPECT_EQ(core::splitCommandLine(commandLine), expected) << commandLine.toStdString();

    core::setCommandLineArguments({"Hallo", "!"});
    EXPECT_EQ(QStringList({core::GetCMD(0), core::GetCMD(1), core::GetCMD(2), core::GetCMD(3)}),
              QStringList({"2", "Hallo", "!", ""}));
    core::setCommandLineArguments({});
    EXPECT_EQ(core::GetCMD(0), "0");
}

// A run mode in one line, so that a case is one row: "text run, script run; script; text; box text; option; target;
// message".
QString summary(const core::RunMode& m, const QString& folder = QString())
{
    return QStringList{QString::number(m.commandLineTextRun) + QString::number(m.scriptRun),
                       QString(m.scriptPath).remove(folder),
                       m.commandLineText,
                       m.boxText,
                       m.optionArgument,
                       m.wavTarget,
                       m.missingScriptMessage}
        .join(QLatin1Char(';'));
}

TEST(CommandLine, SubtitlesAndChaptersFollowTheTargetAndUnknownFormatsAreRefused)
{
    // arguments -> target; subtitles; chapters; option left; error
    const std::pair<QStringList, QString> cases[] = {
        {{"Hallo", "?b.mp3", "--subtitles", "srt,VTT,lrc,srt", "--chapters"}, "b.mp3;srt vtt lrc;1;?b.mp3;"},
        {{"Hallo", "?b", "--chapters", "--subtitles", "lrc"}, "b.wav;lrc;1;?b;"},
        {{"job.tts", "Text", "?b", "--subtitles", "vtt"}, "b.wav;vtt;0;;"},
        // After a document the target and its options mean what they mean after a text.
        {{"--file", "buch.epub", "?b.ogg", "--subtitles", "srt"}, "b.ogg;srt;0;?b.ogg;"},
        {{"Hallo", "?b", "--subtitles", "srt,txt"}, "b.wav;srt;0;?b;  Unbekanntes Untertitelformat ''txt''"},
        {{"Hallo", "?b", "--subtitles", "srt,"}, "b.wav;srt;0;?b;  Unbekanntes Untertitelformat ''''"},
        {{"Hallo", "?b", "--subtitles"}, "b.wav;;0;?b;  Nach --subtitles fehlt die Liste der Formate"},
        {{"Hallo", "?b", "--subtitles", "--chapters"}, "b.wav;;0;?b;  Nach --subtitles fehlt die Liste der Formate"},
        // Without a target they are texts as before.
        {{"Hallo", "--chapters"}, ";;0;--chapters;"},
    };
    for (const auto& [arguments, expected] : cases) {
        const core::RunMode m = core::analyseCommandLine(arguments, QDir::tempPath() + "/");
        const QString row = QStringList{m.wavTarget, m.subtitles.join(' '), QString::number(m.chapters),
                                        m.optionArgument, m.optionError.section(" (", 0, 0)}
                                .join(';');
        EXPECT_EQ(row, expected) << arguments.join(' ').toStdString();
    }
}

TEST(CommandLine, PlainTextsAndTheirOptions)
{
    const std::pair<QStringList, QString> cases[] = {
        {{}, "00;;;;;;"},
        {{"", "!"}, "00;;;;;;"},
        {{"Hallo Welt"}, "10;;Hallo Welt;Hallo Welt;;;"},
        // Unquoted, the second word is taken as the option and not spoken.
        {{"Hallo", "Welt"}, "10;;Hallo;Hallo;Welt;;"},
        {{"Zeile 1|Zeile 2|"}, "10;;Zeile 1|Zeile 2|;Zeile 1\r\nZeile 2\r\n;;;"},
        {{"Hallo", "!"}, "10;;Hallo;Hallo;!;;"},
        {{"Hallo", "?ausgabe"}, "10;;Hallo;Hallo;?ausgabe;ausgabe.wav;"},
        {{"Hallo", "?"}, "10;;Hallo;Hallo;?;;"},
        // After a plain text a third argument counts only as a "?" target.
        {{"Hallo", "x", "!"}, "10;;Hallo;Hallo;x;;"},
        {{"Hallo", "x", "?out"}, "10;;Hallo;Hallo;x;out.wav;"},
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(summary(core::analyseCommandLine(arguments, "/opt/sprechkit/")), expected);
}

TEST(CommandLine, FileAsTheFirstArgumentStandsWhereTheTextStands)
{
    const std::pair<QStringList, QString> cases[] = {
        {{"--file", "brief.pdf", "!"}, "brief.pdf|10;;;;!;;"},
        {{"--file", "buch.epub", "?buch.mp3"}, "buch.epub|10;;;;?buch.mp3;buch.mp3;"},
        {{"--file", "bericht.odt", "!!"}, "bericht.odt|10;;;;!!;;"},
        {{"--file", "job.tts"}, "job.tts|10;;;;;;"}, // a document, never a script
        {{"--file"}, "|10;;;;;;  Nach --file fehlt der Name eines Dokuments ...    "},
        // Only the first argument, and exactly so.
        {{"--FILE", "brief.pdf"}, "-|10;;--FILE;--FILE;brief.pdf;;"},
        {{"Hallo", "--file", "brief.pdf"}, "-|10;;Hallo;Hallo;--file;;"},
    };
    for (const auto& [arguments, expected] : cases) {
        const core::RunMode mode = core::analyseCommandLine(arguments, "/opt/sprechkit/");
        EXPECT_EQ((mode.textFromDocument ? mode.documentPath : "-") + "|" + summary(mode), expected);
    }
}

TEST(CommandLine, WavTargetGetsItsExtensionOnlyFromTheFileName)
{
    const std::pair<QString, QString> cases[] = {
        {"ausgabe", "ausgabe.wav"},
        {"Ausgabe.WaV", "Ausgabe.WaV"},
        {"/tmp/ausgabe.wav", "/tmp/ausgabe.wav"},
        {"ausgabe.wav.txt", "ausgabe.wav.txt.wav"},
        {"ordner.wav/ausgabe", "ordner.wav/ausgabe.wav"},
        // A ".wav" in a folder name must not let a target reach a file that is not a WAV file.
        {"x.wav/../../.profile", "x.wav/../../.profile.wav"},
        {"a.mp3", "a.mp3"},
        {"a.OGG", "a.OGG"},
        {"a.flac", "a.flac"},
        {"ogg", "ogg.wav"},
    };
    for (const auto& [target, expected] : cases)
        EXPECT_EQ(core::analyseCommandLine({"Hallo", "?" + target}, "/").wavTarget, expected) << target.toStdString();
}

class ScriptArguments : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("job.tts", "[Program]\r\nText = Aus dem Skript\r\n\r\n[Voice]\r\nWavFile = skript ' Ziel\r\n");
        write("Plain.TTS", "[Program]\r\nText = Nur Text\r\n");
        write("beside.ini", "[Program]\r\nStart = 1\r\n");
        write("empty.tts", "");
        QDir(m_dir.path()).mkdir("folder.tts");
    }

    void write(const QString& name, const QByteArray& content) { writeFile(path(name), content); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

TEST_F(ScriptArguments, ScriptsRunWithTextOptionAndTarget)
{
    const QString job = path("job.tts");
    const QString plain = path("Plain.TTS");
    const std::pair<QStringList, QString> cases[] = {
        {{plain}, "01;Plain.TTS;;;;;"},
        {{job}, "01;job.tts;;;;skript.wav;"}, // the script's own target, comment stripped
        {{plain, "Anderer Text", "!"}, "01;Plain.TTS;Anderer Text;;!;;"},
        {{plain, "!"}, "01;Plain.TTS;;;!;;"},
        {{job, "?kommando"}, "01;job.tts;;;;kommando.wav;"}, // the command line's target wins
        {{plain, "Zwei|Zeilen"}, "01;Plain.TTS;Zwei|Zeilen;;;;"},
        {{"@beside.ini"}, "01;beside.ini;;;;;"},
        {{"@job.tts", "!"}, "01;job.tts;;;!;skript.wav;"},
    };
    for (const auto& [arguments, expected] : cases)
        EXPECT_EQ(summary(core::analyseCommandLine(arguments, m_dir.path() + "/"), m_dir.path() + "/"), expected);
}

TEST_F(ScriptArguments, MissingEmptyOrNonFileScriptsGiveTheMessage)
{
    const QStringList missing = {path("fehlt.tts"), path("empty.tts"), path("folder.tts"), path("FEHLT.INI")};
    for (const QString& script : missing) {
        const core::RunMode mode = core::analyseCommandLine({script, "Text"}, m_dir.path() + "/");
        EXPECT_FALSE(mode.scriptRun) << script.toStdString();
        EXPECT_EQ(mode.missingScriptMessage, "  Datei ''" + script + "'' nicht gefunden ...    ");
        EXPECT_FALSE(mode.commandLineTextRun);
    }
    // Any argument mentioning a script extension is a script path, even inside a sentence.
    const core::RunMode sentence = core::analyseCommandLine({"Lies die datei.tts vor"}, "/");
    EXPECT_FALSE(sentence.commandLineTextRun);
    EXPECT_EQ(sentence.missingScriptMessage, "  Datei ''Lies die datei.tts vor'' nicht gefunden ...    ");
}

TEST_F(ScriptArguments, RelativeScriptPathIsReadFromTheCurrentFolder)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    const core::RunMode mode = core::analyseCommandLine({"job.tts"}, "/elsewhere/");
    QDir::setCurrent(previous);
    EXPECT_EQ(summary(mode, m_dir.path() + "/"), "01;job.tts;;;;skript.wav;");
}

} // namespace
