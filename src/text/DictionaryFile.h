#pragma once

#include "text/DictionaryRow.h"

#include <QList>
#include <QString>

namespace text {

// The dictionary file beside the program: one "search;replacement;flag" line per entry, ";" escaped as ",,",
// CR LF line ends. Each line is read as UTF-8, or Windows-1252 when it is not valid UTF-8; written as UTF-8.
namespace DictionaryFile {

struct LoadResult {
    QList<DictionaryRow> rows; // the file's entries, or the three defaults when the file is missing or empty
    bool usedDefaults = false;
    QString error; // set when reading stopped early; the rows read so far are kept
};

// Rows as the list shows them, without the trailing empty row.
LoadResult load(const QString& path);

// Writes every row with a non-empty search word through a temporary file that replaces the old one, so a crash
// never leaves a truncated dictionary. When no line is written the file is removed. Returns false with an
// English description in error on failure; the old file then stays as it was.
bool save(const QString& path, const QList<DictionaryRow>& rows, QString* error = nullptr);

// True when the file can be opened for appending without changing it; for a missing file, when it could be
// created in its folder (so edits made in this run can reach the disk at exit).
bool isWritable(const QString& path);

QList<DictionaryRow> defaultRows();

} // namespace DictionaryFile

} // namespace text
