#pragma once

#include "base/speech/Voice.h"
#include "engine/espeak/SpeechRequest.h"
#include "engine/espeak/StreamOutput.h"

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace speech {

// The one thread that talks to espeak-ng. The library is a single global instance that is not thread-safe, so
// every call to it, from set-up to synthesis, runs here as a job, one after the other. There is one worker for
// the process, and it is never shut down: espeak-ng 1.51 hangs in espeak_Terminate() in synchronous mode, and it
// cannot be initialised twice.
class SynthesisWorker {
public:
    using OutputFactory = std::function<std::unique_ptr<StreamOutput>(const SpeechRequest&)>;
    // A job is skipped, or stops, once the value passes its generation. Each voice has its own.
    using AbortMark = std::shared_ptr<const std::atomic<quint64>>;

    static SynthesisWorker& shared();
    SynthesisWorker(const SynthesisWorker&) = delete;
    SynthesisWorker& operator=(const SynthesisWorker&) = delete;

    core::Result initialize();
    QList<Token> voices();
    // Loads the voice when the thread is idle; succeeds without trying while a stream is being made.
    core::Result checkVoice(const QString& id);

    // Queues the synthesis of a request.
    void synthesize(SpeechRequest request, quint64 generation, AbortMark aborted, OutputFactory makeOutput);
    // Runs a job on the thread after everything queued before it and waits for it.
    void call(const std::function<void()>& job);
    // Runs a job and waits for it only when nothing else is running or queued; false otherwise.
    bool callIfIdle(const std::function<void()>& job);

private:
    SynthesisWorker();
    ~SynthesisWorker() = default;

    void post(std::function<void()> job);
    void run();
    void render(const SpeechRequest& request, quint64 generation, const AbortMark& aborted,
                const OutputFactory& makeOutput);
    bool applyVoice(const QString& id);

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<std::function<void()>> m_jobs;
    bool m_busy = false; // a job is running
    int m_sampleRate = 0;
    QString m_currentVoice;
    std::thread m_thread; // last: it starts running when constructed
};

} // namespace speech
