#pragma once

#include "engine/espeak/RawEvent.h"

#include <QByteArray>

#include <espeak-ng/speak_lib.h>

#include <optional>

namespace speech {

// The calls into espeak-ng that the synthesis thread and the synthesis helper process share, so that a text
// split across processes is spoken exactly as it would be in one. Call them from one thread only.

// Initialises the library for synchronous synthesis through these callbacks; its sample rate, 0 on failure.
int initializeEspeak(t_espeak_callback* synth, int (*uri)(int, const char*, const char*));

// espeak-ng's words a minute and extra pause between words (10 ms units) for a rate of -10..10.
struct EspeakSpeed {
    int wordsPerMinute;
    int wordGap;
};
EspeakSpeed speedOfRate(int rate);

// Everything but the voice that a request sets: speed, volume (the renderer scales samples itself), punctuation.
void applySpeechParameters(int rate, bool punctuation);

// The event as the renderer takes it; nothing for kinds it does not use.
std::optional<RawEvent> rawEventOf(const espeak_EVENT& event);

// Synthesizes UTF-8 text from a code point on. endPause: a sentence pause after the last clause, as at the end
// of a whole text; a part of a text that goes on elsewhere leaves it out.
espeak_ERROR synthesizeUtf8(const QByteArray& utf8, unsigned int startCodePoint, bool markup, bool endPause);

} // namespace speech
