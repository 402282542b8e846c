#include "core/ProcessEnvironment.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace core {

namespace {

bool& standardInputClosed()
{
    static bool closed = false;
    return closed;
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

    return true;
}

bool standardInputWasClosed()
{
    return standardInputClosed();
}

} // namespace core
