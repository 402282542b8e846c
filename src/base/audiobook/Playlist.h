#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

namespace audiobook {

struct PlaylistEntry {
    QString path; // the chapter's file
    QString title;
    qint64 frames = 0; // its length in samples at sampleRate; no rate, unknown length
    int sampleRate = 0;
};

// An extended M3U playlist (UTF-8, LF): "#EXTM3U", then per entry "#EXTINF:<seconds>,<title>" and the file's
// path relative to the playlist's folder. A name that begins with "#" is written "./#...", so that it is not
// taken for a comment.
QByteArray playlistFile(const QString& playlistPath, const QList<PlaylistEntry>& entries);

} // namespace audiobook
