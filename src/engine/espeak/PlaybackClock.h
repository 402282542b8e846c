#pragma once

#include <QtGlobal>

namespace speech {

// Estimates how much of a segment has been heard. The device takes audio in blocks, ahead of playing it, so what
// it has taken says little about the moment: what is heard runs with the clock from the first take, held back
// while the device has nothing left to play and pulled forward when it plays faster. Time is passed in, in
// nanoseconds of any steady clock.
class PlaybackClock {
public:
    // What the device has been given of the segment so far, in bytes.
    struct Device {
        qint64 audio = 0;      // the segment's audio
        qint64 padding = 0;    // silence written after the audio
        qint64 buffered = 0;   // of both, what the device still holds untaken
        qint64 bufferSize = 0; // how much the device holds at most
    };

    // A new segment in a format of bytesPerSecond: nothing heard, the clock waits for the first take.
    void restart(qint64 bytesPerSecond);
    // Audio bytes of the segment heard by nowNs, at most device.audio.
    qint64 heard(qint64 nowNs, const Device& device);
    // The clock stops with the sound and goes on from where it stopped.
    void pause(qint64 nowNs, const Device& device);
    void resume(qint64 nowNs);

private:
    qint64 m_bytesPerSecond = 0;
    bool m_running = false; // the device has started taking the segment
    qint64 m_anchorNs = 0;
    qint64 m_anchorHeard = 0; // bytes heard at m_anchorNs
};

} // namespace speech
