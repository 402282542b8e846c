#include "base/system/LockFile.h"

#include "base/core/SafeWrite.h"

#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace sys {

namespace {

constexpr int kPollMs = 5;

} // namespace

LockFile::LockFile(const QString& path, int timeoutMs)
    : m_fd(::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644))
{
    if (m_fd < 0) {
        m_status = core::Result::failure(QStringLiteral("Cannot open %1: %2").arg(path, core::errnoText(errno)));
        return;
    }
    for (int waited = 0; ::flock(m_fd, LOCK_EX | LOCK_NB) != 0; waited += kPollMs) {
        if (waited >= timeoutMs) {
            m_status = core::Result::failure(QStringLiteral("%1 stayed locked for %2 ms").arg(path).arg(timeoutMs));
            return;
        }
        QThread::msleep(kPollMs);
    }
}

LockFile::~LockFile()
{
    if (m_fd >= 0)
        ::close(m_fd); // also releases the lock
}

} // namespace sys
