#include "base/speech/Voice.h"

namespace speech {

core::ResultOf<AudioFormat> audioFormatOfCode(int code)
{
    // Every fourth code from 6 to 38.
    if (code < 6 || code > 38 || (code - 6) % 4 != 0)
        return core::Result::failure(QStringLiteral("The audio format %1 is not supported.").arg(code));
    return AudioFormat(code);
}

int sampleRateOf(AudioFormat format)
{
    switch (format) {
    case AudioFormat::Mono8kHz:
        return 8000;
    case AudioFormat::Mono11kHz:
        return 11025;
    case AudioFormat::Mono12kHz:
        return 12000;
    case AudioFormat::Mono16kHz:
        return 16000;
    case AudioFormat::Mono22kHz:
        return 22050;
    case AudioFormat::Mono24kHz:
        return 24000;
    case AudioFormat::Mono32kHz:
        return 32000;
    case AudioFormat::Mono44kHz:
        return 44100;
    case AudioFormat::Mono48kHz:
        return 48000;
    }
    return 0;
}

} // namespace speech
