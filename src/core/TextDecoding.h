#pragma once

#include <QByteArray>
#include <QString>

namespace core {

// Files written here are UTF-8; files from Windows are Windows-1252. Decode as UTF-8 when the bytes are valid
// UTF-8 (a leading byte-order mark is dropped), otherwise as Windows-1252.
QString decodeUtf8OrWindows1252(const QByteArray& bytes);

} // namespace core
