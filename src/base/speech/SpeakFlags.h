#pragma once

#include <QFlags>

namespace speech {

// What a speak() call does with its text; the bit values are the speech platform's.
enum SpeakFlag : quint32 {
    SpeakAsync = 1,
    SpeakPurgeBeforeSpeak = 2,
    SpeakIsFilename = 4,
    SpeakIsXML = 8,
    SpeakIsNotXML = 16,
    SpeakPersistXML = 32,
    SpeakNLPSpeakPunc = 64,
};
Q_DECLARE_FLAGS(SpeakFlags, SpeakFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(SpeakFlags)

} // namespace speech
