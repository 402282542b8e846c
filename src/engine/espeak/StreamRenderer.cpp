#include "engine/espeak/StreamRenderer.h"

#include <algorithm>
#include <cstdlib>

namespace speech {

StreamRenderer::StreamRenderer(const SpeechRequest& request, int synthesizerRate, StreamOutput& output)
    : m_request(request)
    , m_synthesizerRate(synthesizerRate)
    , m_output(output)
    , m_resampler(synthesizerRate, request.sampleRate)
    , m_mapper(request.text, request.markup)
    , m_sentences(SentenceSplitter::split(request.text))
    , m_marks(request.text, request.markup, request.startOffset)
{
}

int StreamRenderer::phonemeId(const QString& mnemonic)
{
    const QByteArray bytes = mnemonic.toUtf8();
    int id = 0;
    for (int i = 0; i < qMin(4, int(bytes.size())); ++i)
        id = (id << 8) | quint8(bytes.at(i));
    return id;
}

int StreamRenderer::levelOf(const qint16* samples, qint64 count)
{
    int peak = 0;
    for (qint64 i = 0; i < count; ++i)
        peak = qMax(peak, std::abs(int(samples[i])));
    return peak * 100 / 32768;
}

qint64 StreamRenderer::positionOf(qint64 synthesizerSample) const
{
    return m_resampler.outputSampleOf(synthesizerSample) * qint64(sizeof(qint16));
}

SpeechEvent StreamRenderer::eventAt(SpeechEvent::Kind kind, qint64 position) const
{
    SpeechEvent event;
    event.kind = kind;
    event.stream = m_request.stream;
    event.position = position;
    return event;
}

bool StreamRenderer::send(SpeechEvent::Kind kind, qint64 position, const QString& text)
{
    SpeechEvent event = eventAt(kind, position);
    event.text = text;
    return emitEvent(event);
}

bool StreamRenderer::sendRange(SpeechEvent::Kind kind, qint64 position, const TextRange& range)
{
    SpeechEvent event = eventAt(kind, position);
    event.range = range;
    return emitEvent(event);
}

bool StreamRenderer::emitEvent(const SpeechEvent& event)
{
    if (m_hasPhoneme) {
        m_held.push_back(event);
        return true;
    }
    return m_output.event(event);
}

bool StreamRenderer::begin()
{
    // The output begins first, so that a failure below still reaches the listener as this stream's end.
    if (!m_output.begin()) {
        finish(false);
        return false;
    }
    if (!m_resampler.isValid()) {
        fail(QStringLiteral("The audio cannot be converted to %1 Hz.").arg(m_request.sampleRate));
        return false;
    }
    if (m_request.voiceChanged && !m_request.continuation &&
        !send(SpeechEvent::Kind::VoiceChange, 0, m_request.voiceDescription)) {
        finish(false);
        return false;
    }
    return true;
}

bool StreamRenderer::audio(const qint16* samples, int count)
{
    if (count <= 0)
        return true;
    const qint16* source = samples;
    if (m_request.volume < 100) {
        m_scaled.assign(samples, samples + count);
        for (qint16& sample : m_scaled)
            sample = qint16(int(sample) * m_request.volume / 100);
        source = m_scaled.data();
    }
    m_inputSamples += count;
    m_converted.clear();
    m_resampler.process(source, count, m_converted);
    return m_converted.empty() || m_output.audio(m_converted.data(), qint64(m_converted.size()));
}

bool StreamRenderer::level(const qint16* samples, int count)
{
    if (!m_request.audioLevel || count <= 0)
        return true;
    SpeechEvent event = eventAt(SpeechEvent::Kind::AudioLevel, positionOf(m_inputSamples));
    event.level = levelOf(samples, count) * m_request.volume / 100;
    return emitEvent(event);
}

bool StreamRenderer::word(const RawEvent& raw)
{
    const TextRange range = m_mapper.wordAt(m_mapper.utf16Offset(raw.textPosition - 1));
    // The synthesizer reports parts of numbers, abbreviations and compounds as words of their own: one event
    // per word of the text. At some clause starts it repeats an earlier word's position: words only move on.
    if (range.length == 0 || range.start <= m_lastWord.start)
        return true;
    m_lastWord = range;
    if (m_request.progress && !m_request.text.isEmpty())
        m_request.progress->store(int(qint64(range.start + range.length) * 100 / m_request.text.size()));
    const qint64 position = positionOf(raw.sample);
    if (!sendMarks(m_marks.before(range.start), position))
        return false;
    const int sentence = SentenceSplitter::indexAt(m_sentences, range.start);
    if (sentence != m_lastSentence && sentence < m_sentences.size()) {
        m_lastSentence = sentence;
        const TextRange& s = m_sentences.at(sentence);
        if (!sendRange(SpeechEvent::Kind::Sentence, position, s))
            return false;
    }
    return sendRange(SpeechEvent::Kind::Word, position, range);
}

bool StreamRenderer::sendMarks(const QStringList& names, qint64 position)
{
    for (const QString& name : names) {
        SpeechEvent event = eventAt(SpeechEvent::Kind::Bookmark, position);
        event.text = name;
        bool numeric = false;
        const int id = name.trimmed().toInt(&numeric);
        event.bookmarkId = numeric ? id : 0;
        if (!emitEvent(event))
            return false;
    }
    return true;
}

bool StreamRenderer::flushPhoneme(qint64 nextSample, int nextId)
{
    if (!m_hasPhoneme)
        return true;
    m_hasPhoneme = false;
    SpeechEvent event = eventAt(SpeechEvent::Kind::Phoneme, positionOf(m_phoneme.sample));
    event.phoneme.durationMs = int((nextSample - m_phoneme.sample) * 1000 / m_synthesizerRate);
    event.phoneme.nextId = nextId;
    event.phoneme.id = phonemeId(m_phoneme.name);
    if (!m_output.event(event))
        return false;
    // The events that came while the phoneme waited for its successor lie at or after its start.
    std::vector<SpeechEvent> held;
    held.swap(m_held);
    std::stable_sort(held.begin(), held.end(),
                     [](const SpeechEvent& a, const SpeechEvent& b) { return a.position < b.position; });
    for (const SpeechEvent& e : held) {
        if (!m_output.event(e))
            return false;
    }
    return true;
}

bool StreamRenderer::event(const RawEvent& raw)
{
    switch (raw.kind) {
    case RawEvent::Kind::Word:
        return word(raw);
    case RawEvent::Kind::Mark:
        return sendMarks(m_marks.reported(raw.name), positionOf(raw.sample));
    case RawEvent::Kind::Phoneme:
        if (!flushPhoneme(raw.sample, phonemeId(raw.name)))
            return false;
        m_phoneme = raw;
        m_hasPhoneme = true;
        return true;
    case RawEvent::Kind::End:
        return flushPhoneme(raw.sample, 0);
    }
    return true;
}

bool StreamRenderer::audioRefused(const QString& source)
{
    if (m_request.audioRefused->exchange(true))
        return true;
    // The name is the text's own; one short line of it is enough to find the element.
    QString name = source.left(200);
    for (QChar& c : name) {
        if (c.category() == QChar::Other_Control)
            c = u' ';
    }
    return send(SpeechEvent::Kind::Notice, positionOf(m_inputSamples),
                QStringLiteral("Markup: audio \"%1\" is not played; its text is spoken instead.").arg(name));
}

void StreamRenderer::finish(bool completed)
{
    if (completed) {
        flushPhoneme(m_inputSamples, 0);
        sendMarks(m_marks.before(int(m_request.text.size()) + 1), positionOf(m_inputSamples));
        m_converted.clear();
        m_resampler.flush(m_converted);
        if (!m_converted.empty())
            m_output.audio(m_converted.data(), qint64(m_converted.size()));
    }
    m_output.finish(completed);
}

void StreamRenderer::fail(const QString& reason)
{
    flushPhoneme(m_inputSamples, 0);
    send(SpeechEvent::Kind::Error, positionOf(m_inputSamples), reason);
    finish(false);
}

} // namespace speech
