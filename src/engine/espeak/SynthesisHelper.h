#pragma once

#include "base/core/Result.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <sys/types.h>
#include <thread>

namespace speech {

// One running synthesis helper process (sprechkit-synth). A thread hands it its text and spools what it writes
// into an unlinked temporary file as fast as it comes, so the helper never waits for the program and memory stays
// small however long the run is; read() takes it back in order. Destroying the object kills the process if it is
// still running and reaps it.
class SynthesisHelper {
public:
    // The helper program beside the plugins, or an empty string when there is none.
    static QString program();
    // Tests point this at a missing or a failing program; an empty string restores the search.
    static void setProgramForTesting(const QString& path);

    SynthesisHelper() = default;
    ~SynthesisHelper();
    SynthesisHelper(const SynthesisHelper&) = delete;
    SynthesisHelper& operator=(const SynthesisHelper&) = delete;

    core::Result start(const QString& program, const QStringList& arguments, QByteArray input);
    // Blocks until size bytes have come; false when the helper's output ended before.
    bool read(char* data, size_t size);
    // How the process ended, for an error message: set once read() has returned false.
    QString exitReason();

private:
    void pump(int input, int output);
    bool fill();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    pid_t m_pid = -1; // until reaped
    int m_spool = -1;
    qint64 m_spooled = 0; // bytes in the spool file
    bool m_ended = false; // the helper closed its output (or it could not be read)
    QString m_exitReason;
    QByteArray m_input;
    std::thread m_thread;
    // The reading side, used by the caller's thread only.
    QByteArray m_buffer;
    qsizetype m_bufferPos = 0;
    qint64 m_readPos = 0;
};

} // namespace speech
