#include "base/speech/Voice.h"

namespace speech {

int sampleRateOfFormat(int formatCode)
{
    switch (formatCode) {
    case 6:
        return 8000;
    case 10:
        return 11025;
    case 14:
        return 12000;
    case 18:
        return 16000;
    case 22:
        return 22050;
    case 26:
        return 24000;
    case 30:
        return 32000;
    case 34:
        return 44100;
    case 38:
        return 48000;
    default:
        return 0;
    }
}

} // namespace speech
