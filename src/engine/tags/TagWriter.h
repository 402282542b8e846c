#pragma once

#include "base/audiobook/TagValues.h"
#include "base/core/Result.h"

#include <QString>

namespace tags {

// Writes the values into a finished audio file, found by its contents: ID3v2.3 for MP3, Vorbis comments for
// Ogg Vorbis, Ogg Opus and FLAC, a LIST INFO chunk for WAV. The tags go into a copy beside the file, which
// replaces it only once it is complete, so a failure (a full disk, a file TagLib cannot read) leaves the audio as
// it was; the caller logs the error and delivers the file untagged. RF64 files, and WAV files the chunk would take
// past 4 GiB, are left alone with an error: TagLib does not know RF64. TagLib is in the tag plugin; without the
// plugin nothing is written, with an error.
core::Result writeTags(const QString& path, const audiobook::TagValues& values);

} // namespace tags
