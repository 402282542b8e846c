#include "base/audiobook/Playlist.h"

#include <QDir>
#include <QFileInfo>

namespace audiobook {

QByteArray playlistFile(const QString& playlistPath, const QList<PlaylistEntry>& entries)
{
    const QDir folder = QFileInfo(playlistPath).absoluteDir();
    QString file = QStringLiteral("#EXTM3U\n");
    for (const PlaylistEntry& entry : entries) {
        const qint64 seconds =
            entry.sampleRate > 0 ? (qMax(entry.frames, qint64(0)) + entry.sampleRate / 2) / entry.sampleRate : -1;
        QString name = folder.relativeFilePath(QFileInfo(entry.path).absoluteFilePath());
        if (name.startsWith(u'#'))
            name.prepend(QLatin1String("./"));
        file += QStringLiteral("#EXTINF:%1,%2\n%3\n").arg(seconds).arg(entry.title.simplified(), name);
    }
    return file.toUtf8();
}

} // namespace audiobook
