#include "core/SafeWrite.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

Result replaceFileContents(const QString& path, const QByteArray& bytes, Flush flush)
{
    const QFileInfo info(path);
    const QString target = info.isSymLink() ? info.symLinkTarget() : path;
    const auto failed = [&](int error) {
        return Result::failure(QStringLiteral("Cannot write %1: %2").arg(path, errnoText(error)));
    };
    const QByteArray targetName = QFile::encodeName(target);
    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; fd < 0 && attempt < 10; ++attempt) {
        temporary = targetName + ".tmp" + QByteArray::number(QRandomGenerator::global()->generate(), 16);
        // 0666 under the umask, as a new file always got; an existing file keeps its permissions below.
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return failed(errno);
    }
    if (fd < 0)
        return failed(EEXIST);

    int error = 0;
    struct stat old {};
    if (::stat(targetName.constData(), &old) == 0 && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    for (qsizetype done = 0; error == 0 && done < bytes.size();) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno != EINTR)
            error = errno;
        else if (written > 0)
            done += written;
    }
    if (error == 0 && flush == Flush::ToDisk && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && error == 0)
        error = errno;
    if (error == 0 && ::rename(temporary.constData(), targetName.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return failed(error);
    }
    return {};
}

} // namespace core
