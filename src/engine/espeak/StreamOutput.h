#pragma once

#include "engine/espeak/SpeechEvent.h"

#include <QtGlobal>

namespace speech {

// Where a rendered stream goes: the audio device queue or a WAV file. Called on the synthesis thread. Positions
// are bytes of output audio since the segment began. A false return aborts the synthesis of the stream.
class StreamOutput {
public:
    virtual ~StreamOutput() = default;
    // The stream (or, after a skip, its next segment) starts.
    virtual bool begin() = 0;
    virtual bool audio(const qint16* samples, qint64 count) = 0;
    virtual bool event(const SpeechEvent& event) = 0;
    // The stream (or segment) is complete; completed is false when it was aborted.
    virtual void finish(bool completed) = 0;
};

} // namespace speech
