#pragma once

#include <QAudioDevice>
#include <QString>

#include <atomic>
#include <memory>

namespace speech {

class FileWords;
class WavFileWriter;

// One call of speak() as the engine threads see it: the text and every setting it was made with, so that later
// changes of the voice only affect later streams.
struct SpeechRequest {
    int stream = 0;
    QString text;
    bool markup = false;
    bool punctuation = false;
    QString voiceId;
    QString voiceDescription;
    bool voiceChanged = false; // another voice than the stream before
    int rate = 0;              // -10..10
    int volume = 100;          // 0..100
    int sampleRate = 16000;
    std::shared_ptr<WavFileWriter> file; // the output when set, else the device
    std::shared_ptr<FileWords> words;    // with a file: collects its words
    QAudioDevice device;
    int startOffset = 0;       // UTF-16 offset synthesis starts at (after a skip)
    bool continuation = false; // a restart inside a stream that has already begun
    bool audioLevel = false;
    std::shared_ptr<std::atomic<int>> progress; // when set: percent of the text rendered, for a file render
    // Markup audio was refused and said so; shared by the restarts of one text, so it is said once per text.
    std::shared_ptr<std::atomic<bool>> audioRefused = std::make_shared<std::atomic<bool>>(false);
};

} // namespace speech
