#pragma once

#include "base/core/Result.h"
#include "base/text/DictionaryRow.h"

#include <QList>
#include <QString>

namespace text {

// The dictionary file beside the program: one "search;replacement;flag" line per entry, ";" escaped as ",,",
// CR LF line ends. Each line is read as UTF-8, or Windows-1252 when it is not valid UTF-8, unless the file begins with
// a UTF-16 byte-order mark (an editor's "Unicode"): then it is UTF-16 throughout. Written as UTF-8.
namespace DictionaryFile {

struct LoadResult {
    QList<DictionaryRow> rows; // the file's entries, or the three defaults when the file is missing or empty
    bool usedDefaults = false;
    // A failure when reading stopped early (the rows read so far are kept), or when the path names no regular file
    // or one larger than core::kMaxDictionaryBytes.
    core::Result read;
};

// Rows as the list shows them, without the trailing empty row.
LoadResult load(const QString& path);

// Writes every row with a non-empty search word through a temporary file that replaces the old one, so a crash
// or a full disk never leaves a truncated dictionary; on failure the old file stays as it was. When no line is
// written the file is removed.
core::Result save(const QString& path, const QList<DictionaryRow>& rows);

// True when the file can be opened for appending without changing it; for a missing file, when it could be
// created in its folder (so edits made in this run can reach the disk at exit).
bool isWritable(const QString& path);

QList<DictionaryRow> defaultRows();

} // namespace DictionaryFile

} // namespace text
