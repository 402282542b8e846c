#pragma once

#include <QtGlobal>

namespace speech {

// Watches the audio on its way to the device, for measurements. Called on the playback thread, as it happens,
// whatever the user-interface thread is doing: an observer must be quick and guard what it shares.
class PlaybackObserver {
public:
    virtual ~PlaybackObserver() = default;

    // The first sample of a stream went to the device.
    virtual void audioStarted(int /*stream*/) {}
    // A block of a stream's audio went to the device; the bytes are valid during the call only.
    virtual void blockWritten(int /*stream*/, const char* /*pcm*/, qint64 /*bytes*/) {}
    // The device ran out of sound while the stream still had some to come: an audible gap.
    virtual void underrun(int /*stream*/) {}
};

} // namespace speech
