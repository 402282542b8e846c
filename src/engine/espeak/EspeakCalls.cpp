#include "engine/espeak/EspeakCalls.h"

#include <QtGlobal>

#include <cmath>

namespace speech {

namespace {
// Audio per espeak-ng callback; small, so the first clause reaches the device early.
constexpr int kSynthesisChunkMs = 40;
} // namespace

int initializeEspeak(t_espeak_callback* synth, int (*uri)(int, const char*, const char*))
{
    const int options = espeakINITIALIZE_DONT_EXIT | espeakINITIALIZE_PHONEME_EVENTS;
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, kSynthesisChunkMs, nullptr, options);
    if (rate <= 0)
        return 0;
    espeak_SetSynthCallback(synth);
    espeak_SetUriCallback(uri);
    return rate;
}

EspeakSpeed speedOfRate(int rate)
{
    const double wordsPerMinute = 175.0 * std::pow(3.0, qBound(-10, rate, 10) / 10.0);
    if (wordsPerMinute >= 80.0)
        return {int(std::lround(wordsPerMinute)), 0};
    // espeak-ng speaks no slower than 80 words a minute; longer pauses between words make up the rest. At 80 it
    // takes 2.075 times as long as at 175, and each unit of gap adds 0.081 of the time at 175 (measured on
    // German text).
    const double missing = 175.0 / wordsPerMinute - 2.075;
    return {80, int(std::lround(missing / 0.081))};
}

void applySpeechParameters(int rate, bool punctuation)
{
    const EspeakSpeed speed = speedOfRate(rate);
    espeak_SetParameter(espeakRATE, speed.wordsPerMinute, 0);
    espeak_SetParameter(espeakWORDGAP, speed.wordGap, 0);
    espeak_SetParameter(espeakVOLUME, 100, 0); // the renderer scales the samples itself, linearly
    espeak_SetParameter(espeakPUNCTUATION, punctuation ? espeakPUNCT_ALL : espeakPUNCT_NONE, 0);
}

std::optional<RawEvent> rawEventOf(const espeak_EVENT& e)
{
    RawEvent raw;
    raw.sample = e.sample;
    raw.textPosition = e.text_position;
    raw.length = e.length;
    switch (e.type) {
    case espeakEVENT_WORD:
        raw.kind = RawEvent::Kind::Word;
        break;
    case espeakEVENT_MARK:
        raw.kind = RawEvent::Kind::Mark;
        raw.name = QString::fromUtf8(e.id.name ? e.id.name : "");
        break;
    case espeakEVENT_PHONEME:
        raw.kind = RawEvent::Kind::Phoneme;
        raw.name = QString::fromUtf8(e.id.string, int(qstrnlen(e.id.string, sizeof e.id.string)));
        break;
    case espeakEVENT_MSG_TERMINATED:
        raw.kind = RawEvent::Kind::End;
        break;
    default:
        return std::nullopt;
    }
    return raw;
}

espeak_ERROR synthesizeUtf8(const QByteArray& utf8, unsigned int startCodePoint, bool markup, bool endPause)
{
    unsigned int flags = espeakCHARS_UTF8;
    if (endPause)
        flags |= espeakENDPAUSE;
    if (markup)
        flags |= espeakSSML;
    return espeak_Synth(utf8.constData(), size_t(utf8.size()) + 1, startCodePoint, POS_CHARACTER, 0, flags, nullptr,
                        nullptr);
}

} // namespace speech
