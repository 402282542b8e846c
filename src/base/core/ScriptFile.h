#pragma once

#include "base/core/Result.h"

#include <QString>

namespace core {

// The state that F12 writes as a script file.
struct ScriptState {
    QString text; // the text box; CR LF become "|"
    QString voice;
    int rate = 0;
    int volume = 100;
    QString format;
};

// The exact text of the script file, CR LF line ends, every "=" in the ninth column.
QString makeIniText(const ScriptState& state);

// Writes it to path, replacing any file only once the new one is written whole.
Result writeScriptFile(const QString& path, const ScriptState& state);

} // namespace core
