#pragma once

#include "base/audiobook/CueBuilder.h"

#include <QByteArray>

namespace audiobook {

// A WebVTT file: the "WEBVTT" header, then the cues with "HH:MM:SS.mmm" times and a timestamp tag
// ("<00:01:02.350>") before every word after the first, so that a player can follow word by word. A tag that
// would not lie strictly between the cue's start, the tag before it and the cue's end (words heard at the same
// millisecond) is left out, as the format requires. "&", "<" and ">" of the text are escaped. UTF-8, LF.
QByteArray webVttFile(const CueList& cues);

} // namespace audiobook
