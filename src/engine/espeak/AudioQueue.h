#pragma once

#include "engine/espeak/SpeechEvent.h"

#include <QAudioDevice>
#include <QByteArray>

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>

namespace speech {

// Hands rendered audio and its events from the synthesis thread to the playback thread. Bounded, so synthesis
// runs only a little ahead of what is heard and memory does not grow with the text. Every push carries the
// generation it was made for; reset() starts a new generation and turns away what belongs to older ones.
class AudioQueue {
public:
    struct Item {
        enum class Kind { Begin, Audio, Event, End };
        Kind kind = Kind::Audio;
        int stream = 0;
        QByteArray pcm;            // Audio
        SpeechEvent event;         // Event (position relative to the segment)
        int sampleRate = 0;        // Begin
        QAudioDevice device;       // Begin
        bool continuation = false; // Begin: a restart inside the stream that is playing
    };

    explicit AudioQueue(qint64 maxBytes = 256 * 1024);

    // Blocks while the queue is full. False when the generation is no longer current.
    bool push(Item item, quint64 generation);
    std::optional<Item> tryPop();
    void reset(quint64 generation);
    bool isCurrent(quint64 generation) const;
    // Called (on the pushing thread) when an item arrives in an empty queue.
    void setWakeUp(std::function<void()> wakeUp);

private:
    mutable std::mutex m_mutex;
    std::condition_variable m_notFull;
    std::deque<Item> m_items;
    qint64 m_bytes = 0;
    qint64 m_maxBytes;
    quint64 m_generation = 0;
    std::function<void()> m_wakeUp;
};

} // namespace speech
