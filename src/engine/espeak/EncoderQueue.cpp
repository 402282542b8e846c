#include "engine/espeak/EncoderQueue.h"

#include <algorithm>
#include <utility>

namespace encoder {

EncoderQueue::EncoderQueue(qint64 maxQueuedSamples, Encode encode)
    : m_encode(std::move(encode))
    , m_maxQueued(std::max<qint64>(maxQueuedSamples, 1))
    , m_thread([this] { run(); })
{
}

EncoderQueue::~EncoderQueue()
{
    cancel();
}

bool EncoderQueue::push(const qint16* samples, qint64 count)
{
    std::unique_lock lock(m_mutex);
    if (count <= 0 || m_stopped || m_ending)
        return !m_stopped;
    // An empty queue takes any block, so a block larger than the bound cannot wait for ever.
    m_changed.wait(lock, [&] { return m_stopped || m_queued == 0 || m_queued + count <= m_maxQueued; });
    if (m_stopped)
        return false;
    std::vector<qint16> block;
    if (!m_spare.empty()) {
        block = std::move(m_spare.back());
        m_spare.pop_back();
    }
    block.assign(samples, samples + count);
    m_blocks.push_back(std::move(block));
    m_queued += count;
    m_changed.notify_all();
    return true;
}

void EncoderQueue::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [&] { return m_stopped || m_ending || !m_blocks.empty(); });
        if (m_stopped || m_blocks.empty())
            return;
        std::vector<qint16> block = std::move(m_blocks.front());
        m_blocks.pop_front();
        lock.unlock();
        const bool encoded = m_encode(block.data(), qint64(block.size()));
        lock.lock();
        m_queued -= qint64(block.size());
        m_spare.push_back(std::move(block));
        if (!encoded) {
            m_stopped = true;
            m_blocks.clear();
            m_queued = 0;
        }
        m_changed.notify_all();
    }
}

void EncoderQueue::stop(bool dropQueued)
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
        if (dropQueued) {
            m_stopped = true;
            m_blocks.clear();
            m_queued = 0;
        }
    }
    m_changed.notify_all();
    if (m_thread.joinable())
        m_thread.join();
}

bool EncoderQueue::finish()
{
    stop(false);
    std::lock_guard lock(m_mutex);
    return !m_stopped;
}

void EncoderQueue::cancel()
{
    stop(true);
}

} // namespace encoder
