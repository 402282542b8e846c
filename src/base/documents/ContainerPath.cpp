#include "base/documents/ContainerPath.h"

#include <QStringList>
#include <QUrl>

namespace documents {

QString resolveEntryPath(const QString& from, QStringView href)
{
    const qsizetype fragment = href.indexOf(QLatin1Char('#'));
    if (fragment >= 0)
        href = href.first(fragment);
    const qsizetype colon = href.indexOf(QLatin1Char(':')), slash = href.indexOf(QLatin1Char('/'));
    if (href.isEmpty() || href.startsWith(QLatin1Char('/')) || (colon >= 0 && (slash < 0 || colon < slash)))
        return QString();
    const QString decoded = QUrl::fromPercentEncoding(href.toUtf8());
    QStringList parts = from.split(QLatin1Char('/'));
    parts.removeLast(); // the file itself: links are relative to its folder
    for (const QString& part : decoded.split(QLatin1Char('/'))) {
        if (part.isEmpty() || part == u".")
            continue;
        if (part == u"..") {
            if (parts.isEmpty())
                return QString();
            parts.removeLast();
        } else {
            parts.append(part);
        }
    }
    parts.removeAll(QString());
    return parts.join(QLatin1Char('/'));
}

} // namespace documents
