#include "base/audiobook/TagValues.h"

#include "base/audiobook/MarkupText.h"
#include "base/core/Version.h"

#include <QFileInfo>

namespace audiobook {

QString firstWords(const QString& text, bool markup, int maxLength)
{
    if (maxLength <= 0)
        return {};
    const QString readable = MarkupText(text, markup).readable(0, int(text.size()));
    if (readable.size() <= maxLength)
        return readable;
    qsizetype cut = readable.lastIndexOf(u' ', maxLength);
    if (cut <= 0)
        cut = readable.at(maxLength - 1).isHighSurrogate() ? maxLength - 1 : maxLength;
    return readable.first(cut);
}

QString encoderName()
{
    return QStringLiteral("Sprechkit ") + core::GetProgVer();
}

TagValues tagValues(const TagSources& sources)
{
    TagValues values;
    values.title = sources.chapterTitle.simplified();
    if (values.title.isEmpty())
        values.title = sources.documentTitle.simplified();
    if (values.title.isEmpty())
        values.title = firstWords(sources.text, sources.markup);
    values.album = sources.documentTitle.simplified();
    if (values.album.isEmpty())
        values.album = QFileInfo(sources.fileName).completeBaseName();
    values.artist = sources.voiceName;
    values.track = qMax(sources.track, 0);
    values.trackTotal = qMax(sources.trackTotal, 0);
    values.encoder = encoderName();
    return values;
}

} // namespace audiobook
