#include "base/core/HiddenRun.h"

#include "base/core/CommandLine.h"
#include "base/core/IniFile.h"
#include "base/core/SettingsKeys.h"

namespace core {

bool runNeverShowsWindow(const RunMode& run)
{
    if (!run.missingScriptMessage.isEmpty() || !run.wavTarget.isEmpty() || run.optionArgument == QLatin1String("!!"))
        return true;
    return run.scriptRun &&
           // Converted as the start-up converts it, so both agree on "Hide = 0.3" (shown).
           leadingInteger(ReadINI(run.scriptPath, QStringLiteral("Program"), QStringLiteral("Hide"), true)) != 0;
}

} // namespace core
