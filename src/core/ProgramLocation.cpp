#include "core/ProgramLocation.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace core {

namespace {

QString& exePathOverride()
{
    static QString path;
    return path;
}

// Position just after the last "/" of path: where the file name starts.
qsizetype fileNameStart(const QString& path)
{
    return path.lastIndexOf(QLatin1Char('/')) + 1;
}

} // namespace

QString GetExePath()
{
    const QString& path = exePathOverride();
    return path.isEmpty() ? QCoreApplication::applicationFilePath() : path;
}

void setExePathForTesting(const QString& path)
{
    exePathOverride() = path;
}

QString GetExeDir()
{
    const QString path = GetExePath();
    return path.left(fileNameStart(path));
}

QString GetExeStem()
{
    // Only a dot in the file name counts. Programs here usually have no extension: "/opt/sk/sprechkit" then has
    // the stem "/opt/sk/sprechkit.", so its dictionary is sprechkit.wrd beside it, as for "speak.exe".
    const QString path = GetExePath();
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < fileNameStart(path))
        return path + QLatin1Char('.');
    return path.left(dot + 1);
}

QString GetExeName()
{
    const QString stem = GetExeStem();
    return stem.mid(fileNameStart(stem));
}

qint64 FileSize(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return -1;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.size();
}

} // namespace core
