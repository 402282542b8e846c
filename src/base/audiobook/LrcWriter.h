#pragma once

#include "base/audiobook/CueBuilder.h"

#include <QByteArray>

namespace audiobook {

// Lyrics with word timing: one line per cue, "[mm:ss.xx]" at its start, a word tag "<mm:ss.xx>" before each word
// and one after the last word where the cue ends. Minutes go on counting past 59 ("[95:03.20]"): the format has
// no hours, and players read the minutes as a number. UTF-8, LF.
QByteArray lrcFile(const CueList& cues);

} // namespace audiobook
