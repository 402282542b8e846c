#include "engine/espeak/SpeechEncoding.h"

namespace encoder {

namespace {

// libsndfile's compression level runs from 0 (best quality) to 1 (smallest file). For MP3 at variable bit rate it
// is LAME's VBR quality divided by 10; for Vorbis one minus the quality.
constexpr double kMp3Level = 0.96;
constexpr double kVorbisLevel = 0.9;

void setLevel(SNDFILE* file, double level)
{
    sf_command(file, SFC_SET_COMPRESSION_LEVEL, &level, sizeof level);
}

} // namespace

void applySpeechEncoding(SNDFILE* file, int format)
{
    if (!file)
        return;
    switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_MPEG_LAYER_III: {
        int mode = SF_BITRATE_MODE_VARIABLE;
        sf_command(file, SFC_SET_BITRATE_MODE, &mode, sizeof mode);
        setLevel(file, kMp3Level);
        break;
    }
    case SF_FORMAT_VORBIS:
        setLevel(file, kVorbisLevel);
        break;
    default:
        break;
    }
}

} // namespace encoder
