#pragma once

#include "base/audiobook/BookPlan.h"
#include "base/core/Result.h"
#include "base/speech/SpeakFlags.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace speech {
enum class AudioFormat;
class Voice;
} // namespace speech

namespace audiobook {

// The render of a save, without a window: every file of the book's plan rendered through the voice, tagged, its
// subtitles written beside it once the audio is in place, and with chapters the playlist. The window's part (file
// name fields, progress dialog, boxes) stays with wav::WavSaver.
class BookRender {
public:
    struct Steps {
        std::function<void()> backToDevice; // points the voice back at the sound device
        std::function<void(const QString& text, const QString& error)> log;
        std::function<core::Result(const QString& path, const TagValues& tags)> writeTags; // may be empty
        std::function<bool(int percent)> report; // the share rendered; false cancels
        std::function<bool()> cancelled;
    };

    BookRender(speech::Voice& voice, Steps steps);

    // Renders the book in the format with the flags; subtitles lists the subtitle kinds ("srt", "vtt", "lrc").
    core::Result run(const BookRequest& book, speech::AudioFormat format, speech::SpeakFlags flags,
                     const QStringList& subtitles);
    // After a failure: the file that failed, and whether its stream is still open (the caller drops it).
    const QString& failedPath() const { return m_failedPath; }
    bool streamOpen() const { return m_streamOpen; }

private:
    core::Result renderPart(const BookPart& part, speech::AudioFormat format, speech::SpeakFlags flags);
    core::Result deliverPart(const BookPart& part, speech::SpeakFlags flags, const QStringList& subtitles,
                             int sampleRate);

    speech::Voice& m_voice;
    Steps m_steps;
    QString m_failedPath;
    bool m_streamOpen = false;
};

} // namespace audiobook
