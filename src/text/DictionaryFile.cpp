#include "text/DictionaryFile.h"

namespace text::DictionaryFile {

QList<DictionaryRow> defaultRows()
{
    return {{QStringLiteral("TTS") + kEntrySeparator + QStringLiteral("Text-To-Speech"), true},
            {QStringLiteral("ftp://*") + kEntrySeparator + QStringLiteral("(Link)"), true},
            {QStringLiteral("http://*") + kEntrySeparator + QStringLiteral("(Link)"), true}};
}

LoadResult load(const QString&)
{
    return {defaultRows(), true, {}}; // stub
}

bool save(const QString&, const QList<DictionaryRow>&, QString*)
{
    return true; // stub
}

bool isWritable(const QString&)
{
    return true; // stub
}

} // namespace text::DictionaryFile
