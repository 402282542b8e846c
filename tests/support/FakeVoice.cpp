#include "support/FakeVoice.h"

FakeVoice::FakeVoice(QObject* parent)
    : speech::Voice(parent)
{
    // Streams the test has started and not ended: a purge ends them, as the real voice does.
    connect(this, &Voice::startStream, this, [this](int stream) { m_started.insert(stream); });
    connect(this, &Voice::endStream, this, [this](int stream) { m_started.remove(stream); });
}

bool FakeVoice::refuse(QString* error, const QString& message)
{
    if (error)
        *error = message;
    return false;
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
    if (speech::sampleRateOfFormat(formatCode) == 0)
        return refuse(error, QStringLiteral("The audio format %1 is not supported.").arg(formatCode));
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
    rateValue = qBound(-10, rate, 10);
}

int FakeVoice::volume() const
{
    return volumeValue;
}

void FakeVoice::setVolume(int volume)
{
    record(QStringLiteral("setVolume"), {volume}, nullptr);
    volumeValue = qBound(0, volume, 100);
}

int FakeVoice::speak(const QString& text, quint32 flags, QString* error)
{
    if (!record(QStringLiteral("speak"), {text, flags}, error))
        return 0;
    if (flags & speech::SpeakPurgeBeforeSpeak) {
        // Later, like the real voice's events.
        for (const int stream : std::as_const(m_started))
            QMetaObject::invokeMethod(
                this, [this, stream] { emit endStream(stream, 0); }, Qt::QueuedConnection);
    }
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
    if (type.compare(QLatin1String("Sentence"), Qt::CaseInsensitive) != 0)
        return refuse(error, QStringLiteral("Skipping by \"%1\" is not supported.").arg(type)), -1;
    return count < 0 ? -count : count;
}

bool FakeVoice::waitUntilDone(int msTimeout)
{
    return record(QStringLiteral("waitUntilDone"), {msTimeout}, nullptr);
}

bool FakeVoice::openFileStream(const QString& path, int formatCode, QString* error)
{
    if (!record(QStringLiteral("openFileStream"), {path, formatCode}, error))
        return false;
    if (speech::sampleRateOfFormat(formatCode) == 0)
        return refuse(error, QStringLiteral("The audio format %1 is not supported.").arg(formatCode));
    m_fileOpen = true;
    m_fileStream = true;
    m_filePath = path;
    return true;
}

bool FakeVoice::closeFileStream(QString* error)
{
    if (!record(QStringLiteral("closeFileStream"), {}, error))
        return false;
    if (!m_fileStream)
        return refuse(error, QStringLiteral("No file stream is open."));
    m_fileStream = false;
    m_fileOpen = false;
    return true;
}
