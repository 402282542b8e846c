#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

namespace core {

// Replaces the file's contents as a whole: writes a new file beside it, checks every write, flushes it to the
// disk and only then renames it over the old one (a symbolic link's target is replaced, the link kept). On any
// failure the new file is removed, the old one stays as it was, and the error names the file and the system's
// reason ("Cannot write <path>: No space left on device").
Result replaceFileContents(const QString& path, const QByteArray& bytes);

// The system's text for an errno value.
QString errnoText(int error);

} // namespace core
