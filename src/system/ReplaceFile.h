#pragma once

#include <QByteArray>
#include <QString>

namespace sys {

// Writes bytes to a temporary file beside path and renames it over path, so a reader sees the old file or the
// new one, never half of one. It does not wait for the disk (the start-up must not): after a power failure the
// file may be the old one, as with the classic registry's lazy flush. The folder is created when missing; a new
// file gets mode 0644, a replaced one keeps its mode.
bool replaceFile(const QString& path, const QByteArray& bytes);

} // namespace sys
