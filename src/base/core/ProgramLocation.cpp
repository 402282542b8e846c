#include "base/core/ProgramLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

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

QString GetInstalledShareDir()
{
    const QString share = QDir::cleanPath(GetExeDir() + QStringLiteral("../share/sprechkit"));
    return QFileInfo(share).isDir() ? share + QLatin1Char('/') : QString();
}

bool isInstalledCopy()
{
    if (!GetInstalledShareDir().isEmpty())
        return true;
    // A missing folder is no installation: it only happens with paths set for tests, which expect today's layout.
    const QFileInfo folder(GetExeDir());
    return folder.isDir() && !folder.isWritable();
}

QString GetDataDir()
{
    if (!isInstalledCopy())
        return GetExeDir();
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/sprechkit/");
}

QString GetDataStem()
{
    return GetDataDir() + GetExeName();
}

void prepareDataDir()
{
    if (!isInstalledCopy())
        return;
    const QString dataDir = GetDataDir();
    QDir().mkpath(dataDir);
    const QString dictionary = GetDataStem() + QStringLiteral("wrd");
    const QString installedDefault = GetInstalledShareDir() + QStringLiteral("sprechkit.wrd");
    if (!GetInstalledShareDir().isEmpty() && !QFileInfo::exists(dictionary) && QFileInfo::exists(installedDefault)) {
        // Copied files keep the installed file's read-only mode; the user's own copy must be editable.
        if (QFile::copy(installedDefault, dictionary))
            QFile::setPermissions(dictionary,
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    }
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
