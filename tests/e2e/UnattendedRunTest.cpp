#include "ProgramRun.h"
#include "base/core/TestFiles.h"
#include "engine/espeak/VoiceTestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>
#include <taglib/fileref.h>
#include <taglib/tpropertymap.h>

// A missing script, a WAV folder that cannot be written and a sound server that is not there: each hidden run
// ends by itself with its error; the missing script before anything is written.
TEST(UnattendedRun, FailingRunsEndByThemselvesWithTheirError)
{
    const struct {
        QStringList arguments;
        const char* pulseServer;
        int exitCode; // 0: any failure
        const char* error;
    } cases[] = {
        {{"@fehlt.tts", "!"}, nullptr, 0, "fehlt.tts'' nicht gefunden"},
        {{"Hallo", "?/nonexistent-folder/sub/out"}, nullptr, 0, "Error"},
        {{"Hallo Welt", "!!"}, "unix:/nonexistent/pulse.sock", 1, "Speak Error: "},
    };
    for (const auto& c : cases) {
        ProgramRun program;
        if (c.pulseServer)
            program.environment().insert(QStringLiteral("PULSE_SERVER"), QLatin1String(c.pulseServer));
        const auto result = program.run(c.arguments, 30000);
        ASSERT_TRUE(result.finished) << "the hidden run did not end: " << c.error;
        EXPECT_TRUE(c.exitCode ? result.exitCode == c.exitCode : result.exitCode != 0) << c.error;
        EXPECT_TRUE(result.standardError.contains(QLatin1String(c.error))) << result.standardError.toStdString();
        if (c.arguments.first().startsWith(u'@')) {
            EXPECT_FALSE(QFileInfo::exists(program.settingsFile()));
            EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("sprechkit.wrd"))));
        }
    }
}

TEST(UnattendedRun, WithoutAReachableDisplayOnlyRunsWithoutTheWindowWork)
{
    for (const QString display : {"", ":9999"}) { // an unreachable one aborted every run with 134
        ProgramRun program;
        if (!display.isEmpty())
            program.environment().insert(QStringLiteral("DISPLAY"), display);
        const auto hidden = program.run({QStringLiteral("Hallo"), QStringLiteral("?out")}, 30000);
        EXPECT_EQ(hidden.exitCode, 0) << hidden.standardError.toStdString();
        EXPECT_TRUE(speechtest::readWav(program.path(QStringLiteral("out.wav"))).seconds() > 0);
        const auto interactive = program.run({QStringLiteral("Hallo")}, 10000);
        EXPECT_EQ(interactive.exitCode, 2);
        EXPECT_TRUE(
            interactive.standardError.contains(display.isEmpty() ? "no display" : "cannot connect to the display"))
            << interactive.standardError.toStdString();
        // A remote action that no window takes (here: no bus) starts one, which needs the display as well.
        const auto remote = program.run({QStringLiteral("--read-selection")}, 10000);
        EXPECT_EQ(remote.exitCode, 2);
        EXPECT_EQ(remote.standardError, interactive.standardError);
    }
}

// Killing the sound server mid-text used to end the stream like a normal end: exit 0, no error. The test kills a
// server of its own, started as tools/test.sh starts the shared one.
TEST(UnattendedRun, SoundServerGoingAwayMidTextEndsTheHiddenRunWithTheSpeakError)
{
    ProgramRun program;
    const QString script = QStringLiteral(R"(source '%1/tools/pulse.sh'; pulse_start >&2 || exit 77
        '%2' "$1" '!!' & run=$!
        until pactl list short sink-inputs | grep -q . || ! kill -0 $run; do sleep 0.02; done
        kill -9 $SPRECHKIT_PULSE_PID; wait $run; status=$?; SPRECHKIT_PULSE_PID=; pulse_stop; exit $status)")
                               .arg(QStringLiteral(SPRECHKIT_SOURCE_DIR), program.programPath());
    QProcess run;
    run.setProcessEnvironment(program.environment());
    run.start(QStringLiteral("bash"), {"-c", script, "test", QStringLiteral("Das ist ein langer Text. ").repeated(20)});
    ASSERT_TRUE(run.waitForFinished(60000)) << "the hidden run did not end";
    if (run.exitCode() == 77)
        GTEST_SKIP() << "No PulseAudio server of the test's own.";
    EXPECT_EQ(run.exitCode(), 1);
    // Usually "The audio output stopped ...". Should the server go before the stream is up, opening it fails.
    const QString errors = QString::fromUtf8(run.readAllStandardError());
    EXPECT_TRUE(errors.contains(QStringLiteral("Speak Error: "))) << errors.toStdString();
}

// The derived format of the German voice (its name holds none of 11, 16, 22) is 22 kHz, 16 bit, mono; a run
// that changed no setting writes none; stderr stays empty (no device is asked for).
TEST(UnattendedRun, TextFromStandardInputIsRenderedQuietlyWithoutASoundServer)
{
    ProgramRun program;
    program.environment().insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/pulse.sock"));
    program.environment().remove(QStringLiteral("XDG_RUNTIME_DIR"));
    const QByteArray dictionary = "Dr.;Doktor;1\r\n";
    program.writeFile(QStringLiteral("sprechkit.wrd"), dictionary);
    const auto result = program.run({QStringLiteral("-"), QStringLiteral("?hallo")}, 60000,
                                    "Guten Morgen, hier spricht die Standardeingabe.\n");
    ASSERT_TRUE(result.finished && result.exitCode == 0) << result.standardError.toStdString();
    EXPECT_EQ(result.standardError.toStdString(), "");
    const speechtest::WavData wav = speechtest::readWav(program.path(QStringLiteral("hallo.wav")));
    EXPECT_EQ(wav.sampleRate, 22050);
    EXPECT_EQ(wav.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    EXPECT_GT(wav.seconds(), 2.0) << "the words of standard input were not spoken, or not all";

    EXPECT_EQ(program.readFile(QStringLiteral("sprechkit.wrd")), dictionary);
    EXPECT_FALSE(QFileInfo::exists(program.settingsFile()));
}

// Standard input that is a folder or closed, and a script that is no text, gave an empty WAV file and exit 0; the
// closed input even read one of the program's own files. A script saved as UTF-16 is text.
TEST(UnattendedRun, UnreadableInputEndsTheRunWithItsReason)
{
    ProgramRun program;
    program.writeFile(QStringLiteral("binary.tts"), QByteArray("[Program]\r\nText = Hallo\r\n\0\x01", 27));
    program.writeFile(QStringLiteral("unicode.tts"), utf16(QStringLiteral("[Program]\r\nText = Guten Morgen\r\n")));
    const std::pair<const char*, const char*> cases[] = {
        {"./sprechkit - ?out < /", "Cannot read standard input: Is a directory"},
        {"./sprechkit - ?out <&-", "Cannot read standard input: it is closed"},
        {"./sprechkit binary.tts ?out", "the content is not text"},
        {"./sprechkit unicode.tts ?out", nullptr},
    };
    for (const auto& [command, error] : cases) {
        QProcess shell;
        shell.setProcessEnvironment(program.environment());
        shell.setWorkingDirectory(program.dir());
        shell.start(QStringLiteral("bash"), {QStringLiteral("-c"), QLatin1String(command)});
        ASSERT_TRUE(shell.waitForFinished(60000)) << command;
        const QString standardError = QString::fromUtf8(shell.readAllStandardError());
        EXPECT_EQ(shell.exitCode(), error ? 1 : 0) << command << "\n" << standardError.toStdString();
        EXPECT_TRUE(!error || standardError.contains(QLatin1String(error))) << standardError.toStdString();
        EXPECT_EQ(speechtest::readWav(program.path(QStringLiteral("out.wav"))).seconds() > 0.5, !error) << command;
    }
}

// A document stands where the text stands; one that cannot be read ends the run with one line and writes nothing.
TEST(UnattendedRun, DocumentIsRenderedOrItsReadFailureEndsTheRun)
{
    ProgramRun program;
    program.environment().remove(QStringLiteral("XDG_RUNTIME_DIR"));
    program.writeFile(QStringLiteral("brief.html"),
                      "<html><body><h1>Brief</h1><p>Guten Morgen, hier spricht ein Dokument.</p></body></html>");
    program.writeFile(QStringLiteral("kaputt.epub"), "PK\3\4 kein Buch");
    const std::pair<const char*, const char*> cases[] = {
        {"kaputt.epub",
         "FEHLER: Datei ''kaputt.epub'' kann nicht gelesen werden: Das Dokument ist beschädigt: Not a zip "
         "archive\n"},
        {"brief.html", ""}, // last: the failures must not have written out.wav
    };
    for (const auto& [document, error] : cases) {
        const auto result = program.run({"--file", document, "?out"}, 60000);
        EXPECT_EQ(result.exitCode, *error ? 1 : 0) << document;
        EXPECT_EQ(result.standardError.toStdString(), error);
        EXPECT_EQ(speechtest::readWav(program.path(QStringLiteral("out.wav"))).seconds() > 1.5, !*error) << document;
    }
    // The document's headings start the chapters; the album is the document's title.
    program.writeFile(QStringLiteral("buch.html"),
                      "<html><head><title>Das Buch</title></head><body><h1>Eins</h1>"
                      "<p>Der erste Teil.</p><h1>Zwei</h1><p>Der zweite.</p></body></html>");
    ASSERT_EQ(program.run({"--file", "buch.html", "?buch.wav", "--chapters"}, 60000).exitCode, 0);
    EXPECT_EQ(program.readFile(QStringLiteral("buch.m3u")).count("#EXTINF"), 2);
    EXPECT_TRUE(program.readFile(QStringLiteral("buch.m3u")).contains(",Zwei\nbuch-02.wav"))
        << program.readFile(QStringLiteral("buch.m3u")).toStdString();
}

TEST(UnattendedRun, DictionaryThatExplodesTheTextFailsTheRunInsteadOfTheProgram)
{
    ProgramRun program;
    const QByteArray dictionary = ("a;" + QByteArray(1000, 'a') + ";1\r\n").repeated(10);
    program.writeFile(QStringLiteral("sprechkit.wrd"), dictionary);

    const auto result = program.run({QStringLiteral("a"), QStringLiteral("?out")});
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.standardError.contains(QStringLiteral("The prepared text would grow beyond 64.0 MB")))
        << result.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("out.wav"))));
    EXPECT_EQ(program.readFile(QStringLiteral("sprechkit.wrd")), dictionary);
}

// An audiobook in one run: a file per chapter with its subtitles and tags, and the playlist in chapter order.
TEST(UnattendedRun, ChaptersGetFilesSubtitlesTagsAndAPlaylist)
{
    ProgramRun program;
    const auto result = program.run({QStringLiteral("-"), QStringLiteral("?buch.mp3"), QStringLiteral("--chapters"),
                                     QStringLiteral("--subtitles"), QStringLiteral("srt,vtt")},
                                    60000, "Vorwort hier.\n# Erstes Kapitel\nGuten Morgen.\n# Zweites\nEnde.\n");
    ASSERT_TRUE(result.finished && result.exitCode == 0) << result.standardError.toStdString();
    const QStringList files = QDir(program.dir()).entryList({QStringLiteral("buch*")});
    EXPECT_EQ(files.join(' '), "buch-01.mp3 buch-01.srt buch-01.vtt buch-02.mp3 buch-02.srt buch-02.vtt buch-03.mp3 "
                               "buch-03.srt buch-03.vtt buch.m3u");
    const QStringList playlist = QString::fromUtf8(program.readFile(QStringLiteral("buch.m3u"))).split('\n');
    EXPECT_EQ(
        playlist.filter(QRegularExpression("^#EXTINF:[1-9]\\d*,")).replaceInStrings(QRegularExpression(".*,"), ""),
        (QStringList{"Vorwort hier.", "Erstes Kapitel", "Zweites"}));
    EXPECT_EQ(playlist.filter(".mp3"), (QStringList{"buch-01.mp3", "buch-02.mp3", "buch-03.mp3"}));
    const TagLib::FileRef chapter(QFile::encodeName(program.path(QStringLiteral("buch-02.mp3"))).constData());
    ASSERT_FALSE(chapter.isNull());
    const TagLib::PropertyMap tags = chapter.file()->properties();
    EXPECT_EQ(tags["TITLE"].toString().to8Bit(true), "Erstes Kapitel");
    EXPECT_EQ(tags["ALBUM"].toString().to8Bit(true), "buch");
    EXPECT_EQ(tags["TRACKNUMBER"].toString().to8Bit(true), "2/3");
    EXPECT_FALSE(tags["ARTIST"].isEmpty());
}
