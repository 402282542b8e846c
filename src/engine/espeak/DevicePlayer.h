#pragma once

#include "engine/espeak/AudioQueue.h"
#include "engine/espeak/PlaybackClock.h"
#include "engine/espeak/SpeechEvent.h"

#include <QAudio>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QTimer>

#include <deque>
#include <functional>
#include <optional>

class QAudioSink;
class QIODevice;

namespace speech {

// Plays the queued streams on an audio device, a fresh QAudioSink for each, and releases each stream's events
// when the device has played up to them. Lives on a thread of its own, so audio goes on while the user-interface
// thread waits; its public functions must be called on that thread.
class PlaybackObserver;

class DevicePlayer : public QObject {
    Q_OBJECT
public:
    struct Position {
        int stream = 0;      // 0 when no stream is playing
        int wordOffset = -1; // text offset of the last word released, -1 when none yet
        qint64 played = 0;   // stream position heard so far
    };

    DevicePlayer(AudioQueue& queue, std::function<void(int stream)> finished);
    ~DevicePlayer() override;

    // Watches what goes to the device from now on; null: nobody.
    void setObserver(PlaybackObserver* observer) { m_observer = observer; }

    void wake();
    void pause();
    void resume();
    // Stops the sound at once; the stream that was playing ends (EndStream).
    void purge();
    // Stops the sound but keeps the stream open: its next segment continues at the position reached.
    Position interrupt();
    // Whether a stream can be opened on the device (null: the default output) right now.
    static bool canOpen(const QAudioDevice& device);

signals:
    void eventsReady(const QList<speech::SpeechEvent>& events);

private:
    void tick();
    bool beginNext();
    void feed();
    qint64 playedPosition();
    PlaybackClock::Device deviceFill() const;
    // Hands out the events before played: an event marks the start of its audio, which has been heard once the
    // device has taken any of it. all hands out every event held.
    void release(qint64 played, bool all = false);
    void endStream(qint64 position);
    // A device failure, before the stream's end.
    void reportError(const QString& reason, qint64 position);
    static QString errorName(QAudio::Error error);
    void dropSink();
    void resetStream();

    AudioQueue& m_queue;
    std::function<void(int)> m_finished;
    QTimer* m_timer;
    QAudioSink* m_sink = nullptr;
    QIODevice* m_io = nullptr;
    bool m_paused = false;
    PlaybackObserver* m_observer = nullptr;

    int m_stream = 0;
    qint64 m_base = 0;    // stream position where the current segment began
    qint64 m_written = 0; // audio bytes of the segment handed to the device
    qint64 m_padding = 0; // silence written after the end, so that short streams start and tails play out
    bool m_ended = false;
    QByteArray m_pcm;
    qint64 m_pcmOffset = 0;
    std::deque<SpeechEvent> m_events;
    int m_lastWordOffset = -1;
    std::optional<AudioQueue::Item> m_nextBegin;

    QElapsedTimer m_time;
    PlaybackClock m_clock; // what of the segment has been heard
};

} // namespace speech
