#pragma once

#include "base/speech/Voice.h"
#include "engine/espeak/SpeechRequest.h"
#include "engine/espeak/StreamOutput.h"
#include "engine/espeak/WavFileWriter.h"

#include <QList>

#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

namespace speech {

// The words heard in a file, with their positions counted from the file's start across the streams written into
// it. Filled on the synthesis thread, read on the caller's.
class FileWords {
public:
    void add(int offset, int length, qint64 streamSample);
    // The stream that was written last took this many samples: the next one starts after them.
    void streamEnded(qint64 samples);
    FileTimeline timeline() const;

private:
    mutable std::mutex m_mutex;
    FileTimeline m_timeline; // its samples: where the stream being written starts
};

// Writes a rendered stream into a WAV file. Its events go to the user-interface thread in batches as they are
// made; nothing waits for real time.
class FileStreamOutput : public StreamOutput {
public:
    using EventSink = std::function<void(const QList<SpeechEvent>&)>;
    using Finished = std::function<void(int stream)>;

    FileStreamOutput(const SpeechRequest& request, EventSink events, Finished finished);
    ~FileStreamOutput() override;

    bool begin() override;
    bool audio(const qint16* samples, qint64 count) override;
    bool event(const SpeechEvent& event) override;
    void finish(bool completed) override;

private:
    void flush();
    void flushAudio();

    const SpeechRequest& m_request;
    EventSink m_events;
    Finished m_finished;
    QList<SpeechEvent> m_batch;
    std::vector<qint16> m_audio; // collected into large writes
    qint64 m_bytes = 0;
};

} // namespace speech
