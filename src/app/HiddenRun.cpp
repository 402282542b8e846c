#include "app/HiddenRun.h"

#include "app/CommandLine.h"
#include "app/IniFile.h"

namespace app {

bool runNeverShowsWindow(const RunMode& run)
{
    if (!run.missingScriptMessage.isEmpty() || !run.wavTarget.isEmpty() || run.optionArgument == QLatin1String("!!"))
        return true;
    return run.scriptRun &&
           leadingNumber(ReadINI(run.scriptPath, QStringLiteral("Program"), QStringLiteral("Hide"), true)) != 0;
}

} // namespace app
