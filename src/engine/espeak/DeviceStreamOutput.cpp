#include "engine/espeak/DeviceStreamOutput.h"

namespace speech {

DeviceStreamOutput::DeviceStreamOutput(AudioQueue& queue, const SpeechRequest& request, quint64 generation)
    : m_queue(queue)
    , m_request(request)
    , m_generation(generation)
{
}

bool DeviceStreamOutput::begin()
{
    AudioQueue::Item item;
    item.kind = AudioQueue::Item::Kind::Begin;
    item.stream = m_request.stream;
    item.sampleRate = m_request.sampleRate;
    item.device = m_request.device;
    item.continuation = m_request.continuation;
    return m_queue.push(std::move(item), m_generation);
}

bool DeviceStreamOutput::audio(const qint16* samples, qint64 count)
{
    AudioQueue::Item item;
    item.kind = AudioQueue::Item::Kind::Audio;
    item.stream = m_request.stream;
    item.pcm = QByteArray(reinterpret_cast<const char*>(samples), count * qint64(sizeof(qint16)));
    return m_queue.push(std::move(item), m_generation);
}

bool DeviceStreamOutput::event(const SpeechEvent& event)
{
    AudioQueue::Item item;
    item.kind = AudioQueue::Item::Kind::Event;
    item.stream = m_request.stream;
    item.event = event;
    return m_queue.push(std::move(item), m_generation);
}

void DeviceStreamOutput::finish(bool)
{
    // A stream that failed must still end, or its callers wait for ever. An aborted one is refused by the queue
    // here (its generation is over) and ended by the player, which knows how far it was heard.
    AudioQueue::Item item;
    item.kind = AudioQueue::Item::Kind::End;
    item.stream = m_request.stream;
    m_queue.push(std::move(item), m_generation);
}

} // namespace speech
