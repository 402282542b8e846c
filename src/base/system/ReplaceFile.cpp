#include "base/system/ReplaceFile.h"

#include "base/core/SafeWrite.h"

#include <QDir>
#include <QFileInfo>

namespace sys {

core::Result replaceFile(const QString& path, const QByteArray& bytes)
{
    const QString folder = QFileInfo(path).path();
    if (!QDir().mkpath(folder))
        return core::Result::failure(QStringLiteral("Cannot create the folder %1").arg(folder));
    return core::replaceFileContents(path, bytes, core::Flush::Lazy);
}

} // namespace sys
