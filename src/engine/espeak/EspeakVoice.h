#pragma once

#include "base/speech/Voice.h"
#include "engine/espeak/AudioQueue.h"
#include "engine/espeak/RequestBook.h"
#include "engine/espeak/SpeechEvent.h"

#include <QAudioDevice>
#include <QThread>

#include <atomic>

#include <memory>

namespace speech {

class DevicePlayer;
class FileWords;
class PlaybackObserver;
class SynthesisWorker;
class WavFileWriter;

// The real voice: espeak-ng on a synthesis thread, playback through Qt Multimedia on a thread of its own, WAV
// files through libsndfile. Lives on the user-interface thread and emits its events there.
class EspeakVoice : public Voice {
    Q_OBJECT
public:
    explicit EspeakVoice(QObject* parent = nullptr);
    ~EspeakVoice() override;

    // Empty when the synthesizer came up; otherwise every operation fails with this text.
    QString initializationError() const { return m_initializationError; }

    QList<Token> voices() const override;
    QList<Token> audioOutputs() const override;

    int voiceIndex() const override { return m_voiceIndex; }
    core::Result setVoice(int index) override;
    core::Result setAudioOutput(int index) override;
    core::Result setOutputFormat(AudioFormat format) override;
    AudioFormat outputFormat() const override { return m_format; }

    int rate() const override { return m_rate; }
    void setRate(int rate) override;
    int volume() const override { return m_volume; }
    void setVolume(int volume) override;

    core::ResultOf<int> speak(const QString& text, SpeakFlags flags) override;
    core::Result pause() override;
    core::Result resume() override;
    core::ResultOf<int> skip(SkipUnit unit, int count) override;
    bool waitUntilDone(int msTimeout) override;

    core::Result openFileStream(const QString& path, AudioFormat format) override;
    core::Result closeFileStream() override;
    void discardFileStream() override;
    void setRenderProgress(RenderProgress progress) override { m_renderProgress = std::move(progress); }
    FileTimeline fileTimeline() const override;

    // AudioLevel events are off unless asked for.
    void setAudioLevelEvents(bool enabled) { m_audioLevelEvents = enabled; }

    // Shows the observer what goes to the device from now on (null: nobody); it must outlive the voice or be
    // replaced first.
    void setPlaybackObserver(PlaybackObserver* observer);

private:
    void deliver(const QList<speech::SpeechEvent>& events);
    void emitEvents(const QList<speech::SpeechEvent>& events);
    core::Result waitReportingProgress(const std::function<bool(int msTimeout)>& wait);
    void enqueue(const SpeechRequest& request);
    quint64 abortAll();
    void purge();
    QList<QAudioDevice> devices() const;

    SynthesisWorker* m_worker;
    std::shared_ptr<std::atomic<quint64>> m_abortedUpTo;
    AudioQueue m_queue;
    QThread m_playerThread;
    DevicePlayer* m_player = nullptr;
    RequestBook m_book;
    QString m_initializationError;

    QList<Token> m_voices;
    int m_voiceIndex = 0;
    QString m_previousVoice;            // voice of the stream before, for VoiceChange
    QAudioDevice m_device;              // null: the default output
    mutable bool m_devicesLost = false; // a stream lost its device; Qt's list may be out of date
    std::shared_ptr<WavFileWriter> m_file;
    std::shared_ptr<FileWords> m_fileWords; // of the file stream opened last
    bool m_toFile = false;
    AudioFormat m_format = AudioFormat::Mono22kHz;
    int m_rate = 0;
    int m_volume = 100;
    int m_nextStream = 1;
    quint64 m_generation = 1;
    bool m_paused = false;
    bool m_audioLevelEvents = false;
    RenderProgress m_renderProgress;
    std::shared_ptr<std::atomic<int>> m_fileProgress; // of the latest file render that reports progress
    int m_holdingEvents = 0;                          // > 0: events wait in m_heldEvents (a render reports progress)
    QList<speech::SpeechEvent> m_heldEvents;
};

} // namespace speech
