#include "core/HiddenRun.h"

#include "core/CommandLine.h"
#include "core/IniFile.h"

namespace core {

bool runNeverShowsWindow(const RunMode& run)
{
    if (!run.missingScriptMessage.isEmpty() || !run.wavTarget.isEmpty() || run.optionArgument == QLatin1String("!!"))
        return true;
    return run.scriptRun &&
           leadingNumber(ReadINI(run.scriptPath, QStringLiteral("Program"), QStringLiteral("Hide"), true)) != 0;
}

} // namespace core
