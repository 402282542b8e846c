#include "engine/espeak/FileStreamOutput.h"

namespace speech {

namespace {
constexpr int kEventBatchSize = 256;
// Small enough that the encoder's queue holds several: it starts on the first while the next ones are made.
constexpr size_t kAudioBlockSamples = 8 * 1024;
} // namespace

void FileWords::add(int offset, int length, qint64 streamSample)
{
    const std::lock_guard lock(m_mutex);
    m_timeline.words.append({offset, length, m_timeline.samples + streamSample});
}

void FileWords::streamEnded(qint64 samples)
{
    const std::lock_guard lock(m_mutex);
    m_timeline.samples += samples;
}

FileTimeline FileWords::timeline() const
{
    const std::lock_guard lock(m_mutex);
    return m_timeline;
}

FileStreamOutput::FileStreamOutput(const SpeechRequest& request, EventSink events, Finished finished)
    : m_request(request)
    , m_events(std::move(events))
    , m_finished(std::move(finished))
{
}

FileStreamOutput::~FileStreamOutput()
{
    flushAudio();
    flush();
}

bool FileStreamOutput::begin()
{
    SpeechEvent start;
    start.kind = SpeechEvent::Kind::StartStream;
    start.stream = m_request.stream;
    return event(start);
}

bool FileStreamOutput::audio(const qint16* samples, qint64 count)
{
    m_audio.insert(m_audio.end(), samples, samples + count);
    if (m_audio.size() >= kAudioBlockSamples)
        flushAudio();
    m_bytes += count * qint64(sizeof(qint16));
    return true;
}

bool FileStreamOutput::event(const SpeechEvent& event)
{
    // A stream that broke off is no finished file: the save must fail with its reason, not confirm half a text.
    if (event.kind == SpeechEvent::Kind::Error)
        m_request.file->fail(event.text);
    if (event.kind == SpeechEvent::Kind::Word && m_request.words)
        m_request.words->add(event.range.start, event.range.length, event.position / qint64(sizeof(qint16)));
    m_batch.append(event);
    if (m_batch.size() >= kEventBatchSize)
        flush();
    return true;
}

void FileStreamOutput::flushAudio()
{
    // A failed write is kept by the writer and reported when the file is closed; the stream goes on so that
    // its events still arrive.
    if (!m_audio.empty())
        // The writer keeps the first failure and reports it when the stream is closed.
        (void)m_request.file->write(m_audio.data(), qint64(m_audio.size()));
    m_audio.clear();
}

void FileStreamOutput::finish(bool)
{
    flushAudio();
    SpeechEvent end;
    end.kind = SpeechEvent::Kind::EndStream;
    end.stream = m_request.stream;
    end.position = m_bytes;
    m_batch.append(end);
    if (m_request.words)
        m_request.words->streamEnded(m_bytes / qint64(sizeof(qint16)));
    flush();
    m_finished(m_request.stream);
}

void FileStreamOutput::flush()
{
    if (m_batch.isEmpty())
        return;
    m_events(m_batch);
    m_batch.clear();
}

} // namespace speech
