#include "base/core/RunDecision.h"

#include "base/core/IniFile.h"
#include "base/core/SettingsKeys.h"

namespace core {

ScriptProgramKeys readScriptProgramKeys(const RunMode& commandLine)
{
    if (!commandLine.scriptRun)
        return {};
    const auto number = [&](const char* key) {
        return leadingInteger(ReadINI(commandLine.scriptPath, QStringLiteral("Program"), QLatin1String(key), true));
    };
    return {number("Hide"), number("Start"), number("Close")};
}

RunDecision decideRunMode(const RunMode& commandLine, const ScriptProgramKeys& script)
{
    RunDecision run;
    if (commandLine.scriptRun) {
        run.hide = script.hide;
        run.start = script.start;
        run.close = script.close;
    }
    if (commandLine.optionArgument == QLatin1String("!"))
        run.close = 1;
    if (commandLine.optionArgument == QLatin1String("!!") || !commandLine.wavTarget.isEmpty())
        run.hide = 1;
    if (run.hide != 0)
        run.hide = 1;
    run.startsJob = commandLine.commandLineTextRun || (commandLine.scriptRun && (run.hide == 1 || run.start == 1));
    run.neverShowsWindow = run.hide == 1 || !commandLine.missingScriptMessage.isEmpty();
    return run;
}

} // namespace core
