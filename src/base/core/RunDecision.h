#pragma once

#include "base/core/CommandLine.h"

namespace core {

// The script's [Program] numbers that shape a run, converted as every script number is (0 where absent).
struct ScriptProgramKeys {
    int hide = 0;
    int start = 0;
    int close = 0;
};

// Reads them from the script of a script run; all 0 for any other run.
ScriptProgramKeys readScriptProgramKeys(const RunMode& commandLine);

// How a run goes, decided in one place for the program's main (which platform) and the start-up (what to do).
struct RunDecision {
    // 1 when the window is never shown: a WAV target, "!!", or any script Hide but 0 (a hidden window that nothing
    // ends would run unseen for ever, so such a run also starts its job).
    int hide = 0;
    int start = 0; // the script's Start
    int close = 0; // 1 for "!", else the script's Close
    // The job starts without the user: a text on the command line, or a script with Hide or Start = 1.
    bool startsJob = false;
    // Hidden, or a missing script, which ends at once: such a run also works where no display is available.
    bool neverShowsWindow = false;
};

RunDecision decideRunMode(const RunMode& commandLine, const ScriptProgramKeys& script);

} // namespace core
