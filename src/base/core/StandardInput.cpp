#include "base/core/StandardInput.h"

#include "base/core/ProcessEnvironment.h"
#include "base/core/RegularFile.h"
#include "base/core/TextDecoding.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace core {

ResultOf<QString> textFromInput(const QByteArray& bytes)
{
    ResultOf<QString> decoded = decodeText(bytes);
    if (!decoded)
        return Result::failure(QStringLiteral("Cannot read standard input: ") + decoded.error());
    QString text = decoded.value();
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(text.endsWith(QLatin1String("\r\n")) ? 2 : 1);
    return text;
}

ResultOf<QString> readStandardInput()
{
    // At start the process put /dev/null where a closed input was: reading it would give an empty text as if one
    // had been sent.
    if (standardInputWasClosed())
        return Result::failure(QStringLiteral("Cannot read standard input: it is closed"));
    QByteArray bytes;
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = read(STDIN_FILENO, buffer, sizeof buffer);
        if (got == 0)
            break;
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return Result::failure(QStringLiteral("Cannot read standard input: ") +
                                   QString::fromLocal8Bit(std::strerror(errno)));
        // A script may hold the text too; input without an end (/dev/zero) must not exhaust the memory.
        if (bytes.size() + got > kMaxScriptBytes)
            return Result::failure(
                QStringLiteral("Cannot read standard input: it is larger than %1 MB").arg(kMaxScriptBytes >> 20));
        bytes.append(buffer, got);
    }
    return textFromInput(bytes);
}

} // namespace core
