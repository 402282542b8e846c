#pragma once

#include "base/core/Result.h"
#include "base/speech/SpeakFlags.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

namespace speech {

// A voice or an audio output as the lists show it.
struct Token {
    QString id;          // stable identifier (espeak-ng voice identifier, audio device id)
    QString description; // the display text the lists are filled and matched by
};

// The nine output formats, 16-bit mono PCM. The values are the platform's codes, which the format list keeps with
// each entry; inside the program a format is this type.
enum class AudioFormat {
    Mono8kHz = 6,
    Mono11kHz = 10,
    Mono12kHz = 14,
    Mono16kHz = 18,
    Mono22kHz = 22,
    Mono24kHz = 26,
    Mono32kHz = 30,
    Mono44kHz = 34,
    Mono48kHz = 38,
};

// A word heard in a file stream: its place in the text of the speak() that said it, and the sample of the file's
// audio it starts at, counted from the file's start.
struct FileWord {
    int offset = 0;
    int length = 0;
    qint64 sample = 0;
};

// What a file stream's render reported: its words in the order heard, and the samples written.
struct FileTimeline {
    QList<FileWord> words;
    qint64 samples = 0;
};

// The format a code stands for; fails for a code that names none of the nine.
core::ResultOf<AudioFormat> audioFormatOfCode(int code);
int sampleRateOf(AudioFormat format);

// What skip() counts: sentences, the one unit the voices skip by.
enum class SkipUnit { Sentence };

// One speaking voice for the program's life. Every operation that can fail returns a result with an English
// description of the failure. Events are emitted on the thread the voice lives on (the
// user-interface thread), at the moment the audio reaches them; each carries the stream number and the stream
// position in bytes of audio in the output format since the stream began.
class Voice : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    ~Voice() override = default;

    virtual QList<Token> voices() const = 0;
    virtual QList<Token> audioOutputs() const = 0; // empty when there is no audio device

    virtual int voiceIndex() const = 0;
    // Returns at once, whatever a stream is doing; a voice that cannot be loaded then fails the next stream
    // (streamError) instead of this call.
    virtual core::Result setVoice(int index) = 0;
    // index -1 selects the default output. Also makes the device the output again after a file stream.
    virtual core::Result setAudioOutput(int index) = 0;
    // Applies to the device stream and to file streams opened later.
    virtual core::Result setOutputFormat(AudioFormat format) = 0;
    virtual AudioFormat outputFormat() const = 0;

    virtual int rate() const = 0; // -10..10
    virtual void setRate(int rate) = 0;
    virtual int volume() const = 0; // 0..100
    virtual void setVolume(int volume) = 0;

    // Gives the stream number (1, 2, 3 ... per call). Without SpeakAsync it returns when the stream has ended.
    // SpeakPurgeBeforeSpeak with an empty text only purges.
    virtual core::ResultOf<int> speak(const QString& text, SpeakFlags flags) = 0;
    virtual core::Result pause() = 0;
    virtual core::Result resume() = 0;
    // count > 0 forward, < 0 back, 0 to the start of the current sentence. Gives the number of sentences skipped;
    // fails while paused.
    virtual core::ResultOf<int> skip(SkipUnit unit, int count) = 0;
    // Blocks the caller until the voice is idle or msTimeout passed (-1: no limit). True when idle.
    virtual bool waitUntilDone(int msTimeout) = 0;

    // Creates or truncates a WAV file in the given format and makes it the voice's output.
    virtual core::Result openFileStream(const QString& path, AudioFormat format) = 0;
    // Finishes the WAV file; the voice's output must have been pointed back at a device (setAudioOutput) first,
    // or it falls back to the default device.
    virtual core::Result closeFileStream() = 0;
    // Lets go of the file stream after a failed render: what it holds is dropped and a file of that name that
    // existed before stays as it was.
    virtual void discardFileStream() = 0;

    // The words of the file stream opened last, at the positions the render itself reported, and its length;
    // complete once its render is over, kept until the next openFileStream.
    virtual FileTimeline fileTimeline() const { return {}; }

    // Called now and then on the caller's thread while a synchronous speak into a file stream, or a
    // waitUntilDone(-1) after speaking into one, waits: with the share of the text rendered so far in percent
    // (0..100). Returning false cancels the render: the speak fails with cancelledError(), the wait returns
    // false. The caller may run its event loop from here; the stream's events are still delivered only after the
    // wait has returned. An empty function turns the reports off.
    using RenderProgress = std::function<bool(int percent)>;
    virtual void setRenderProgress(RenderProgress progress) = 0;
    static QString cancelledError() { return QStringLiteral("The render was cancelled by the user."); }

signals:
    void startStream(int stream, qint64 position);
    void endStream(int stream, qint64 position);
    void voiceChange(int stream, qint64 position, const QString& tokenDescription);
    void bookmark(int stream, qint64 position, const QString& name, int id);
    void word(int stream, qint64 position, int characterPosition, int length);
    void sentence(int stream, qint64 position, int characterPosition, int length);
    void phoneme(int stream, qint64 position, int duration, int nextPhoneId, int feature, int currentPhoneId);
    void audioLevel(int stream, qint64 position, int level);
    void enginePrivate(int stream, qint64 position, qint64 lParam);
    // Not one of the platform's events: a stream failed after speak() had accepted it (the sound server went
    // away, the synthesizer or a voice failed). Comes before the stream's EndStream.
    void streamError(int stream, qint64 position, const QString& description);
    // Not one of the platform's events either: something about a stream that does not stop it (markup that the
    // voice does not carry out), as an English line for the event log.
    void notice(int stream, qint64 position, const QString& text);
    // The audio outputs may have changed (a device went away): audioOutputs() tells the new list.
    void audioOutputsChanged();
};

} // namespace speech
