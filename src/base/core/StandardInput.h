#pragma once

#include "base/core/Result.h"

#include <QByteArray>
#include <QString>

namespace core {

// A command-line text of exactly "-" is read from standard input (echo "Hallo" | sprechkit - ?hallo).
inline bool isStandardInputText(const QString& argument)
{
    return argument == QLatin1String("-");
}

// Decodes what was read like script files (UTF-16 with a byte-order mark, UTF-8, or Windows-1252 when not valid
// UTF-8; content with NUL characters is refused). The one line break that echo and editors put at the end is
// dropped; every other character is kept.
ResultOf<QString> textFromInput(const QByteArray& bytes);
// textFromInput() of the process's standard input, read to its end. A failure when it was closed at start, cannot
// be read (a folder) or is larger than a script may be.
ResultOf<QString> readStandardInput();

} // namespace core
