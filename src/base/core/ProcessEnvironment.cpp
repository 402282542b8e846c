#include "base/core/ProcessEnvironment.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

namespace core {

namespace {

bool& standardInputClosed()
{
    static bool closed = false;
    return closed;
}

// "/" as home would put the settings into /.config, the association files into /.local.
bool isUsableHome(const QByteArray& home)
{
    return home.startsWith('/') && QDir::cleanPath(QString::fromLocal8Bit(home)) != QLatin1String("/");
}

} // namespace

bool repairProcessEnvironment()
{
    // In ascending order: open() takes the lowest free number, which is then the one just found closed.
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        if (fd == 0)
            standardInputClosed() = true;
        // Without /dev/null there is nothing to hold the number with; the program runs on as before.
        (void)open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
    }

    if (isUsableHome(qgetenv("HOME")))
        return true;
    const passwd* user = getpwuid(geteuid());
    const QByteArray home = user && user->pw_dir ? QByteArray(user->pw_dir) : QByteArray();
    if (isUsableHome(home) && QFileInfo(QString::fromLocal8Bit(home)).isDir()) {
        setenv("HOME", home.constData(), 1);
        return true;
    }
    std::fputs("sprechkit: no home folder for the settings: HOME is not set (or is \"/\") and the user database "
               "names no existing home folder for this user. Set HOME to the user's home folder.\n",
               stderr);
    return false;
}

bool standardInputWasClosed()
{
    return standardInputClosed();
}

} // namespace core
