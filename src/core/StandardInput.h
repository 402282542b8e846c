#pragma once

#include <QString>

class QIODevice;

namespace core {

// A command-line text of exactly "-" is read from standard input (echo "Hallo" | sprechkit - ?hallo).
inline bool isStandardInputText(const QString& argument)
{
    return argument == QLatin1String("-");
}

// Reads the input to its end and decodes it like script files (UTF-8, or Windows-1252 when not valid UTF-8).
// The one line break that echo and editors put at the end is dropped; every other character is kept.
QString readTextFrom(QIODevice& input);
// readTextFrom() on the process's standard input. Empty when it is closed or cannot be read.
QString readStandardInput();

} // namespace core
