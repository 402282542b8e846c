#pragma once

#include <sndfile.h>

namespace encoder {

// Encoder settings for a single speaking voice, applied to a file libsndfile has just opened for writing, before
// its first sample: a voice needs far fewer bits than the encoders' defaults, which are made for music, and fewer
// bits also encode faster.
//   MP3        variable bit rate at LAME's quality 9.6: a mono voice at 22 kHz comes out near 31 kbit/s, no larger
//              than LAME's own default for it (32 kbit/s constant)
//   Ogg Vorbis quality 0.1, as oggenc -q 1
//   FLAC, WAV  the defaults (lossless)
// A setting the library refuses leaves that encoder at its default, which still gives a good file: no error.
void applySpeechEncoding(SNDFILE* file, int format);

} // namespace encoder
