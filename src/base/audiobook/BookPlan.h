#pragma once

#include "base/audiobook/ChapterSplitter.h"
#include "base/audiobook/TagValues.h"
#include "base/audiobook/TimedText.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace audiobook {

// What a save is asked to write, besides the audio itself.
struct BookRequest {
    QString target; // the audio file as named: "dir/buch.mp3"
    QString text;   // the text as spoken
    bool markup = false;
    bool chapters = false;             // one file per chapter, and a playlist
    QList<ChapterStart> chapterStarts; // a document's headings in text; none: lines that begin with "# "
    QString documentTitle;
    QString fileName; // the document's file, else the target
    QString voiceName;
};

// One audio file of a save: where it goes, what it speaks and how it is tagged.
struct BookPart {
    QString path;
    QString text;
    TagValues tags;
};

// The files of a save: the target alone, or with chapters one file per chapter (NAME-01.EXT, ...), also for a text
// of one chapter. Every file is tagged: title, album, voice, and with chapters the track number and count.
QList<BookPart> planBook(const BookRequest& request);

// The subtitle formats a save can write beside its audio, by their file extensions.
inline const QStringList kSubtitleFormats{QStringLiteral("srt"), QStringLiteral("vtt"), QStringLiteral("lrc")};

struct SubtitleFile {
    QString path;
    QByteArray bytes;
};

// The subtitle files of one audio file, beside it with the audio's extension replaced ("buch-01.mp3" gives
// "buch-01.srt"), in the order of formats; unknown formats are left out.
QList<SubtitleFile> subtitleFiles(const QString& audioPath, const TimedText& timed, const QStringList& formats);

} // namespace audiobook
