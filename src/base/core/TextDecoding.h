#pragma once

#include "base/core/Result.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

#include <optional>

namespace core {

// Files written here are UTF-8; files from Windows are Windows-1252. Decode as UTF-8 when the bytes are valid
// UTF-8 (a leading byte-order mark is dropped), otherwise as Windows-1252.
QString decodeUtf8OrWindows1252(const QByteArray& bytes);

// The same rule for one line, without its line end (a byte-order mark at the start of the file is the caller's to
// drop). Files edited on both systems mix the two, and deciding for the whole file would turn every umlaut of its
// UTF-8 lines into two characters.
QString decodeLineUtf8OrWindows1252(QByteArrayView line);

// Editors save "Unicode" as UTF-16 with a byte-order mark: the byte order when the bytes begin with one.
std::optional<QStringDecoder::Encoding> utf16ByteOrder(QByteArrayView bytes);

// A whole script or input: UTF-16 when it begins with a byte-order mark (the mark dropped), otherwise
// decodeUtf8OrWindows1252(). Text never holds a NUL character: content that does (a binary file, UTF-16 without a
// mark) is refused.
ResultOf<QString> decodeText(const QByteArray& bytes);

} // namespace core
