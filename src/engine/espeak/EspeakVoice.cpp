#include "engine/espeak/EspeakVoice.h"

#include "base/core/TextDecoding.h"
#include "base/speech/MarkupTags.h"
#include "base/speech/SentenceSplitter.h"
#include "engine/espeak/DevicePlayer.h"
#include "engine/espeak/DeviceStreamOutput.h"
#include "engine/espeak/FileStreamOutput.h"
#include "engine/espeak/SynthesisWorker.h"
#include "engine/espeak/WavFileWriter.h"

#include <QFile>
#include <QMediaDevices>
#include <QScopeGuard>

#include <utility>

namespace speech {

namespace {

const QString kNoDevice = QStringLiteral("No audio output device is available.");
constexpr int kProgressIntervalMs = 50;

// Runs f on the player's thread and waits for it. The player never waits for this thread, so this cannot lock.
template <typename F> void onPlayerThread(DevicePlayer* player, F f)
{
    QMetaObject::invokeMethod(player, f, Qt::BlockingQueuedConnection);
}

} // namespace

EspeakVoice::EspeakVoice(QObject* parent)
    : Voice(parent)
    , m_worker(&SynthesisWorker::shared())
    , m_abortedUpTo(std::make_shared<std::atomic<quint64>>(0))
{
    qRegisterMetaType<speech::SpeechEvent>();
    qRegisterMetaType<QList<speech::SpeechEvent>>();
    m_queue.reset(m_generation);

    m_player = new DevicePlayer(m_queue, [this](int stream) { m_book.finished(stream); });
    m_player->moveToThread(&m_playerThread);
    // Deleted on its own thread when that ends: its timer and sinks belong there.
    connect(&m_playerThread, &QThread::finished, m_player, &QObject::deleteLater);
    connect(m_player, &DevicePlayer::eventsReady, this, &EspeakVoice::deliver, Qt::QueuedConnection);
    m_playerThread.setObjectName(QStringLiteral("Audio playback"));
    m_playerThread.start();
    DevicePlayer* player = m_player;
    m_queue.setWakeUp([player] { QMetaObject::invokeMethod(player, &DevicePlayer::wake, Qt::QueuedConnection); });

    if (const core::Result started = m_worker->initialize(); !started) {
        m_initializationError = started.error();
        return;
    }
    m_voices = m_worker->voices();
    if (m_voices.isEmpty())
        m_initializationError = QStringLiteral("espeak-ng offers no voices.");
    else
        // A first voice that cannot be loaded fails again, with its error, when it is used.
        (void)m_worker->checkVoice(m_voices.first().id);
}

EspeakVoice::~EspeakVoice()
{
    abortAll();
    m_worker->call([] {}); // the jobs queued for this voice are over; nothing can push into the queue afterwards
    onPlayerThread(m_player, [player = m_player] { player->purge(); });
    m_playerThread.quit();
    m_playerThread.wait();
    m_book.clear();
}

void EspeakVoice::setPlaybackObserver(PlaybackObserver* observer)
{
    onPlayerThread(m_player, [player = m_player, observer] { player->setObserver(observer); });
}

QList<Token> EspeakVoice::voices() const
{
    return m_voices;
}

QList<QAudioDevice> EspeakVoice::devices() const
{
    QList<QAudioDevice> devices = QMediaDevices::audioOutputs();
    // Qt keeps listing the devices of a sound server that went away: once a stream has lost its device, the
    // list counts only while a stream can be opened again.
    if (m_devicesLost && !devices.isEmpty()) {
        bool open = false;
        onPlayerThread(m_player, [&open] { open = DevicePlayer::canOpen(QAudioDevice()); });
        if (!open)
            return {};
        m_devicesLost = false;
    }
    return devices;
}

QList<Token> EspeakVoice::audioOutputs() const
{
    QList<Token> tokens;
    for (const QAudioDevice& device : devices())
        tokens.append({QString::fromUtf8(device.id()), device.description()});
    return tokens;
}

core::Result EspeakVoice::setVoice(int index)
{
    if (!m_initializationError.isEmpty())
        return core::Result::failure(m_initializationError);
    if (index < 0 || index >= m_voices.size())
        return core::Result::failure(QStringLiteral("There is no voice number %1.").arg(index));
    if (core::Result loaded = m_worker->checkVoice(m_voices.at(index).id); !loaded)
        return loaded;
    m_voiceIndex = index;
    return {};
}

core::Result EspeakVoice::setAudioOutput(int index)
{
    const QList<QAudioDevice> devices = this->devices();
    if (devices.isEmpty())
        return core::Result::failure(kNoDevice);
    if (index < -1 || index >= devices.size())
        return core::Result::failure(QStringLiteral("There is no audio output number %1.").arg(index));
    m_device = index == -1 ? QAudioDevice() : devices.at(index);
    m_toFile = false;
    return {};
}

core::Result EspeakVoice::setOutputFormat(AudioFormat format)
{
    m_format = format;
    return {};
}

void EspeakVoice::setRate(int rate)
{
    m_rate = qBound(-10, rate, 10);
}

void EspeakVoice::setVolume(int volume)
{
    m_volume = qBound(0, volume, 100);
}

core::ResultOf<int> EspeakVoice::speak(const QString& text, SpeakFlags flags)
{
    if (!m_initializationError.isEmpty())
        return core::Result::failure(m_initializationError);
    QString content = text;
    if (flags.testFlag(SpeakIsFilename)) {
        QFile file(text);
        if (!file.open(QIODevice::ReadOnly))
            return core::Result::failure(
                QStringLiteral("Cannot read the text file \"%1\": %2").arg(text, file.errorString()));
        content = core::decodeUtf8OrWindows1252(file.readAll());
    }
    if (!m_toFile && !content.isEmpty() && devices().isEmpty())
        return core::Result::failure(kNoDevice);
    if (m_toFile && !m_file)
        return core::Result::failure(QStringLiteral("The file stream is closed."));
    // The synthesizer takes a NUL for the end of the text; as a blank the rest is still spoken, and every
    // position stays where it was.
    content.replace(QChar(u'\0'), QLatin1Char(' '));
    const core::ResultOf<bool> markup = MarkupTags::isMarkup(content, flags);
    if (!markup)
        return markup.result();

    if (flags.testFlag(SpeakPurgeBeforeSpeak))
        purge();
    const int stream = m_nextStream++;
    if (content.isEmpty())
        return stream;

    SpeechRequest request;
    request.stream = stream;
    request.text = content;
    request.markup = markup.value();
    request.punctuation = flags.testFlag(SpeakNLPSpeakPunc);
    const Token& voice = m_voices.at(m_voiceIndex);
    request.voiceId = voice.id;
    request.voiceDescription = voice.description;
    request.voiceChanged = !m_previousVoice.isEmpty() && m_previousVoice != voice.id;
    m_previousVoice = voice.id;
    request.rate = m_rate;
    request.volume = m_volume;
    request.audioLevel = m_audioLevelEvents;
    if (m_toFile) {
        request.file = m_file;
        request.words = m_fileWords;
        request.sampleRate = m_file->sampleRate();
        if (m_renderProgress)
            request.progress = m_fileProgress = std::make_shared<std::atomic<int>>(0);
    } else {
        request.device = m_device;
        request.sampleRate = sampleRateOf(m_format);
    }
    m_book.add(request);
    enqueue(request);
    if (request.progress && !flags.testFlag(SpeakAsync)) {
        const auto wait = [this, stream](int ms) { return m_book.waitUntilFinished(stream, ms); };
        if (core::Result rendered = waitReportingProgress(wait); !rendered)
            return rendered;
    }
    if (!flags.testFlag(SpeakAsync))
        m_book.waitUntilFinished(stream, -1);
    return stream;
}

core::Result EspeakVoice::waitReportingProgress(const std::function<bool(int msTimeout)>& wait)
{
    // The progress function may run the event loop: the stream's events are held until this speak has returned
    // and every event of the stream already queued has come in, then delivered in order.
    ++m_holdingEvents;
    const auto release = qScopeGuard([this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (--m_holdingEvents == 0)
                    emitEvents(std::exchange(m_heldEvents, {}));
            },
            Qt::QueuedConnection);
    });
    const std::shared_ptr<std::atomic<int>> progress = m_fileProgress;
    while (!wait(kProgressIntervalMs)) {
        if (!m_renderProgress(progress->load())) {
            purge();
            m_worker->call([] {}); // the aborted render has let go of the file
            return core::Result::failure(cancelledError());
        }
    }
    return {};
}

void EspeakVoice::enqueue(const SpeechRequest& request)
{
    const quint64 generation = m_generation;
    m_worker->synthesize(request, generation, m_abortedUpTo,
                         [this, generation](const SpeechRequest& r) -> std::unique_ptr<StreamOutput> {
                             if (!r.file)
                                 return std::make_unique<DeviceStreamOutput>(m_queue, r, generation);
                             auto events = [this](const QList<SpeechEvent>& batch) {
                                 QMetaObject::invokeMethod(
                                     this, [this, batch] { deliver(batch); }, Qt::QueuedConnection);
                             };
                             return std::make_unique<FileStreamOutput>(r, events,
                                                                       [this](int stream) { m_book.finished(stream); });
                         });
}

quint64 EspeakVoice::abortAll()
{
    m_abortedUpTo->store(m_generation);
    ++m_generation;
    m_queue.reset(m_generation);
    return m_generation;
}

void EspeakVoice::purge()
{
    abortAll();
    onPlayerThread(m_player, [player = m_player] { player->purge(); });
    m_book.clear();
}

core::Result EspeakVoice::pause()
{
    m_paused = true;
    onPlayerThread(m_player, [player = m_player] { player->pause(); });
    return {};
}

core::Result EspeakVoice::resume()
{
    m_paused = false;
    onPlayerThread(m_player, [player = m_player] { player->resume(); });
    return {};
}

core::ResultOf<int> EspeakVoice::skip(SkipUnit, int count)
{
    if (m_paused)
        return core::Result::failure(QStringLiteral("Cannot skip while the voice is paused."));
    QList<SpeechRequest> requests = m_book.pending();
    if (requests.isEmpty())
        return 0;
    if (requests.first().file)
        return core::Result::failure(QStringLiteral("Cannot skip while speaking into a file."));

    abortAll();
    DevicePlayer::Position heard;
    onPlayerThread(m_player, [&heard, player = m_player] { heard = player->interrupt(); });
    requests = m_book.pending();
    if (requests.isEmpty())
        return 0;

    SpeechRequest current = requests.takeFirst();
    const bool playing = heard.stream == current.stream;
    const QList<TextRange> sentences = SentenceSplitter::split(current.text);
    const int offset = playing && heard.wordOffset >= 0 ? heard.wordOffset : current.startOffset;
    const int from = SentenceSplitter::indexAt(sentences, offset);
    const int target = qMax(0, from + count);
    int skipped = qAbs(target - from);
    if (target >= sentences.size()) {
        // Past the last sentence: the stream ends here.
        skipped = int(sentences.size()) - from;
        onPlayerThread(m_player, [player = m_player] { player->purge(); });
        m_book.finished(current.stream);
    } else {
        current.startOffset = sentences.at(target).start;
        current.continuation = playing;
        m_book.update(current);
        enqueue(current);
    }
    for (const SpeechRequest& request : requests)
        enqueue(request);
    return skipped;
}

bool EspeakVoice::waitUntilDone(int msTimeout)
{
    if (msTimeout == -1 && m_fileProgress && m_renderProgress && !m_book.pending().isEmpty()) {
        const auto wait = [this](int ms) { return m_book.waitUntilEmpty(ms); };
        return waitReportingProgress(wait).ok(); // the caller asked whether the voice is idle; a cancel means no
    }
    return m_book.waitUntilEmpty(msTimeout);
}

core::Result EspeakVoice::openFileStream(const QString& path, AudioFormat format)
{
    const int sampleRate = sampleRateOf(format);
    if (m_file) {
        if (core::Result closed = closeFileStream(); !closed)
            return closed;
    }
    auto file = std::make_shared<WavFileWriter>();
    if (core::Result opened = file->open(path, sampleRate); !opened)
        return opened;
    m_file = file;
    m_fileWords = std::make_shared<FileWords>();
    m_toFile = true;
    return {};
}

FileTimeline EspeakVoice::fileTimeline() const
{
    return m_fileWords ? m_fileWords->timeline() : FileTimeline();
}

core::Result EspeakVoice::closeFileStream()
{
    if (!m_file)
        return core::Result::failure(QStringLiteral("No file stream is open."));
    std::shared_ptr<WavFileWriter> file = std::move(m_file);
    if (m_toFile) {
        m_toFile = false;
        m_device = QAudioDevice();
    }
    // Nothing else holds the file once its streams are over: close it here rather than wait for the synthesis
    // thread, which may be busy with a device stream for as long as it is heard.
    if (file.use_count() == 1)
        return file->close();
    // Streams into the file are still queued: after them, on the thread that writes it.
    core::Result closed;
    m_worker->call([&] { closed = file->close(); });
    return closed;
}

void EspeakVoice::discardFileStream()
{
    if (!m_file)
        return;
    std::shared_ptr<WavFileWriter> file = std::move(m_file);
    if (m_toFile) {
        m_toFile = false;
        m_device = QAudioDevice();
    }
    m_worker->call([&] { file->discard(); });
}

void EspeakVoice::deliver(const QList<SpeechEvent>& events)
{
    if (m_holdingEvents > 0)
        m_heldEvents += events;
    else
        emitEvents(events);
}

void EspeakVoice::emitEvents(const QList<SpeechEvent>& events)
{
    for (const SpeechEvent& e : events) {
        switch (e.kind) {
        case SpeechEvent::Kind::StartStream:
            emit startStream(e.stream, e.position);
            break;
        case SpeechEvent::Kind::EndStream:
            emit endStream(e.stream, e.position);
            break;
        case SpeechEvent::Kind::VoiceChange:
            emit voiceChange(e.stream, e.position, e.text);
            break;
        case SpeechEvent::Kind::Bookmark:
            emit bookmark(e.stream, e.position, e.text, e.bookmarkId);
            break;
        case SpeechEvent::Kind::Word:
            emit word(e.stream, e.position, e.range.start, e.range.length);
            break;
        case SpeechEvent::Kind::Sentence:
            emit sentence(e.stream, e.position, e.range.start, e.range.length);
            break;
        case SpeechEvent::Kind::Phoneme:
            emit phoneme(e.stream, e.position, e.phoneme.durationMs, e.phoneme.nextId, e.phoneme.feature, e.phoneme.id);
            break;
        case SpeechEvent::Kind::AudioLevel:
            emit audioLevel(e.stream, e.position, e.level);
            break;
        case SpeechEvent::Kind::Notice:
            emit notice(e.stream, e.position, e.text);
            break;
        case SpeechEvent::Kind::Error:
            if (e.deviceLost)
                m_devicesLost = true;
            emit streamError(e.stream, e.position, e.text);
            if (e.deviceLost)
                emit audioOutputsChanged();
            break;
        }
    }
}

} // namespace speech
