#pragma once

#include "base/speech/MarkupBookmarks.h"
#include "base/speech/SentenceSplitter.h"
#include "base/speech/TextPositionMapper.h"
#include "engine/espeak/RawEvent.h"
#include "engine/espeak/Resampler.h"
#include "engine/espeak/SpeechRequest.h"
#include "engine/espeak/StreamOutput.h"

#include <QList>

#include <vector>

namespace speech {

// Turns one request's raw synthesizer output into the stream the caller hears and sees: volume, output rate,
// word ranges of the caller's text, the program's own sentences, bookmarks and phonemes, positions in bytes of
// output audio.
class StreamRenderer {
public:
    StreamRenderer(const SpeechRequest& request, int synthesizerRate, StreamOutput& output);

    // False when the stream cannot go on; it has then been ended, with an error event when it cannot be made.
    bool begin();
    // Call before the events of the same synthesizer buffer, so that its level comes first.
    bool level(const qint16* samples, int count);
    bool audio(const qint16* samples, int count);
    bool event(const RawEvent& event);
    // The markup asked to play a sound file, which is never done (its text is spoken instead): a notice, once per
    // text.
    bool audioRefused(const QString& source);
    // Flushes what is held back; completed false when synthesis was aborted or failed.
    void finish(bool completed);
    // Ends the stream with an error event: the caller hears why it stopped instead of a normal end.
    void fail(const QString& reason);
    // Synthesizer samples taken so far: where the next part of a text split across processes starts.
    qint64 inputSamples() const { return m_inputSamples; }

    // Phoneme ids are the mnemonic's first bytes, so the same phoneme always gets the same id.
    static int phonemeId(const QString& mnemonic);
    static int levelOf(const qint16* samples, qint64 count);

private:
    qint64 positionOf(qint64 synthesizerSample) const;
    SpeechEvent eventAt(SpeechEvent::Kind kind, qint64 position) const;
    bool send(SpeechEvent::Kind kind, qint64 position, const QString& text);
    bool sendRange(SpeechEvent::Kind kind, qint64 position, const TextRange& range);
    bool emitEvent(const SpeechEvent& event);
    bool word(const RawEvent& raw);
    bool sendMarks(const QStringList& names, qint64 position);
    bool flushPhoneme(qint64 nextSample, int nextId);

    const SpeechRequest& m_request;
    int m_synthesizerRate;
    StreamOutput& m_output;
    Resampler m_resampler;
    TextPositionMapper m_mapper;
    QList<TextRange> m_sentences;
    MarkupBookmarks m_marks;
    TextRange m_lastWord{-1, 0};
    int m_lastSentence = -1;
    bool m_hasPhoneme = false;
    RawEvent m_phoneme;
    // Events that come after the phoneme held back for its duration; they go out after it, in position order.
    std::vector<SpeechEvent> m_held;
    std::vector<qint16> m_scaled;
    std::vector<qint16> m_converted;
    qint64 m_inputSamples = 0;
};

} // namespace speech
