#include "app/ScriptFile.h"

namespace app {

QString makeIniText(const ScriptState&) { return {}; } // stub
bool writeScriptFile(const QString&, const ScriptState&, QString*) { return false; }

} // namespace app
