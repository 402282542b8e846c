#include "engine/espeak/PlaybackClock.h"

namespace speech {

void PlaybackClock::restart(qint64 bytesPerSecond)
{
    m_bytesPerSecond = bytesPerSecond;
    m_running = false;
    m_anchorNs = 0;
    m_anchorHeard = 0;
}

qint64 PlaybackClock::heard(qint64 nowNs, const Device& device)
{
    const qint64 handed = device.audio + device.padding;
    const qint64 taken = qBound(qint64(0), handed - device.buffered, handed);
    if (!m_running) {
        if (taken == 0)
            return 0;
        m_running = true;
        m_anchorNs = nowNs;
        m_anchorHeard = 0;
    }
    qint64 heard = m_anchorHeard + (nowNs - m_anchorNs) * m_bytesPerSecond / 1000000000;
    // Never past what the device has; never further behind it than its buffer.
    const qint64 earliest = taken - device.bufferSize;
    if (heard > taken || heard < earliest) {
        heard = qBound(earliest, heard, taken);
        m_anchorNs = nowNs;
        m_anchorHeard = heard;
    }
    return qBound(qint64(0), heard, device.audio);
}

void PlaybackClock::pause(qint64 nowNs, const Device& device)
{
    if (!m_running)
        return;
    m_anchorHeard = heard(nowNs, device);
    m_anchorNs = nowNs;
}

void PlaybackClock::resume(qint64 nowNs)
{
    m_anchorNs = nowNs;
}

} // namespace speech
