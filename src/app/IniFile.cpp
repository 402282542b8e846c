#include "app/IniFile.h"

namespace app {

QString ReadINI(const QString&, const QString&, const QString&, bool, const QString& defaultValue)
{
    return defaultValue; // stub
}

double leadingNumber(const QString&) { return 0; }

} // namespace app
