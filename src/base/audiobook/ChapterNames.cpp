#include "base/audiobook/ChapterNames.h"

#include <QFileInfo>

#include <algorithm>

namespace audiobook {

namespace {

// The target without its extension, and the extension with its point ("" when there is none).
QString withoutSuffix(const QString& target, QString* suffix)
{
    const QFileInfo info(target);
    *suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    return target.first(target.size() - suffix->size());
}

} // namespace

QString chapterPath(const QString& target, int number, int count)
{
    QString suffix;
    const QString base = withoutSuffix(target, &suffix);
    const int digits = std::max(2, int(QString::number(count).size()));
    return base + QStringLiteral("-%1").arg(number, digits, 10, QChar(u'0')) + suffix;
}

QString playlistPath(const QString& target)
{
    QString suffix;
    return withoutSuffix(target, &suffix) + QLatin1String(".m3u");
}

} // namespace audiobook
