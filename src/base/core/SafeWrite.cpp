#include "base/core/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace core {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

ResultOf<QString> writeTarget(const QString& path)
{
    QString current = QFileInfo(path).absoluteFilePath();
    for (int links = 0; links < 40; ++links) { // the system gives up after 40 links as well
        const QByteArray name = QFile::encodeName(current);
        struct stat link {};
        if (::lstat(name.constData(), &link) != 0 || !S_ISLNK(link.st_mode))
            return current;
        const QString folder = QFileInfo(current).absolutePath();
        struct stat holder {};
        if (::stat(QFile::encodeName(folder).constData(), &holder) != 0)
            return Result::failure(errnoText(errno));
        if (link.st_uid != ::geteuid() && link.st_uid != holder.st_uid)
            return Result::failure(
                QStringLiteral("the symbolic link \"%1\" belongs neither to this user nor to the owner of its folder, "
                               "so it is not followed")
                    .arg(current));
        char target[PATH_MAX];
        const ssize_t size = ::readlink(name.constData(), target, sizeof target);
        if (size < 0 || size == ssize_t(sizeof target))
            return Result::failure(errnoText(size < 0 ? errno : ENAMETOOLONG));
        current = QFileInfo(QDir(folder), QFile::decodeName(QByteArray(target, size))).absoluteFilePath();
    }
    return Result::failure(errnoText(ELOOP));
}

Result replaceFileContents(const QString& path, const QByteArray& bytes, Flush flush)
{
    const auto failed = [&](int error) {
        return Result::failure(QStringLiteral("Cannot write %1: %2").arg(path, errnoText(error)));
    };
    const ResultOf<QString> followed = writeTarget(path);
    if (!followed)
        return Result::failure(QStringLiteral("Cannot write %1: %2").arg(path, followed.error()));
    const QString target = followed.value();
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
