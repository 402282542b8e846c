#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

namespace core {

// Replaces the file's contents as a whole: writes a new file beside it, checks every write, flushes it to the
// disk and only then renames it over the old one (a symbolic link's target is replaced, the link kept). On any
// failure the new file is removed, the old one stays as it was, and the error names the file and the system's
// reason ("Cannot write <path>: No space left on device"). Flush::Lazy skips waiting for the disk, for files
// written at every start: after a power failure such a file may still be the old one, never half of the new.
enum class Flush { ToDisk, Lazy };
Result replaceFileContents(const QString& path, const QByteArray& bytes, Flush flush = Flush::ToDisk);

// The system's text for an errno value.
QString errnoText(int error);

} // namespace core
