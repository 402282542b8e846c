#include "base/core/FolderField.h"

namespace wav {

FolderField splitFolderField(const QString& text)
{
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'));
    if (slash < 0)
        return {QString(), QString()};
    return {text.left(slash + 1), text.mid(slash + 1)};
}

QString joinFolderField(const QString& folder, const QString& remainder)
{
    QString result = folder;
    while (result.endsWith(QLatin1Char('/')))
        result.chop(1);
    return result + QLatin1Char('/') + remainder;
}

} // namespace wav
