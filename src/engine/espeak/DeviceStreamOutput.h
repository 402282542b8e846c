#pragma once

#include "engine/espeak/AudioQueue.h"
#include "engine/espeak/SpeechRequest.h"
#include "engine/espeak/StreamOutput.h"

namespace speech {

// Sends a rendered stream to the playback thread through the audio queue.
class DeviceStreamOutput : public StreamOutput {
public:
    DeviceStreamOutput(AudioQueue& queue, const SpeechRequest& request, quint64 generation);

    bool begin() override;
    bool audio(const qint16* samples, qint64 count) override;
    bool event(const SpeechEvent& event) override;
    void finish(bool completed) override;

private:
    AudioQueue& m_queue;
    const SpeechRequest& m_request;
    quint64 m_generation;
};

} // namespace speech
