// Whole-program figures: start-up until the window is shown (under Xvfb) and a short WAV-target run.
#include "BenchSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using bench::median;

constexpr int kRuns = 7;

// A copy of the program with its own home, so no earlier settings or dictionary take part.
struct Sandbox {
    QTemporaryDir dir;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();

    Sandbox()
    {
        bench::copyProgram(QStringLiteral(SPRECHKIT_BINARY), dir.path());
        QDir().mkpath(dir.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("HOME"), dir.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("home/.config")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), dir.filePath(QStringLiteral("home")));
    }
    QString program() const { return dir.filePath(QStringLiteral("sprechkit")); }
};

double wavShortRunMs()
{
    Sandbox sandbox;
    sandbox.environment.remove(QStringLiteral("DISPLAY"));
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        QProcess process;
        process.setProcessEnvironment(sandbox.environment);
        process.setWorkingDirectory(sandbox.dir.path());
        QElapsedTimer timer;
        timer.start();
        process.start(sandbox.program(), {QStringLiteral("Guten Morgen, es ist neun Uhr."), QStringLiteral("?out")});
        if (!process.waitForFinished(30000) || process.exitCode() != 0) {
            std::fprintf(stderr, "wav run failed: %s\n", process.readAllStandardError().constData());
            return -1;
        }
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

// Waits on the X server for the first top-level window to be mapped.
class MapWatcher {
public:
    explicit MapWatcher(const QByteArray& display)
        : m_connection(xcb_connect(display.constData(), nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_connection);
        m_ok = true;
    }
    ~MapWatcher() { xcb_disconnect(m_connection); }
    bool ok() const { return m_ok; }

    bool waitForMap(int timeoutMs)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < timeoutMs) {
            while (xcb_generic_event_t* event = xcb_poll_for_event(m_connection)) {
                const bool mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
                free(event);
                if (mapped)
                    return true;
            }
            QThread::usleep(200);
        }
        return false;
    }

private:
    xcb_connection_t* m_connection;
    xcb_window_t m_root = 0;
    bool m_ok = false;
};

double startupWindowMs()
{
    const QByteArray display = ":87";
    QProcess xvfb;
    xvfb.start(QStringLiteral("Xvfb"),
               {QString::fromLatin1(display), QStringLiteral("-screen"), QStringLiteral("0"),
                QStringLiteral("1024x768x24"), QStringLiteral("-nolisten"), QStringLiteral("tcp")});
    for (int i = 0; i < 100 && !QFile::exists(QStringLiteral("/tmp/.X11-unix/X87")); ++i)
        QThread::msleep(50);

    Sandbox sandbox;
    sandbox.environment.insert(QStringLiteral("DISPLAY"), QString::fromLatin1(display));
    sandbox.environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i) {
        MapWatcher watcher(display);
        if (!watcher.ok())
            break;
        QProcess process;
        process.setProcessEnvironment(sandbox.environment);
        QElapsedTimer timer;
        timer.start();
        process.start(sandbox.program(), {});
        const bool shown = watcher.waitForMap(30000);
        const double elapsed = double(timer.nsecsElapsed()) / 1e6;
        process.terminate();
        process.waitForFinished(5000);
        if (!shown)
            break;
        times.push_back(elapsed);
    }
    xvfb.terminate();
    xvfb.waitForFinished(5000);
    return times.empty() ? -1 : median(times);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication application(argc, argv);
    std::printf("startup_window_ms: %.1f ms\n", startupWindowMs());
    std::printf("wav_short_run_ms: %.1f ms\n", wavShortRunMs());
    return 0;
}
