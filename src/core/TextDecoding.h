#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace core {

// Files written here are UTF-8; files from Windows are Windows-1252. Decode as UTF-8 when the bytes are valid
// UTF-8 (a leading byte-order mark is dropped), otherwise as Windows-1252.
QString decodeUtf8OrWindows1252(const QByteArray& bytes);

// The same rule for one line, without its line end (a byte-order mark at the start of the file is the caller's to
// drop). Files edited on both systems mix the two, and deciding for the whole file would turn every umlaut of its
// UTF-8 lines into two characters.
QString decodeLineUtf8OrWindows1252(QByteArrayView line);

} // namespace core
