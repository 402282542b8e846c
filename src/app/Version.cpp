#include "app/Version.h"

namespace app {

QString formatProgVer(int, int, int) { return {}; } // stub
QString GetProgVer() { return {}; }

} // namespace app
