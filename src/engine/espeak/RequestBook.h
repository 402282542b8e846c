#pragma once

#include "engine/espeak/SpeechRequest.h"

#include <QList>

#include <condition_variable>
#include <mutex>

namespace speech {

// The streams that were asked for and have not ended yet, in order. Shared by the threads: a stream is marked
// finished by the thread that ends it, so waiting for it needs nothing from the user-interface thread.
class RequestBook {
public:
    void add(const SpeechRequest& request);
    void update(const SpeechRequest& request);
    void finished(int stream);
    void clear();
    QList<SpeechRequest> pending() const;

    // msTimeout -1 waits without limit. True when the condition holds.
    bool waitUntilEmpty(int msTimeout);
    bool waitUntilFinished(int stream, int msTimeout);

private:
    template <typename Condition> bool waitFor(int msTimeout, Condition condition);

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    QList<SpeechRequest> m_requests;
};

} // namespace speech
