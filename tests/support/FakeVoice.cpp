#include "support/FakeVoice.h"

FakeVoice::FakeVoice(QObject* parent)
    : speech::Voice(parent)
{
}

QStringList FakeVoice::callNames() const
{
    QStringList names;
    for (const Call& call : m_calls)
        names.append(call.name);
    return names;
}

QList<FakeVoice::Call> FakeVoice::callsOf(const QString& name) const
{
    QList<Call> found;
    for (const Call& call : m_calls) {
        if (call.name == name)
            found.append(call);
    }
    return found;
}

bool FakeVoice::record(const QString& name, const QVariantList& args, QString* error) const
{
    m_calls.append({name, args});
    if (onCall)
        onCall(m_calls.last());
    const auto failure = m_failures.constFind(name);
    if (failure == m_failures.constEnd())
        return true;
    if (error)
        *error = failure.value();
    return false;
}

QList<speech::Token> FakeVoice::voices() const
{
    return voiceTokens;
}

QList<speech::Token> FakeVoice::audioOutputs() const
{
    return outputTokens;
}

int FakeVoice::voiceIndex() const
{
    return voiceIndexValue;
}

bool FakeVoice::setVoice(int index, QString* error)
{
    if (!record(QStringLiteral("setVoice"), {index}, error))
        return false;
    if (index < 0 || index >= voiceTokens.size()) {
        if (error)
            *error = QStringLiteral("No voice with index %1").arg(index);
        return false;
    }
    voiceIndexValue = index;
    return true;
}

bool FakeVoice::setAudioOutput(int index, QString* error)
{
    if (!record(QStringLiteral("setAudioOutput"), {index}, error))
        return false;
    if (index < -1 || index >= outputTokens.size()) {
        if (error)
            *error = QStringLiteral("No audio output with index %1").arg(index);
        return false;
    }
    m_outputIndex = index;
    m_fileOpen = false;
    return true;
}

bool FakeVoice::setOutputFormat(int formatCode, QString* error)
{
    if (!record(QStringLiteral("setOutputFormat"), {formatCode}, error))
        return false;
    formatValue = formatCode;
    return true;
}

int FakeVoice::outputFormat() const
{
    return formatValue;
}

int FakeVoice::rate() const
{
    return rateValue;
}

void FakeVoice::setRate(int rate)
{
    record(QStringLiteral("setRate"), {rate}, nullptr);
    rateValue = rate;
}

int FakeVoice::volume() const
{
    return volumeValue;
}

void FakeVoice::setVolume(int volume)
{
    record(QStringLiteral("setVolume"), {volume}, nullptr);
    volumeValue = volume;
}

int FakeVoice::speak(const QString& text, quint32 flags, QString* error)
{
    if (!record(QStringLiteral("speak"), {text, flags}, error))
        return 0;
    return ++m_stream;
}

bool FakeVoice::pause(QString* error)
{
    if (!record(QStringLiteral("pause"), {}, error))
        return false;
    m_paused = true;
    return true;
}

bool FakeVoice::resume(QString* error)
{
    if (!record(QStringLiteral("resume"), {}, error))
        return false;
    m_paused = false;
    return true;
}

int FakeVoice::skip(const QString& type, int count, QString* error)
{
    if (!record(QStringLiteral("skip"), {type, count}, error))
        return -1;
    return count < 0 ? -count : count;
}

bool FakeVoice::waitUntilDone(int msTimeout)
{
    if (!record(QStringLiteral("waitUntilDone"), {msTimeout}, nullptr))
        return false;
    for (qsizetype i = 0; m_fileOpen && m_renderProgress && msTimeout == -1 && i < renderSteps.size(); ++i) {
        if (onRenderStep)
            onRenderStep(renderSteps[i]);
        if (!m_renderProgress(renderSteps[i]))
            return false;
    }
    return true;
}

bool FakeVoice::openFileStream(const QString& path, int formatCode, QString* error)
{
    if (!record(QStringLiteral("openFileStream"), {path, formatCode}, error))
        return false;
    m_fileOpen = true;
    m_filePath = path;
    m_fileFormat = formatCode;
    return true;
}

void FakeVoice::discardFileStream()
{
    record(QStringLiteral("discardFileStream"), {}, nullptr);
    m_fileOpen = false;
}

bool FakeVoice::closeFileStream(QString* error)
{
    if (!record(QStringLiteral("closeFileStream"), {}, error))
        return false;
    m_fileOpen = false;
    return true;
}
