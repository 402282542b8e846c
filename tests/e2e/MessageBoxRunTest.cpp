#include "ProgramRun.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

TEST(MessageBoxRun, MissingScriptMessageIsShownAndAnsweredThenNothingIsWritten)
{
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() ||
        QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
        GTEST_SKIP() << "Xvfb or xdotool is not installed";
    VirtualDisplay x;
    ASSERT_FALSE(x.display().isEmpty()) << "Xvfb did not start";

    ProgramRun program;
    program.environment().insert(QStringLiteral("DISPLAY"), x.display());
    QProcess process;
    process.setProcessEnvironment(program.environment());
    process.setWorkingDirectory(program.dir());
    process.start(program.programPath(), {QStringLiteral("@fehlt.tts")});
    ASSERT_TRUE(process.waitForStarted(10000));

    // The box waits for its answer: the program must not end before it is given.
    const QString box = xdotool(x.display(), {"search", "--sync", "--name", "FEHLER"}).section(u'\n', 0, 0);
    ASSERT_FALSE(box.isEmpty()) << "no message box appeared";
    EXPECT_FALSE(process.waitForFinished(200)) << "the program ended without waiting for the answer";
    xdotool(x.display(), {"windowactivate", "--sync", box});
    xdotool(x.display(), {"key", "--window", box, "Return"});

    ASSERT_TRUE(process.waitForFinished(20000)) << "the program did not end after the answer";
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(program.settingsFile()));
    EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("sprechkit.wrd"))));
}
