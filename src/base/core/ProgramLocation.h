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

// An installed copy keeps the user's files (dictionary, default WAV folder, F12 script) in $XDG_DATA_HOME/sprechkit/
// instead of beside the program: when a share/sprechkit/ folder stands beside the folder that holds the program
// (bin/, as an installation lays it out, so this holds for the administrator too), or when the program's folder
// exists but cannot be written. Any other copy keeps everything beside the program.
bool isInstalledCopy();
QString GetInstalledShareDir(); // "<prefix>/share/sprechkit/" when it stands beside the program's folder, else empty
QString GetDataDir();           // GetExeDir(), or $XDG_DATA_HOME/sprechkit/ for an installed copy
QString GetDataStem();          // GetDataDir() followed by GetExeName(): the dictionary is GetDataStem() + "wrd"
// For an installed copy: creates the data folder and, on the first start, seeds the dictionary from the
// installed default. Failures are left for the dictionary's own writability check to report.
void prepareDataDir();

// The size of a regular file in bytes; -1 when there is none or it cannot be opened.
qint64 FileSize(const QString& path);

} // namespace core
