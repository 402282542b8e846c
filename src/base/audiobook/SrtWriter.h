#pragma once

#include "base/audiobook/CueBuilder.h"

#include <QByteArray>

namespace audiobook {

// A SubRip file: numbered cues, "HH:MM:SS,mmm --> HH:MM:SS,mmm", a blank line after each; UTF-8 without a byte
// order mark, CR LF line ends as the format was first written, which every player reads.
QByteArray srtFile(const CueList& cues);

} // namespace audiobook
