#pragma once

// A dictionary file in a temporary folder that lives as long as the fuzz program.

#include "text/DictionaryFile.h"

#include <QFile>
#include <QTemporaryDir>

inline QString dictionaryPath()
{
    static QTemporaryDir folder;
    return folder.filePath(QStringLiteral("fuzz.wrd"));
}

inline void writeDictionaryBytes(const QByteArray& bytes)
{
    QFile file(dictionaryPath());
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::abort();
}

// Rows as the writer leaves them: those with a search word.
inline QList<text::DictionaryRow> withSearchWord(const QList<text::DictionaryRow>& rows)
{
    QList<text::DictionaryRow> kept;
    for (const text::DictionaryRow& row : rows) {
        if (!text::splitRow(row.text).search.isEmpty())
            kept.append(row);
    }
    return kept;
}
