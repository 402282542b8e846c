#include "app/CommandLine.h"

namespace app {

QStringList splitCommandLine(const QString&) { return {}; } // stub
void setCommandLineArguments(const QStringList&) {}
QString GetCMD(int) { return {}; }
RunMode analyseCommandLine(const QStringList&, const QString&) { return {}; }

} // namespace app
