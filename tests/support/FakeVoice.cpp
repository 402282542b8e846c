#include "support/FakeVoice.h"

#include "base/speech/MarkupTags.h"

FakeVoice::FakeVoice(QObject* parent)
    : speech::Voice(parent)
{
    // Streams the test has started and not ended: a purge ends them, as the real voice does.
    connect(this, &Voice::startStream, this, [this](int stream) { m_started.insert(stream); });
    connect(this, &Voice::endStream, this, [this](int stream) { m_started.remove(stream); });
}

QList<FakeVoice::Call> FakeVoice::callsOf(const QString& name) const
{
    QList<Call> found = m_calls;
    found.removeIf([&](const Call& call) { return call.name != name; });
    return found;
}

core::Result FakeVoice::record(const QString& name, const QVariantList& args) const
{
    m_calls.append({name, args});
    if (onCall)
        onCall(m_calls.last());
    return m_failures.contains(name) ? core::Result::failure(m_failures.value(name)) : core::Result();
}

core::Result FakeVoice::setVoice(int index)
{
    if (core::Result recorded = record(QStringLiteral("setVoice"), {index}); !recorded)
        return recorded;
    if (index < 0 || index >= voiceTokens.size())
        return core::Result::failure(QStringLiteral("No voice with index %1").arg(index));
    voiceIndexValue = index;
    return {};
}

core::Result FakeVoice::setAudioOutput(int index)
{
    if (core::Result recorded = record(QStringLiteral("setAudioOutput"), {index}); !recorded)
        return recorded;
    if (index < -1 || index >= outputTokens.size())
        return core::Result::failure(QStringLiteral("No audio output with index %1").arg(index));
    m_outputIndex = index;
    m_fileOpen = false;
    return {};
}

core::Result FakeVoice::setOutputFormat(speech::AudioFormat format)
{
    if (core::Result recorded = record(QStringLiteral("setOutputFormat"), {int(format)}); !recorded)
        return recorded;
    formatValue = format;
    return {};
}

void FakeVoice::setRate(int rate)
{
    (void)record(QStringLiteral("setRate"), {rate});
    rateValue = qBound(-10, rate, 10);
}

void FakeVoice::setVolume(int volume)
{
    (void)record(QStringLiteral("setVolume"), {volume});
    volumeValue = qBound(0, volume, 100);
}

core::ResultOf<int> FakeVoice::speak(const QString& text, speech::SpeakFlags flags)
{
    if (core::Result recorded = record(QStringLiteral("speak"), {text, flags.toInt()}); !recorded)
        return recorded;
    if (const core::ResultOf<bool> markup = speech::MarkupTags::isMarkup(text, flags);
        !markup && !flags.testFlag(speech::SpeakIsFilename))
        return markup.result();
    if (flags.testFlag(speech::SpeakPurgeBeforeSpeak)) {
        // Later, like the real voice's events.
        for (const int stream : std::as_const(m_started))
            QMetaObject::invokeMethod(
                this, [this, stream] { emit endStream(stream, 0); }, Qt::QueuedConnection);
    }
    return ++m_stream;
}

core::Result FakeVoice::pause()
{
    if (core::Result recorded = record(QStringLiteral("pause"), {}); !recorded)
        return recorded;
    m_paused = true;
    return {};
}

core::Result FakeVoice::resume()
{
    if (core::Result recorded = record(QStringLiteral("resume"), {}); !recorded)
        return recorded;
    m_paused = false;
    return {};
}

core::ResultOf<int> FakeVoice::skip(speech::SkipUnit unit, int count)
{
    if (core::Result recorded = record(QStringLiteral("skip"), {int(unit), count}); !recorded)
        return recorded;
    return count < 0 ? -count : count;
}

bool FakeVoice::waitUntilDone(int msTimeout)
{
    (void)record(QStringLiteral("waitUntilDone"), {msTimeout});
    for (qsizetype i = 0; m_fileOpen && m_renderProgress && msTimeout == -1 && i < renderSteps.size(); ++i) {
        if (onRenderStep)
            onRenderStep(renderSteps[i]);
        if (!m_renderProgress(renderSteps[i]))
            return false;
    }
    return true;
}

core::Result FakeVoice::openFileStream(const QString& path, speech::AudioFormat format)
{
    if (core::Result recorded = record(QStringLiteral("openFileStream"), {path, int(format)}); !recorded)
        return recorded;
    m_fileOpen = true;
    m_fileStream = true;
    return {};
}

void FakeVoice::discardFileStream()
{
    (void)record(QStringLiteral("discardFileStream"), {});
    m_fileStream = false;
    m_fileOpen = false;
}

core::Result FakeVoice::closeFileStream()
{
    if (core::Result recorded = record(QStringLiteral("closeFileStream"), {}); !recorded)
        return recorded;
    if (!m_fileStream)
        return core::Result::failure(QStringLiteral("No file stream is open."));
    m_fileStream = false;
    m_fileOpen = false;
    return {};
}
