#include "engine/espeak/AudioQueue.h"

namespace speech {

AudioQueue::AudioQueue(qint64 maxBytes)
    : m_maxBytes(maxBytes)
{
}

bool AudioQueue::push(Item item, quint64 generation)
{
    std::function<void()> wakeUp;
    {
        std::unique_lock lock(m_mutex);
        m_notFull.wait(lock, [&] { return generation != m_generation || m_bytes < m_maxBytes; });
        if (generation != m_generation)
            return false;
        if (m_items.empty())
            wakeUp = m_wakeUp;
        m_bytes += item.pcm.size();
        m_items.push_back(std::move(item));
    }
    if (wakeUp)
        wakeUp();
    return true;
}

std::optional<AudioQueue::Item> AudioQueue::tryPop()
{
    std::lock_guard lock(m_mutex);
    if (m_items.empty())
        return std::nullopt;
    Item item = std::move(m_items.front());
    m_items.pop_front();
    m_bytes -= item.pcm.size();
    m_notFull.notify_all();
    return item;
}

void AudioQueue::reset(quint64 generation)
{
    std::lock_guard lock(m_mutex);
    m_items.clear();
    m_bytes = 0;
    m_generation = generation;
    m_notFull.notify_all();
}

bool AudioQueue::isCurrent(quint64 generation) const
{
    std::lock_guard lock(m_mutex);
    return generation == m_generation;
}

void AudioQueue::setWakeUp(std::function<void()> wakeUp)
{
    std::lock_guard lock(m_mutex);
    m_wakeUp = std::move(wakeUp);
}

} // namespace speech
