#include "ProgramRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// An X server of the test's own, so the program shows real message boxes that xdotool can answer.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        for (int number = 91; number < 99 && m_display.isEmpty(); ++number) {
            if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
                continue;
            m_server.start(QStringLiteral("Xvfb"),
                           {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"), QStringLiteral("0"),
                            QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
            m_server.waitForStarted(5000);
            for (int i = 0; i < 100 && m_server.state() == QProcess::Running; ++i) {
                if (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number))) {
                    m_display = QStringLiteral(":%1").arg(number);
                    break;
                }
                m_server.waitForFinished(50);
            }
        }
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    QString display() const { return m_display; }

private:
    QProcess m_server;
    QString m_display;
};

QString xdotool(const QString& display, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("xdotool"), arguments);
    process.waitForFinished(20000);
    return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
}

} // namespace

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
    const QString box = xdotool(x.display(), {QStringLiteral("search"), QStringLiteral("--sync"),
                                              QStringLiteral("--name"), QStringLiteral("FEHLER")})
                            .section(QLatin1Char('\n'), 0, 0);
    ASSERT_FALSE(box.isEmpty()) << "no message box appeared";
    EXPECT_FALSE(process.waitForFinished(200)) << "the program ended without waiting for the answer";
    xdotool(x.display(), {QStringLiteral("windowactivate"), QStringLiteral("--sync"), box});
    xdotool(x.display(), {QStringLiteral("key"), QStringLiteral("--window"), box, QStringLiteral("Return")});

    ASSERT_TRUE(process.waitForFinished(20000)) << "the program did not end after the answer";
    EXPECT_NE(process.exitCode(), 0);
    EXPECT_FALSE(QFileInfo::exists(program.settingsFile()));
    EXPECT_FALSE(QFileInfo::exists(program.path(QStringLiteral("sprechkit.wrd"))));
}
