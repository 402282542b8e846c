#include "engine/espeak/RequestBook.h"

#include <chrono>

namespace speech {

void RequestBook::add(const SpeechRequest& request)
{
    std::lock_guard lock(m_mutex);
    m_requests.append(request);
}

void RequestBook::update(const SpeechRequest& request)
{
    std::lock_guard lock(m_mutex);
    for (SpeechRequest& existing : m_requests) {
        if (existing.stream == request.stream)
            existing = request;
    }
}

void RequestBook::finished(int stream)
{
    {
        std::lock_guard lock(m_mutex);
        m_requests.removeIf([stream](const SpeechRequest& request) { return request.stream == stream; });
    }
    m_changed.notify_all();
}

void RequestBook::clear()
{
    {
        std::lock_guard lock(m_mutex);
        m_requests.clear();
    }
    m_changed.notify_all();
}

QList<SpeechRequest> RequestBook::pending() const
{
    std::lock_guard lock(m_mutex);
    return m_requests;
}

template <typename Condition> bool RequestBook::waitFor(int msTimeout, Condition condition)
{
    std::unique_lock lock(m_mutex);
    if (msTimeout < 0) {
        m_changed.wait(lock, condition);
        return true;
    }
    return m_changed.wait_for(lock, std::chrono::milliseconds(msTimeout), condition);
}

bool RequestBook::waitUntilEmpty(int msTimeout)
{
    return waitFor(msTimeout, [this] { return m_requests.isEmpty(); });
}

bool RequestBook::waitUntilFinished(int stream, int msTimeout)
{
    return waitFor(msTimeout, [this, stream] {
        return std::none_of(m_requests.cbegin(), m_requests.cend(),
                            [stream](const SpeechRequest& request) { return request.stream == stream; });
    });
}

} // namespace speech
