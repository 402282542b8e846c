#include "base/core/RegularFile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

namespace {

Result refused(const QString& path, const QString& reason)
{
    return Result::failure(QStringLiteral("Cannot read %1: %2").arg(path, reason));
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

QString sizeLimit(qint64 maxBytes)
{
    return QStringLiteral("the file is larger than %1 MB").arg(maxBytes >> 20);
}

} // namespace

Result openRegularFile(QFile& file, const QString& path, qint64 maxBytes)
{
    // Opened before it is looked at, so the check and the read are of the same file. O_NONBLOCK makes opening a
    // FIFO without a writer return at once.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return refused(path, systemError());
    struct stat info {};
    QString reason;
    if (fstat(fd, &info) != 0)
        reason = systemError();
    else if (!S_ISREG(info.st_mode))
        reason = QStringLiteral("not a regular file");
    else if (info.st_size > maxBytes)
        reason = sizeLimit(maxBytes);
    else if (const int flags = fcntl(fd, F_GETFL); flags == -1 || fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == -1)
        reason = systemError();
    else if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        reason = file.errorString();
    else
        return {};
    ::close(fd);
    return refused(path, reason);
}

ResultOf<QByteArray> readRegularFile(const QString& path, qint64 maxBytes)
{
    QFile file;
    if (Result opened = openRegularFile(file, path, maxBytes); !opened)
        return opened;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return refused(path, file.errorString());
    if (bytes.size() > maxBytes) // it grew while it was read
        return refused(path, sizeLimit(maxBytes));
    return bytes;
}

} // namespace core
