#pragma once

#include "base/core/Result.h"

#include <QString>

namespace sys {

// An exclusive flock() on a lock file, held while the object lives. The system releases it when its holder dies,
// so no lock goes stale, and taking it needs no disk flush, as a lock file with the owner's details would. Opening
// the file for writing needs the right to write its folder, so a reader without rights cannot hold up a writer.
class LockFile {
public:
    // Waits up to timeoutMs for a holder in another process or thread to let go.
    LockFile(const QString& path, int timeoutMs);
    ~LockFile();
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Success while the lock is held; otherwise why it is not.
    const core::Result& status() const { return m_status; }

private:
    int m_fd = -1;
    core::Result m_status;
};

} // namespace sys
