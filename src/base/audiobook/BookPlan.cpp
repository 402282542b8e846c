#include "base/audiobook/BookPlan.h"

#include "base/audiobook/ChapterNames.h"
#include "base/audiobook/CueBuilder.h"
#include "base/audiobook/LrcWriter.h"
#include "base/audiobook/SrtWriter.h"
#include "base/audiobook/WebVttWriter.h"

#include <QFileInfo>

namespace audiobook {

QList<BookPart> planBook(const BookRequest& request)
{
    TagSources sources;
    sources.documentTitle = request.documentTitle;
    sources.fileName = request.fileName.isEmpty() ? request.target : request.fileName;
    sources.voiceName = request.voiceName;
    sources.markup = request.markup;
    if (!request.chapters) {
        sources.text = request.text;
        return {{request.target, request.text, tagValues(sources)}};
    }
    const QList<Chapter> chapters = request.chapterStarts.isEmpty() ? splitMarkedChapters(request.text)
                                                                    : cutChapters(request.text, request.chapterStarts);
    const int count = qMax(1, int(chapters.size()));
    QList<BookPart> parts;
    for (int i = 0; i < count; ++i) {
        const Chapter chapter = chapters.value(i);
        sources.chapterTitle = chapter.title;
        sources.text = chapter.text;
        sources.track = i + 1;
        sources.trackTotal = count;
        parts.append({chapterPath(request.target, i + 1, count), chapter.text, tagValues(sources)});
    }
    return parts;
}

QList<SubtitleFile> subtitleFiles(const QString& audioPath, const TimedText& timed, const QStringList& formats)
{
    if (formats.isEmpty())
        return {};
    const QFileInfo audio(audioPath);
    const QString folder = audioPath.left(audioPath.size() - audio.fileName().size());
    // Only the last extension goes: "buch.teil.mp3" gives "buch.teil.srt".
    const QString base = folder + (audio.suffix().isEmpty() ? audio.fileName() : audio.completeBaseName());
    const CueList cues = buildCues(timed);
    QList<SubtitleFile> files;
    for (const QString& format : formats) {
        if (format == QLatin1String("srt"))
            files.append({base + QStringLiteral(".srt"), srtFile(cues)});
        else if (format == QLatin1String("vtt"))
            files.append({base + QStringLiteral(".vtt"), webVttFile(cues)});
        else if (format == QLatin1String("lrc"))
            files.append({base + QStringLiteral(".lrc"), lrcFile(cues)});
    }
    return files;
}

} // namespace audiobook
