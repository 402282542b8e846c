#include "ProgramRun.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>

// Asked from outside to end, a window saves as on a normal exit (the script's voice value with Save = 1, the
// dictionary still missing at its start) and ends with 128 + the signal; when its X server goes away it still saves
// and ends with 1. Ctrl+C during a render drops the half-written file.
TEST(Termination, SignalsAndALostDisplayEndTheRunTheNormalWay)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    for (const auto& [signal, exitCode] : {std::pair{SIGINT, 130}, {SIGTERM, 143}, {SIGHUP, 129}, {0, 1}}) {
        std::optional<VirtualDisplay> x(std::in_place);
        ProgramRun program;
        program.writeFile(QStringLiteral("job.tts"), "[Program]\r\nStart = 0\r\n[Voice]\r\nRate = 4\r\nSave = 1\r\n");
        program.environment().insert(QStringLiteral("DISPLAY"), x->display());
        // Qt leaves by exit(1) from inside its event loop when the display goes: fontconfig's memory is never freed.
        if (!signal)
            program.environment().insert("ASAN_OPTIONS", qEnvironmentVariable("ASAN_OPTIONS") + ":detect_leaks=0");
        QProcess process;
        process.setProcessEnvironment(program.environment());
        process.setWorkingDirectory(program.dir());
        const auto parts = [&] {
            return QDir(program.dir()).entryList({".sprechkit-*.part"}, QDir::Files | QDir::Hidden);
        };
        if (signal == SIGINT) {
            process.start(program.programPath(), {QStringLiteral("Das ist ein langer Text. ").repeated(4000), "?out"});
            ASSERT_TRUE(QTest::qWaitFor([&] { return !parts().isEmpty(); }, 30000)) << "the render did not start";
        } else {
            process.start(program.programPath(), {program.path(QStringLiteral("job.tts"))});
            ASSERT_FALSE(xdotool(x->display(), {"search", "--sync", "--onlyvisible", "--name", "Sprechkit"}).isEmpty());
        }
        if (signal)
            ::kill(pid_t(process.processId()), signal);
        else
            x.reset();
        ASSERT_TRUE(process.waitForFinished(20000)) << signal;
        EXPECT_EQ(process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1, exitCode) << signal;
        if (signal == SIGINT) {
            EXPECT_EQ(parts(), QStringList());
            EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("out.wav"))));
            continue;
        }
        EXPECT_TRUE(program.readFile(QStringLiteral("sprechkit.wrd")).startsWith("TTS;")) << signal;
        EXPECT_TRUE(program.readFile(QStringLiteral("home/.config/Sprechkit/Tools.ini")).contains("German\\Rate=4"))
            << signal;
    }
}
