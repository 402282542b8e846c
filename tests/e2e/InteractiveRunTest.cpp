#include "ProgramRun.h"
#include "VirtualDisplay.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QThread>
#include <QtEndian>

#include <gtest/gtest.h>

namespace {

// Samples louder than a whisper in the recording (16-bit mono) from byte offset on.
int loudSamples(const QString& path, qint64 from)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || !file.seek(from & ~qint64(1)))
        return 0;
    const QByteArray data = file.readAll();
    int loud = 0;
    for (qsizetype i = 0; i + 1 < data.size(); i += 2)
        loud += std::abs(qFromLittleEndian<qint16>(data.constData() + i)) > 1000;
    return loud;
}

// Pixels of the key hints' background colour in the window, from an xwd dump (32-bit pixels, low byte first).
int hintPixels(const QString& display, const QString& window)
{
    QProcess xwd;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    xwd.setProcessEnvironment(environment);
    xwd.start(QStringLiteral("xwd"), {QStringLiteral("-silent"), QStringLiteral("-id"), window});
    xwd.waitForFinished(10000);
    const QByteArray dump = xwd.readAllStandardOutput();
    if (dump.size() < 100)
        return -1;
    const auto field = [&](int index) { return qFromBigEndian<quint32>(dump.constData() + index * 4); };
    const qsizetype start = field(0) + field(19) * 12;
    int count = 0;
    for (qsizetype i = start; i + 3 < dump.size(); i += 4)
        count += quint8(dump[i]) == 0xc0 && quint8(dump[i + 1]) == 0xff && quint8(dump[i + 2]) == 0xff;
    return count;
}

} // namespace

// The real program on its own X server and the PulseAudio null sink: typed text, Alt+S and Esc, the key hints,
// a text put on the clipboard by another program, and the message box of a missing script.
TEST(InteractiveRun, ShortcutsHintsAndClipboardDriveTheRealWindow)
{
    for (const char* tool : {"Xvfb", "xdotool", "xclip", "xwd", "parec"}) {
        if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
            GTEST_SKIP() << tool << " is not installed";
    }
    if (qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        GTEST_SKIP() << "no PulseAudio test server (tools/pulse.sh sets PULSE_SERVER)";
    VirtualDisplay x;
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb did not start";
    const QString d = x.display();

    ProgramRun program;
    const QString recording = program.path(QStringLiteral("monitor.raw"));
    QProcess recorder;
    recorder.setStandardOutputFile(recording);
    recorder.start(QStringLiteral("parec"), {"-d", "test_sink.monitor", "--latency-msec=20", "--format=s16le",
                                             "--rate=22050", "--channels=1", "--raw"});
    ASSERT_TRUE(recorder.waitForStarted(5000));

    program.environment().insert(QStringLiteral("DISPLAY"), d);
    QProcess process;
    process.setProcessEnvironment(program.environment());
    process.setWorkingDirectory(program.dir());
    process.start(program.programPath(), {});
    ASSERT_TRUE(process.waitForStarted(10000));
    const QString window = xdotool(d, {"search", "--sync", "--onlyvisible", "--name", "Sprechkit TextToSpeech"})
                               .section(QLatin1Char('\n'), 0, 0);
    ASSERT_FALSE(window.isEmpty()) << "the window did not appear";
    xdotool(d, {"windowfocus", "--sync", window});
    xdotool(d, {"mousemove", "--window", window, "100", "60", "click", "1"});
    xdotool(d, {"type", "--delay", "10",
                "Dies ist ein langer Satz, der eine ganze Weile gesprochen wird, "
                "damit ihn die Taste Escape mitten im Satz anhalten kann."});

    xdotool(d, {"keydown", "alt"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return hintPixels(d, window) > 0; }, 5000)) << "no key hints while Alt is held";
    xdotool(d, {"keyup", "alt"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return hintPixels(d, window) == 0; }, 5000)) << "the key hints stayed";

    const auto size = [&] { return QFileInfo(recording).size(); };
    qint64 mark = size();
    xdotool(d, {"key", "alt+s"});
    EXPECT_TRUE(QTest::qWaitFor([&] { return loudSamples(recording, mark) > 2205; }, 15000)) << "Alt+S: nothing heard";
    xdotool(d, {"key", "Escape"});
    QThread::msleep(500);
    mark = size();
    QThread::msleep(1000);
    EXPECT_LT(loudSamples(recording, mark), 100) << "still speaking after Esc";

    xdotool(d, {"key", "alt+z"}); // watch the clipboard
    QProcess clip;
    clip.setProcessEnvironment(program.environment());
    mark = size();
    clip.start(QStringLiteral("xclip"), {"-quiet", "-selection", "clipboard", "-i"});
    ASSERT_TRUE(clip.waitForStarted(5000));
    clip.write("Die Zwischenablage wird vorgelesen.");
    clip.waitForBytesWritten(5000); // no event loop here to write it later
    clip.closeWriteChannel();
    EXPECT_TRUE(QTest::qWaitFor([&] { return loudSamples(recording, mark) > 2205; }, 15000))
        << "the clipboard text was not heard";

    clip.kill();
    clip.waitForFinished(5000);
    process.kill();
    process.waitForFinished(5000);
    recorder.terminate();
    recorder.waitForFinished(5000);

    // The box waits for its answer; then the program ends without writing anything.
    ProgramRun missing;
    missing.environment().insert(QStringLiteral("DISPLAY"), d);
    process.setProcessEnvironment(missing.environment());
    process.setWorkingDirectory(missing.dir());
    process.start(missing.programPath(), {QStringLiteral("@fehlt.tts")});
    const QString box = xdotool(d, {"search", "--sync", "--name", "FEHLER"}).section(u'\n', 0, 0);
    ASSERT_FALSE(box.isEmpty()) << "no message box appeared";
    EXPECT_FALSE(process.waitForFinished(200)) << "the program ended without waiting for the answer";
    xdotool(d, {"windowactivate", "--sync", box});
    xdotool(d, {"key", "--window", box, "Return"});
    ASSERT_TRUE(process.waitForFinished(20000)) << "the program did not end after the answer";
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(missing.settingsFile()));
    EXPECT_FALSE(QFileInfo::exists(missing.path(QStringLiteral("sprechkit.wrd"))));
}
