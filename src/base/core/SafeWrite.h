#pragma once

#include "base/core/Result.h"

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

// The file that a write replacing path lands on: symbolic links followed, so that renaming a new file over the
// result keeps the link and replaces what it names. A link whose owner is neither this user nor the owner of the
// folder that holds it is refused, as the system's protection of shared folders refuses to follow it: otherwise
// a link another user left in /tmp would lead this user's write into any file this user may write.
ResultOf<QString> writeTarget(const QString& path);

// The system's text for an errno value.
QString errnoText(int error);

} // namespace core
