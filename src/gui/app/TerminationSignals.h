#pragma once

#include <QObject>

class QSocketNotifier;

namespace app {

class MainWindow;

// Ends the program the normal way when it is asked to from outside: SIGTERM (a logout, systemctl), SIGHUP (a
// closed terminal) and SIGINT (Ctrl+C) run the window's unload handler, which saves, drops a render in progress
// with its partial file, and ends with 128 + the signal. The signal handler only records the signal and wakes the
// event loop through a pipe; a render that blocks the event loop sees the request in its progress function. A
// display that goes away makes Qt call exit(): the window's saving then runs from an exit handler.
// Signals that were ignored at start (nohup) stay ignored. One instance, living no longer than the window.
class TerminationSignals : public QObject {
    Q_OBJECT
public:
    explicit TerminationSignals(MainWindow& window);
    ~TerminationSignals() override;

private:
    void signalled();

    MainWindow& m_window;
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace app
