#include "system/ReplaceFile.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdio>

namespace sys {

bool replaceFile(const QString& path, const QByteArray& bytes)
{
    const QFileInfo target(path);
    if (!QDir().mkpath(target.path()))
        return false;
    QTemporaryFile file(path + QStringLiteral(".XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush())
        return false;
    const QFileDevice::Permissions mode = target.exists() ? target.permissions()
                                                          : QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                                QFileDevice::ReadGroup | QFileDevice::ReadOther;
    if (!file.setPermissions(mode) ||
        std::rename(QFile::encodeName(file.fileName()).constData(), QFile::encodeName(path).constData()) != 0)
        return false;
    file.setAutoRemove(false);
    return true;
}

} // namespace sys
