#include "system/ReplaceFile.h"

#include "core/SafeWrite.h"

#include <QDir>
#include <QFileInfo>

namespace sys {

bool replaceFile(const QString& path, const QByteArray& bytes)
{
    return QDir().mkpath(QFileInfo(path).path()) && core::replaceFileContents(path, bytes, core::Flush::Lazy);
}

} // namespace sys
