#include "engine/espeak/DevicePlayer.h"

#include "engine/espeak/PlaybackObserver.h"

#include <QAudioSink>
#include <QMediaDevices>

namespace speech {

namespace {
// How often the player feeds the sink and checks which events have been heard.
constexpr int kTickMs = 2;
// The sink's own buffer: what the device may hold ahead of what is heard (not espeak-ng's chunk size).
constexpr int kDeviceBufferMs = 100;
} // namespace

DevicePlayer::DevicePlayer(AudioQueue& queue, std::function<void(int)> finished)
    : m_queue(queue)
    , m_finished(std::move(finished))
    , m_timer(new QTimer(this))
{
    m_time.start();
    m_timer->setTimerType(Qt::PreciseTimer);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &DevicePlayer::tick);
}

DevicePlayer::~DevicePlayer()
{
    if (m_sink) {
        m_sink->stop();
        delete m_sink;
    }
}

void DevicePlayer::wake()
{
    if (!m_timer->isActive() && !m_paused)
        m_timer->start();
    tick();
}

void DevicePlayer::pause()
{
    m_paused = true;
    m_timer->stop();
    if (m_sink) {
        m_clock.pause(m_time.nsecsElapsed(), deviceFill());
        m_sink->suspend();
    }
}

void DevicePlayer::resume()
{
    if (!m_paused)
        return;
    m_paused = false;
    if (m_sink) {
        m_clock.resume(m_time.nsecsElapsed());
        m_sink->resume();
    }
    wake();
}

void DevicePlayer::purge()
{
    if (m_stream != 0) {
        const qint64 position = m_sink ? playedPosition() : m_base;
        release(position);
        m_events.clear();
        endStream(position);
    }
    dropSink();
    resetStream();
    m_nextBegin.reset();
}

DevicePlayer::Position DevicePlayer::interrupt()
{
    Position position;
    position.stream = m_stream;
    position.wordOffset = m_lastWordOffset;
    position.played = m_sink ? playedPosition() : m_base;
    if (m_sink)
        release(position.played);
    dropSink();
    const int stream = m_stream;
    resetStream();
    m_nextBegin.reset();
    m_stream = stream;
    m_base = position.played;
    // Until a word of the next segment is heard, the listener stands where that segment starts: a second skip
    // right after the first counts from there instead of from the word heard before.
    m_lastWordOffset = -1;
    return position;
}

bool DevicePlayer::canOpen(const QAudioDevice& device)
{
    QAudioFormat format;
    format.setSampleRate(22050);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    auto* sink = new QAudioSink(device.isNull() ? QMediaDevices::defaultAudioOutput() : device, format);
    const QIODevice* io = sink->start();
    const bool ok = io && sink->error() == QAudio::NoError;
    sink->stop();
    sink->deleteLater(); // its destructor runs an event loop
    return ok;
}

void DevicePlayer::resetStream()
{
    m_stream = 0;
    m_base = 0;
    m_written = 0;
    m_padding = 0;
    m_ended = false;
    m_pcm.clear();
    m_pcmOffset = 0;
    m_events.clear();
    m_lastWordOffset = -1;
}

void DevicePlayer::dropSink()
{
    if (!m_sink)
        return;
    // stop() disconnects the device stream at once; the deletion waits for the event loop, because the
    // sink's destructor runs one.
    m_sink->stop();
    m_sink->deleteLater();
    m_sink = nullptr;
    m_io = nullptr;
}

bool DevicePlayer::beginNext()
{
    std::optional<AudioQueue::Item> begin = std::move(m_nextBegin);
    m_nextBegin.reset();
    while (!begin) {
        std::optional<AudioQueue::Item> item = m_queue.tryPop();
        if (!item)
            return false;
        if (item->kind == AudioQueue::Item::Kind::Begin)
            begin = std::move(item);
    }
    const bool continues = begin->continuation && begin->stream == m_stream;
    if (!continues) {
        resetStream();
        m_stream = begin->stream;
    }
    m_written = 0;
    m_padding = 0;
    m_ended = false;
    m_clock.restart(qint64(begin->sampleRate) * 2);

    QAudioFormat format;
    format.setSampleRate(begin->sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    const QAudioDevice device = begin->device.isNull() ? QMediaDevices::defaultAudioOutput() : begin->device;
    m_sink = new QAudioSink(device, format, this);
    m_sink->setBufferSize(qsizetype(begin->sampleRate) * 2 * kDeviceBufferMs / 1000);
    if (m_observer) {
        // The device ran dry while the stream still had sound to come: an audible gap, and the words' clock slips.
        connect(m_sink, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (m_observer && state == QAudio::IdleState && m_sink && m_sink->error() == QAudio::UnderrunError &&
                !m_ended)
                m_observer->underrun(m_stream);
        });
    }
    m_io = m_sink->start();
    if (!continues) {
        SpeechEvent start;
        start.kind = SpeechEvent::Kind::StartStream;
        start.stream = m_stream;
        emit eventsReady({start});
    }
    if (!m_io || m_sink->error() != QAudio::NoError) {
        // No device to play on: the stream is dropped, with the reason and its end, so that callers return to
        // idle and say why nothing was heard.
        reportError(QStringLiteral("The audio output could not be opened (%1): the device or the sound server is "
                                   "not available.")
                        .arg(errorName(m_sink->error())),
                    m_base);
        dropSink();
        m_ended = true;
        while (std::optional<AudioQueue::Item> item = m_queue.tryPop()) {
            if (item->kind == AudioQueue::Item::Kind::Begin) {
                m_nextBegin = std::move(item);
                break;
            }
        }
        endStream(m_base);
    }
    return true;
}

void DevicePlayer::feed()
{
    for (;;) {
        if (m_pcmOffset < m_pcm.size()) {
            const qint64 free = m_sink->bytesFree() & ~qint64(1);
            const qint64 count = qMin(free, m_pcm.size() - m_pcmOffset);
            if (count <= 0)
                return;
            const qint64 written = m_io->write(m_pcm.constData() + m_pcmOffset, count);
            if (written <= 0)
                return;
            if (m_observer) {
                if (m_written == 0 && m_base == 0)
                    m_observer->audioStarted(m_stream);
                m_observer->blockWritten(m_stream, m_pcm.constData() + m_pcmOffset, written);
            }
            m_pcmOffset += written;
            m_written += written;
            continue;
        }
        if (m_ended) {
            const qint64 missing = m_sink->bufferSize() - m_padding;
            const qint64 count = qMin(qint64(m_sink->bytesFree()), missing) & ~qint64(1);
            if (count > 0) {
                const QByteArray silence(count, '\0');
                m_padding += qMax(qint64(0), m_io->write(silence));
            }
            return;
        }
        std::optional<AudioQueue::Item> item = m_queue.tryPop();
        if (!item)
            return;
        switch (item->kind) {
        case AudioQueue::Item::Kind::Audio:
            m_pcm = std::move(item->pcm);
            m_pcmOffset = 0;
            break;
        case AudioQueue::Item::Kind::Event:
            item->event.position += m_base;
            m_events.push_back(std::move(item->event));
            break;
        case AudioQueue::Item::Kind::End:
            m_ended = true;
            break;
        case AudioQueue::Item::Kind::Begin:
            m_nextBegin = std::move(item);
            m_ended = true;
            break;
        }
    }
}

PlaybackClock::Device DevicePlayer::deviceFill() const
{
    PlaybackClock::Device device;
    device.audio = m_written;
    device.padding = m_padding;
    device.buffered = qMax(qint64(0), qint64(m_sink->bufferSize() - m_sink->bytesFree()));
    device.bufferSize = m_sink->bufferSize();
    return device;
}

qint64 DevicePlayer::playedPosition()
{
    return m_base + m_clock.heard(m_time.nsecsElapsed(), deviceFill());
}

void DevicePlayer::release(qint64 played, bool all)
{
    QList<SpeechEvent> due;
    while (!m_events.empty() && (all || m_events.front().position < played)) {
        const SpeechEvent& event = m_events.front();
        if (event.kind == SpeechEvent::Kind::Word)
            m_lastWordOffset = event.range.start;
        due.append(event);
        m_events.pop_front();
    }
    if (!due.isEmpty())
        emit eventsReady(due);
}

QString DevicePlayer::errorName(QAudio::Error error)
{
    switch (error) {
    case QAudio::NoError:
        return QStringLiteral("no error");
    case QAudio::OpenError:
        return QStringLiteral("open error");
    case QAudio::IOError:
        return QStringLiteral("input/output error");
    case QAudio::UnderrunError:
        return QStringLiteral("underrun");
    case QAudio::FatalError:
        return QStringLiteral("fatal error");
    }
    return QStringLiteral("error %1").arg(int(error));
}

void DevicePlayer::reportError(const QString& reason, qint64 position)
{
    SpeechEvent event;
    event.kind = SpeechEvent::Kind::Error;
    event.stream = m_stream;
    event.position = position;
    event.deviceLost = true;
    event.text = reason;
    emit eventsReady({event});
}

void DevicePlayer::endStream(qint64 position)
{
    SpeechEvent end;
    end.kind = SpeechEvent::Kind::EndStream;
    end.stream = m_stream;
    end.position = position;
    emit eventsReady({end});
    const int stream = m_stream;
    dropSink();
    resetStream();
    m_finished(stream);
}

void DevicePlayer::tick()
{
    if (m_paused)
        return;
    for (int round = 0; round < 8; ++round) {
        if (!m_sink && !beginNext()) {
            m_timer->stop();
            return;
        }
        if (!m_sink)
            continue; // the stream could not be played and has ended
        if (m_sink->state() == QAudio::StoppedState && m_sink->error() != QAudio::NoError) {
            // The device went away: what is left of the stream is dropped, and the listener is told why.
            const qint64 position = m_base + m_written;
            const QAudio::Error error = m_sink->error();
            m_events.clear();
            reportError(QStringLiteral("The audio output stopped (%1): the device or the sound server went away.")
                            .arg(errorName(error)),
                        position);
            endStream(position);
            continue;
        }
        feed();
        const qint64 played = playedPosition();
        release(played);
        if (m_ended && m_pcmOffset >= m_pcm.size() && played >= m_base + m_written) {
            release(m_base + m_written, true);
            endStream(m_base + m_written);
            continue;
        }
        break;
    }
    if (!m_timer->isActive())
        m_timer->start();
}

} // namespace speech
