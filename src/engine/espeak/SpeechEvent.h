#pragma once

#include <QMetaType>
#include <QString>

namespace speech {

// One event of a stream on its way from the synthesizer to the user-interface thread. The meaning of the
// numbers depends on the kind; see Voice's signals.
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
    int a = 0;           // Word/Sentence: offset; Bookmark: id; Phoneme: duration; AudioLevel: level; Error: 1 when the
                         // audio device was lost
    int b = 0;           // Word/Sentence: length; Phoneme: next phone id
    int c = 0;           // Phoneme: feature
    int d = 0;           // Phoneme: current phone id
    QString text;        // Bookmark: name; VoiceChange: description; Error: the reason; Notice: the log line
};

} // namespace speech

Q_DECLARE_METATYPE(speech::SpeechEvent)
