#include "ProgramRun.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString mainValue(const ProgramRun& program, const char* key)
{
    QSettings settings(program.settingsFile(), QSettings::IniFormat);
    return settings.value(QStringLiteral("Sprechkit/") + QLatin1String(key)).toString();
}

} // namespace

TEST(UnattendedRun, TextWithWavTargetWritesTheFileAndSavesNothing)
{
    ProgramRun program;
    const QByteArray dictionary = "Dr.;Doktor;1\r\n";
    program.writeFile(QStringLiteral("sprechkit.wrd"), dictionary);

    const auto result = program.run({QStringLiteral("Guten Morgen, es ist neun Uhr."), QStringLiteral("?out")});
    ASSERT_TRUE(result.finished) << "the run did not end by itself";
    EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();

    // The German voice's name holds none of 11, 16, 22: the derived format is 22 kHz, 16 bit, mono.
    const WavInfo wav = readWavInfo(program.path(QStringLiteral("out.wav")));
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.sampleRate, 22050);
    EXPECT_EQ(wav.channels, 1);
    EXPECT_EQ(wav.bitsPerSample, 16);
    EXPECT_GT(wav.dataBytes, 22050 * 2 / 2) << "less than half a second of speech";

    EXPECT_EQ(program.readFile(QStringLiteral("sprechkit.wrd")), dictionary);
    // Only the start-up's own immediate writes happened, no SaveSet at exit.
    EXPECT_EQ(mainValue(program, "Window.Shadow"), QStringLiteral("1"));
    EXPECT_TRUE(mainValue(program, "Check.Words").isEmpty());
    EXPECT_TRUE(mainValue(program, "Wave.Path").isEmpty());
}

TEST(UnattendedRun, HiddenScriptWithWavFileEndsByItself)
{
    ProgramRun program;
    program.writeFile(QStringLiteral("job.tts"),
                      "[Program]\r\nHide    = 1\r\nStart   = 0\r\nText    = Erste Zeile|Zweite "
                      "Zeile\r\nClose   = 0\r\n\r\n[Voice]\r\nFormat  = 16kHz, 16Bit, Mono\r\n"
                      "Volume  = 80\r\nWavFile = " +
                          program.path(QStringLiteral("script")).toUtf8() + "\r\n");
    const auto result = program.run({program.path(QStringLiteral("job.tts"))});
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 0) << result.standardError.toStdString();
    const WavInfo wav = readWavInfo(program.path(QStringLiteral("script.wav")));
    ASSERT_TRUE(wav.valid);
    EXPECT_EQ(wav.sampleRate, 16000);
    EXPECT_GT(wav.dataBytes, 16000);
    EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("sprechkit.wrd"))));
}

TEST(UnattendedRun, MissingScriptEndsWithoutWritingAnything)
{
    ProgramRun program;
    const auto result = program.run({QStringLiteral("@fehlt.tts"), QStringLiteral("!")});
    ASSERT_TRUE(result.finished);
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.standardError.contains(QStringLiteral("fehlt.tts'' nicht gefunden")))
        << result.standardError.toStdString();
    EXPECT_FALSE(QFileInfo::exists(program.settingsFile()));
    EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("sprechkit.wrd"))));
}

TEST(UnattendedRun, UnwritableWavFolderFailsWithAnErrorInsteadOfHanging)
{
    ProgramRun program;
    const auto result = program.run({QStringLiteral("Hallo"), QStringLiteral("?/nonexistent-folder/sub/out")}, 30000);
    ASSERT_TRUE(result.finished) << "the failed save left the hidden program running";
    EXPECT_NE(result.exitCode, 0);
    EXPECT_TRUE(result.standardError.contains(QStringLiteral("Error"))) << result.standardError.toStdString();
}

TEST(UnattendedRun, DictionaryBesideTheProgramChangesWhatIsRendered)
{
    ProgramRun program;
    ASSERT_EQ(program.run({QStringLiteral("Hallo"), QStringLiteral("?plain")}).exitCode, 0);
    program.writeFile(QStringLiteral("sprechkit.wrd"),
                      "Hallo;Hallo und herzlich willkommen zu einem sehr viel l\xc3\xa4ngeren Satz;1\r\n");
    ASSERT_EQ(program.run({QStringLiteral("Hallo"), QStringLiteral("?replaced")}).exitCode, 0);

    const WavInfo plain = readWavInfo(program.path(QStringLiteral("plain.wav")));
    const WavInfo replaced = readWavInfo(program.path(QStringLiteral("replaced.wav")));
    ASSERT_TRUE(plain.valid && replaced.valid);
    EXPECT_GT(replaced.dataBytes, 3 * plain.dataBytes);
}

TEST(UnattendedRun, InteractiveRunWithoutDisplayExplainsAndExits)
{
    ProgramRun program;
    const auto result = program.run({QStringLiteral("Hallo")}, 10000);
    ASSERT_TRUE(result.finished);
    EXPECT_EQ(result.exitCode, 2);
    EXPECT_TRUE(result.standardError.contains(QStringLiteral("no display"))) << result.standardError.toStdString();
}

TEST(UnattendedRun, HiddenSpeakingRunWithoutAudioDeviceEndsWithTheError)
{
    ProgramRun program;
    program.environment().insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:/nonexistent/pulse.sock"));
    const auto result = program.run({QStringLiteral("Hallo Welt"), QStringLiteral("!!")}, 30000);
    ASSERT_TRUE(result.finished) << "the hidden run did not end";
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.standardError.contains(QStringLiteral("Speak Error: "))) << result.standardError.toStdString();
}

// Killing the sound server mid-text used to end the stream like a normal end: exit 0, no error.
TEST(UnattendedRun, SoundServerGoingAwayMidTextEndsTheHiddenRunWithTheSpeakError)
{
    const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
    const QString pactl = QStandardPaths::findExecutable(QStringLiteral("pactl"));
    if (pulseaudio.isEmpty() || pactl.isEmpty())
        GTEST_SKIP() << "pulseaudio and pactl are needed for a server of this test's own.";
    ProgramRun program;
    QDir().mkpath(program.path(QStringLiteral("pulse")));
    const QString address = QStringLiteral("unix:") + program.path(QStringLiteral("pulse/pulse.sock"));
    QProcessEnvironment serverEnvironment = QProcessEnvironment::systemEnvironment();
    serverEnvironment.insert(QStringLiteral("HOME"), program.path(QStringLiteral("pulse")));
    serverEnvironment.insert(QStringLiteral("XDG_RUNTIME_DIR"), program.path(QStringLiteral("pulse")));
    serverEnvironment.insert(QStringLiteral("PULSE_SERVER"), address);
    QProcess server;
    server.setProcessEnvironment(serverEnvironment);
    server.start(pulseaudio, {"--daemonize=no", "--exit-idle-time=-1", "-n", "--use-pid-file=no", "--disallow-exit",
                              "--load=module-native-protocol-unix auth-anonymous=1 socket=" + address.mid(5),
                              "--load=module-null-sink sink_name=test_sink"});
    ASSERT_TRUE(server.waitForStarted(10000));
    const auto ask = [&](const QStringList& arguments) {
        QProcess client;
        client.setProcessEnvironment(serverEnvironment);
        client.start(pactl, arguments);
        client.waitForFinished(5000);
        return client.exitCode() == 0 ? QString::fromUtf8(client.readAllStandardOutput()).trimmed() : QString();
    };
    if (!QTest::qWaitFor([&] { return !ask({"info"}).isEmpty(); }, 10000)) {
        server.kill();
        server.waitForFinished();
        GTEST_SKIP() << "The test's own PulseAudio server did not come up.";
    }

    program.environment().insert(QStringLiteral("PULSE_SERVER"), address);
    QProcess run;
    run.setProcessEnvironment(program.environment());
    run.setWorkingDirectory(program.dir());
    run.start(program.programPath(), {QStringLiteral("Das ist ein langer Text. ").repeated(20), QStringLiteral("!!")});
    // Playing: the server knows the program's stream.
    const bool playing = QTest::qWaitFor([&] { return !ask({"list", "short", "sink-inputs"}).isEmpty(); }, 20000);
    server.kill();
    server.waitForFinished();
    ASSERT_TRUE(playing);
    const bool ended = run.waitForFinished(20000);
    if (!ended)
        run.kill();
    ASSERT_TRUE(ended) << "the hidden run did not end";
    EXPECT_EQ(run.exitCode(), 1);
    const QString errors = QString::fromUtf8(run.readAllStandardError());
    // Usually "The audio output stopped ...": the stream is playing. The server may also go before the stream
    // is, and then opening it or the device list is what fails.
    EXPECT_TRUE(errors.contains(QStringLiteral("Speak Error: "))) << errors.toStdString();
}
