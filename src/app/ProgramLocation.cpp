#include "app/ProgramLocation.h"

#include <QCoreApplication>

namespace app {

QString GetExePath() { return QCoreApplication::applicationFilePath(); } // stub
QString GetExeDir() { return {}; }
QString GetExeStem() { return {}; }
QString GetExeName() { return {}; }
void setExePathForTesting(const QString&) {}
qint64 FileSize(const QString&) { return -1; }

} // namespace app
