#pragma once

#include <QString>

namespace core {

// Where the running program lives. The path is the platform's (QCoreApplication::applicationFilePath()) unless a
// test or an embedding sets another one.
QString GetExePath();
QString GetExeDir();  // up to and including the last "/"
QString GetExeStem(); // up to and including the last "." of the file name; the path and "." when there is none
QString GetExeName(); // GetExeStem after its last "/": the file name with its trailing "."
void setExePathForTesting(const QString& path); // empty: back to the platform's path

// The size of a regular file in bytes; -1 when there is none or it cannot be opened.
qint64 FileSize(const QString& path);

} // namespace core
