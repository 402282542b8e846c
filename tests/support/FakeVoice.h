#pragma once

#include "base/speech/Voice.h"

#include <QHash>
#include <QList>
#include <QSet>
#include <QStringList>
#include <QVariantList>

#include <functional>

// A voice for tests: it records every call with its arguments, answers from settable values, fails any operation
// on request, and never plays or waits. Tests fire events by emitting the Voice signals directly
// (emit voice.word(1, 0, 6, 5)), at the moment they choose.
class FakeVoice final : public speech::Voice {
    Q_OBJECT
public:
    struct Call {
        QString name;      // the operation: "speak", "setAudioOutput", "skip", ...
        QVariantList args; // its arguments in order (texts as QString, numbers as int / uint / qint64)
    };

    explicit FakeVoice(QObject* parent = nullptr);

    QList<speech::Token> voiceTokens{{QStringLiteral("de"), QStringLiteral("German")},
                                     {QStringLiteral("en"), QStringLiteral("English")}};
    QList<speech::Token> outputTokens{{QStringLiteral("null"), QStringLiteral("TestSink")}};
    int rateValue = 0;
    int volumeValue = 100;
    speech::AudioFormat formatValue = speech::AudioFormat::Mono16kHz;
    int voiceIndexValue = 0;

    // Makes every later call of the operation (by its name, as in Call::name) fail with this description, until
    // succeed() is called for it. Calls that fail are recorded too.
    void fail(const QString& operation, const QString& error) { m_failures.insert(operation, error); }
    void succeed(const QString& operation) { m_failures.remove(operation); }

    // Runs after each recorded call (for example to fire events from inside speak()).
    std::function<void(const Call&)> onCall;

    // waitUntilDone(-1) with a file open reports these to the progress function, each after onRenderStep.
    QList<int> renderSteps;
    std::function<void(int percent)> onRenderStep;

    QList<Call> callsOf(const QString& name) const;
    int countOf(const QString& name) const { return int(callsOf(name).size()); }
    void clearCalls() { m_calls.clear(); }

    bool isPaused() const { return m_paused; }
    bool outputIsFile() const { return m_fileOpen; }       // a file stream is the current output
    int audioOutputIndex() const { return m_outputIndex; } // last index set successfully; -1 = default
    int lastStreamNumber() const { return m_stream; }

    QList<speech::Token> voices() const override { return voiceTokens; }
    QList<speech::Token> audioOutputs() const override { return outputTokens; }
    int voiceIndex() const override { return voiceIndexValue; }
    core::Result setVoice(int index) override;
    core::Result setAudioOutput(int index) override;
    core::Result setOutputFormat(speech::AudioFormat format) override;
    speech::AudioFormat outputFormat() const override { return formatValue; }
    int rate() const override { return rateValue; }
    void setRate(int rate) override;
    int volume() const override { return volumeValue; }
    void setVolume(int volume) override;
    core::ResultOf<int> speak(const QString& text, speech::SpeakFlags flags) override;
    core::Result pause() override;
    core::Result resume() override;
    core::ResultOf<int> skip(speech::SkipUnit unit, int count) override;
    bool waitUntilDone(int msTimeout) override;
    core::Result openFileStream(const QString& path, speech::AudioFormat format) override;
    core::Result closeFileStream() override;
    void discardFileStream() override;
    void setRenderProgress(RenderProgress progress) override { m_renderProgress = std::move(progress); }

private:
    core::Result record(const QString& name, const QVariantList& args) const;

    mutable QList<Call> m_calls;
    QHash<QString, QString> m_failures;
    bool m_paused = false;
    bool m_fileOpen = false;   // the file is the output
    bool m_fileStream = false; // a file stream is open
    int m_outputIndex = -1;
    int m_stream = 0;
    QSet<int> m_started;
    RenderProgress m_renderProgress;
};
