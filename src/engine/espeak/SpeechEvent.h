#pragma once

#include "base/speech/TextRange.h"

#include <QMetaType>
#include <QString>

namespace speech {

// One event of a stream on its way from the synthesizer to the user-interface thread; see Voice's signals. Each
// kind fills the fields named for it.
struct SpeechEvent {
    enum class Kind {
        StartStream,
        EndStream,
        VoiceChange,
        Bookmark,
        Word,
        Sentence,
        Phoneme,
        AudioLevel,
        Error,
        Notice
    };

    Kind kind = Kind::StartStream;
    int stream = 0;
    qint64 position = 0; // bytes of audio in the output format since the stream (or segment) began
    TextRange range;     // Word, Sentence: where it lies in the spoken text (UTF-16)
    int bookmarkId = 0;  // Bookmark: the name as a number, 0 when it is none
    struct {
        int durationMs = 0;
        int nextId = 0; // the phoneme after it; 0 at the end of the stream
        int feature = 0;
        int id = 0;
    } phoneme;               // Phoneme
    int level = 0;           // AudioLevel
    bool deviceLost = false; // Error: the audio device went away, so the list of outputs is out of date
    QString text;            // Bookmark: name; VoiceChange: description; Error: the reason; Notice: the log line
};

} // namespace speech

Q_DECLARE_METATYPE(speech::SpeechEvent)
