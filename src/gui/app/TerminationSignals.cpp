#include "gui/app/TerminationSignals.h"

#include "base/core/TerminationRequest.h"
#include "gui/app/MainWindow.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iterator>
#include <unistd.h>
#include <utility>

namespace app {

namespace {

constexpr int kSignals[] = {SIGTERM, SIGHUP, SIGINT};
constexpr int kSignalCount = std::size(kSignals);

int g_wakePipe[2] = {-1, -1};
struct sigaction g_previous[kSignalCount];
bool g_installed[kSignalCount] = {};
MainWindow* g_window = nullptr; // while the window can still save: the exit handler's way to it

// Async-signal-safe: an atomic store and a write that never blocks (a full pipe has a wake-up in it already).
void onSignal(int signalNumber)
{
    const int savedErrno = errno;
    core::requestTermination(signalNumber);
    [[maybe_unused]] const ssize_t written = ::write(g_wakePipe[1], "t", 1);
    errno = savedErrno;
}

// Qt's X11 platform ends the program with exit(1) when the connection to the display breaks, from inside the event
// loop: the window still exists then, so its settings and dictionary can be written.
void saveAtExit()
{
    if (g_window && QThread::currentThread() == g_window->thread())
        g_window->saveAtForcedExit();
}

} // namespace

TerminationSignals::TerminationSignals(MainWindow& window)
    : m_window(window)
{
    // Without the pipe the signals keep their default action and end the program at once, as they always did.
    if (::pipe2(g_wakePipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_wakePipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationSignals::signalled);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int i = 0; i < kSignalCount; ++i) {
        if (sigaction(kSignals[i], nullptr, &g_previous[i]) == 0 && g_previous[i].sa_handler != SIG_IGN)
            g_installed[i] = sigaction(kSignals[i], &action, nullptr) == 0;
    }
    g_window = &window;
    static const bool atExitRegistered = std::atexit(saveAtExit) == 0;
    Q_UNUSED(atExitRegistered);
}

TerminationSignals::~TerminationSignals()
{
    g_window = nullptr;
    if (!m_notifier)
        return;
    for (int i = 0; i < kSignalCount; ++i) {
        if (std::exchange(g_installed[i], false))
            sigaction(kSignals[i], &g_previous[i], nullptr);
    }
    delete m_notifier;
    for (int& fd : g_wakePipe)
        ::close(std::exchange(fd, -1));
}

void TerminationSignals::signalled()
{
    char drained[16];
    while (::read(g_wakePipe[0], drained, sizeof drained) > 0) {
    }
    const int signal = core::terminationSignal();
    if (signal == 0)
        return;
    // Unloaded already, the window may still wait in its error box for an answer nobody gives at a logout.
    if (m_window.isUnloaded())
        QCoreApplication::exit(128 + signal);
    else
        m_window.unload();
}

} // namespace app
