#include "base/audiobook/BookRender.h"

#include "base/audiobook/ChapterNames.h"
#include "base/audiobook/Playlist.h"
#include "base/core/SafeWrite.h"
#include "base/speech/MarkupTags.h"
#include "base/speech/Voice.h"

namespace audiobook {

BookRender::BookRender(speech::Voice& voice, Steps steps)
    : m_voice(voice)
    , m_steps(std::move(steps))
{
}

core::Result BookRender::run(const BookRequest& book, speech::AudioFormat format, speech::SpeakFlags flags,
                             const QStringList& subtitles)
{
    m_failedPath = book.target;
    const int sampleRate = speech::sampleRateOf(format);
    const QList<BookPart> parts = planBook(book);
    QList<PlaylistEntry> playlist;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        m_failedPath = parts[i].path;
        const auto count = parts.size(); // each file takes its share of the progress
        m_voice.setRenderProgress(
            [this, i, count](int percent) { return m_steps.report(int((i * 100 + percent) / count)); });
        if (core::Result rendered = renderPart(parts[i], format, flags); !rendered)
            return rendered;
        if (core::Result delivered = deliverPart(parts[i], flags, subtitles, sampleRate); !delivered)
            return delivered;
        playlist.append({parts[i].path, parts[i].tags.title, m_voice.fileTimeline().samples, sampleRate});
    }
    if (!book.chapters)
        return {};
    m_failedPath = playlistPath(book.target);
    m_steps.log(QStringLiteral("Save to ") + m_failedPath + QStringLiteral(" ..."), QString());
    return core::replaceFileContents(m_failedPath, playlistFile(m_failedPath, playlist));
}

core::Result BookRender::renderPart(const BookPart& part, speech::AudioFormat format, speech::SpeakFlags flags)
{
    if (core::Result opened = m_voice.openFileStream(part.path, format); !opened)
        return opened;
    m_streamOpen = true;
    m_steps.log(QStringLiteral("Save to ") + part.path + QStringLiteral(" ..."), QString());
    if (const core::ResultOf<int> stream = m_voice.speak(part.text, flags); !stream)
        return stream.result();
    m_voice.waitUntilDone(-1);
    if (m_steps.cancelled())
        return core::Result::failure(speech::Voice::cancelledError());
    m_steps.backToDevice(); // as if the user re-selected the device
    m_streamOpen = false;
    return m_voice.closeFileStream();
}

core::Result BookRender::deliverPart(const BookPart& part, speech::SpeakFlags flags, const QStringList& subtitles,
                                     int sampleRate)
{
    // The audio is in place: a tag that cannot be written costs the tag, not the file.
    if (m_steps.writeTags) {
        if (core::Result tagged = m_steps.writeTags(part.path, part.tags); !tagged)
            m_steps.log(QStringLiteral("Tags of ") + part.path + QStringLiteral(" Error: "), tagged.error());
    }
    if (subtitles.isEmpty())
        return {};
    if (flags & speech::SpeakIsFilename) {
        // The words lie in a file the voice read, not in the text at hand.
        m_steps.log(QStringLiteral("No subtitles for ") + part.path + QStringLiteral(": the text is a file name"),
                    QString());
        return {};
    }
    const speech::FileTimeline timeline = m_voice.fileTimeline();
    TimedText timed;
    timed.text = part.text;
    timed.markup = speech::MarkupTags::isMarkup(part.text, flags).value();
    timed.sampleRate = sampleRate;
    for (const speech::FileWord& word : timeline.words)
        timed.words.append({word.offset, word.length, word.sample});
    fillWordEnds(timed.words, timeline.samples);
    for (const SubtitleFile& file : subtitleFiles(part.path, timed, subtitles)) {
        m_steps.log(QStringLiteral("Save to ") + file.path + QStringLiteral(" ..."), QString());
        if (core::Result written = core::replaceFileContents(file.path, file.bytes); !written)
            return written;
    }
    return {};
}

} // namespace audiobook
