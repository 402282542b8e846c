#pragma once

#include <QString>

namespace core {

struct RunMode;

// True when the run will never show its window: it writes a WAV target, runs hidden ("!!" or a script with
// Hide), or ends at once on a missing script. Such a run also works where no display is available.
bool runNeverShowsWindow(const RunMode& run);

} // namespace core
